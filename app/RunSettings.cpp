#include "app/RunSettings.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "core/NumberText.h"
#include "platform/SettingsFile.h"

namespace {

struct KeyedInput {
    const char* key;
    double AntennaInput::*value;
};

constexpr KeyedInput kAntennaKeys[] = {
    {"ANTENLEN", &AntennaInput::length_m},      {"ANTENDIA", &AntennaInput::diameter_mm},
    {"FREQUMHZ", &AntennaInput::frequency_MHz}, {"ANTENCPF", &AntennaInput::cfoot_pF},
    {"ANTENRLO", &AntennaInput::aeloss_Ohm},    {"BASECOIL", &AntennaInput::lcoil_uH},
    {"TXPOWERW", &AntennaInput::ptx_W},         {"MATCHRLO", &AntennaInput::mloss_Ohm},
};

}  // namespace

bool ReadRunAntenna(AntennaInput& input) {
    std::vector<std::string> keys;
    for (const KeyedInput& keyed : kAntennaKeys) keys.push_back(keyed.key);
    std::map<std::string, std::string> values;
    std::string damaged;
    const FileResult read = ReadSettingsKeysAsIs(SettingsFilePath(), keys, values, damaged);
    if (!read.ok()) {
        std::fprintf(stderr, "orvane: %s\n", read.error.c_str());
        return false;
    }
    if (!damaged.empty()) std::fprintf(stderr, "orvane: %s\n", damaged.c_str());
    for (const KeyedInput& keyed : kAntennaKeys) {
        const auto found = values.find(keyed.key);
        if (found == values.end()) continue;
        // Through the field's text, as the window reads it, so that both compute alike.
        input.*keyed.value = ParseLeadingNumber(FormatField(ParseLeadingNumber(found->second)));
    }
    return true;
}
