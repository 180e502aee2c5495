#include "mainwindow/MainKeys.h"

#include "core/NumberText.h"

std::vector<std::string> MainKeyNames() {
    std::vector<std::string> names;
    for (const MainKey& key : kMainKeys) names.push_back(key.key);
    return names;
}

std::string MainFieldText(const MainKey& key, const std::map<std::string, std::string>& values) {
    const auto found = values.find(key.key);
    if (found == values.end()) return key.designText;
    return FormatField(ParseLeadingNumber(found->second));
}

MainInputs InputsFromSettings(const std::map<std::string, std::string>& values) {
    MainInputs inputs;
    AntennaInput& a = inputs.antenna;
    MatchLimits& m = inputs.limits;
    const std::map<std::string, double*> targets = {
        {"ANTENLEN", &a.length_m}, {"ANTENDIA", &a.diameter_mm}, {"FREQUMHZ", &a.frequency_MHz},
        {"ANTENCPF", &a.cfoot_pF}, {"ANTENRLO", &a.aeloss_Ohm},  {"BASECOIL", &a.lcoil_uH},
        {"TXPOWERW", &a.ptx_W},    {"MATCHC01", &m.cmin_pF},     {"MATCHC99", &m.cmax_pF},
        {"MATCHL99", &m.lmax_uH},  {"MATCHRLO", &a.mloss_Ohm},
    };
    for (const MainKey& key : kMainKeys) {
        if (const auto target = targets.find(key.key); target != targets.end()) {
            *target->second = ParseLeadingNumber(MainFieldText(key, values));
        }
    }
    return inputs;
}
