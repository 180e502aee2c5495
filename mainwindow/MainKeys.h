#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "core/Antenna.h"
#include "core/Matching.h"

// The main window's 21 keys of the settings file: the antenna inputs, the frequency markers
// and the matching limits, each with the field it fills and that field's design text.
struct MainKey {
    const char* key;
    const char* field;
    const char* designText;
};

inline constexpr std::array<MainKey, 21> kMainKeys = {{
    {"ANTENLEN", "Text1", "4.5"},    {"ANTENDIA", "Text2", "5"},
    {"FREQUMHZ", "Text8", "7.1"},    {"ANTENCPF", "Text17", "10"},
    {"ANTENRLO", "Text4", "5"},      {"BASECOIL", "Text45", "0"},
    {"TXPOWERW", "Text43", "100"},   {"FMARKER0", "Text18", "1.9"},
    {"FMARKER1", "Text19", "3.7"},   {"FMARKER2", "Text20", "7.15"},
    {"FMARKER3", "Text21", "10.15"}, {"FMARKER4", "Text22", "14.2"},
    {"FMARKER5", "Text23", "18.15"}, {"FMARKER6", "Text24", "21.3"},
    {"FMARKER7", "Text25", "24.95"}, {"FMARKER8", "Text26", "28.3"},
    {"FMARKER9", "Text27", "29.6"},  {"MATCHC01", "Text16", "25"},
    {"MATCHC99", "Text29", "250"},   {"MATCHL99", "Text33", "35"},
    {"MATCHRLO", "Text41", "5"},
}};

std::vector<std::string> MainKeyNames();

// The text a field takes from the file's values: the value's number by the leading-number
// rule, in the field format. A key the file lacks leaves the design text.
std::string MainFieldText(const MainKey& key, const std::map<std::string, std::string>& values);

// The antenna and the matching limits as a recalculation reads them from fields that took
// their texts from these values.
struct MainInputs {
    AntennaInput antenna;
    MatchLimits limits;
};
MainInputs InputsFromSettings(const std::map<std::string, std::string>& values);
