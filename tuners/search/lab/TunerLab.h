#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "tuners/search/BankSetup.h"
#include "tuners/search/BestOfAllSettings.h"
#include "tuners/search/TunerState.h"
#include "tuners/search/lab/RelayCost.h"
#include "tuners/search/lab/Strategies.h"

// Every search strategy on one tuner's banks, frequency after frequency as a sweep tunes,
// beside the best setting of the banks.

enum class Strategy { Tune, GridAndLocal, Memory, GridAndValley, EverySetting };
inline constexpr Strategy kStrategies[] = {Strategy::Tune, Strategy::GridAndLocal, Strategy::Memory,
                                           Strategy::GridAndValley, Strategy::EverySetting};
inline constexpr std::size_t kStrategyCount = std::size(kStrategies);

// Its name in files and on the command line, and in the window.
const char* StrategyKey(Strategy strategy);
const char* StrategyTitle(Strategy strategy);

// Where a strategy ended and what it cost.
struct StrategyTune {
    std::optional<BestSetting> setting;  // none: no setting came below SWR 9999
    double swr = 9999;
    TuneCost cost;
};

struct LabPoint {
    double f_MHz = 0;
    bool tuned = false;    // false: no antenna values here, so nothing was tuned
    AllSettingsBest best;  // the lowest SWR of every setting of the banks
    std::array<StrategyTune, kStrategyCount> tunes{};

    const StrategyTune& of(Strategy strategy) const {
        return tunes[static_cast<std::size_t>(strategy)];
    }
};

class TunerLab {
public:
    TunerLab(TunerKind kind, const BankSetup& banks);

    // Every strategy at the antenna values (none: the tuner refuses, as its TUNE does).
    // Nothing when `stop` ends the search over every setting first.
    std::optional<LabPoint> At(double f_MHz, const std::optional<AntennaFields>& antenna,
                               const StopRequest& stop = nullptr);
    // A frequency the tuner tuned on its way to the ones compared: only what carries to the
    // next tune is kept, TUNE's best setting and the memory.
    void PassBy(const std::optional<AntennaFields>& antenna);

    TunerKind kind() const { return kind_; }
    const BankSetup& banks() const { return banks_; }

private:
    StrategyTune Run(SearchStrategy& strategy, const TunerLoad& load, BestSetting& best) const;
    StrategyTune EveryOne(const AllSettingsBest& best) const;

    const TunerKind kind_;
    const BankSetup banks_;
    const BankValues capacitors_, inductors_;
    // The relays after trying every setting in order, the same at every frequency.
    RelayCounter scanned_;
    // TUNE's best carries from one run to the next, as in the window.
    BestSetting tuneBest_{};
    TuneSearch tune_;
    GridAndLocal grid_;
    MemorySearch memory_;
    GridAndValley valley_;
};

TunerLoad LoadOf(const AntennaFields& antenna);
