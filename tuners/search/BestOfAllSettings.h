#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "tuners/search/Banks.h"
#include "tuners/search/TunerNetworks.h"
#include "tuners/search/TunerSearch.h"

// The yardstick for a tuner's search: the lowest SWR over every setting of its two banks.
struct AllSettingsBest {
    std::optional<BestSetting> setting;  // nothing when no setting comes below 9999
    double swr = 9999;
    int64_t settings = 0;  // how many settings the two banks have
    bool stopped = false;  // asked to stop before every setting was evaluated
};

// Asked between the rows of settings (one inductor setting each): true ends the search.
using StopRequest = std::function<bool()>;

// Evaluates every setting with exactly the arithmetic of the tuner window of `kind`: its
// network formula, SwrAgainst50 and the clamp at 9999. The settings are taken in the order
// of the searches, inductor index outer and capacitor index inner, each from 0 up, and as
// in the searches only a strictly lower SWR replaces the best: of equal SWRs the lowest
// inductor index wins, then the lowest capacitor index, and neither a setting that faults
// nor one at 9999 ever becomes the best.
AllSettingsBest BestOfAllSettings(TunerKind kind, const TunerLoad& load,
                                  const BankValues& capacitors, const BankValues& inductors,
                                  const StopRequest& stop = nullptr);
