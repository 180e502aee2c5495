#include "tuners/search/lab/TunerLab.h"

#include "tuners/search/lab/LabHost.h"

namespace {

constexpr const char* kKeys[] = {"tune", "grid-local", "memory", "grid-valley", "every-setting"};
constexpr const char* kTitles[] = {"TUNE", "grid and local", "memory", "grid and valley",
                                   "every setting"};

RelayCounter EverySettingTried(const BankSetup& banks) {
    RelayCounter relays(RelayMask(banks));
    for (int32_t l = 0; l <= banks.range.lmaxIndex; ++l) {
        for (int32_t c = 0; c <= banks.range.cmaxIndex; ++c) {
            relays.Try(static_cast<int16_t>(c), static_cast<int16_t>(l));
        }
    }
    return relays;
}

}  // namespace

const char* StrategyKey(Strategy strategy) {
    return kKeys[static_cast<std::size_t>(strategy)];
}

const char* StrategyTitle(Strategy strategy) {
    return kTitles[static_cast<std::size_t>(strategy)];
}

TunerLoad LoadOf(const AntennaFields& antenna) {
    return {antenna.f_MHz * 1e6, {antenna.r_Ohm, antenna.x_Ohm}};
}

TunerLab::TunerLab(TunerKind kind, const BankSetup& banks)
    : kind_(kind),
      banks_(banks),
      capacitors_(CapacitorBank(banks)),
      inductors_(InductorBank(banks)),
      scanned_(EverySettingTried(banks)),
      tune_(kind) {}

StrategyTune TunerLab::Run(SearchStrategy& strategy, const TunerLoad& load,
                           BestSetting& best) const {
    LabHost host(kind_, load, banks_);
    strategy.Search(host, banks_.range, best);
    // Every strategy ends on its best setting: the SWR the host holds is that setting's.
    StrategyTune tune{std::nullopt, host.swr(), host.cost()};
    if (tune.swr < LabHost::kNoMatch) tune.setting = best;
    return tune;
}

// The search over every setting at its full speed, with the costs of trying them all in
// order and ending on the best, as EverySetting does through a host.
StrategyTune TunerLab::EveryOne(const AllSettingsBest& best) const {
    RelayCounter relays = scanned_;
    const BestSetting last{banks_.range.cmaxIndex, banks_.range.lmaxIndex};
    if (best.setting && (best.setting->c != last.c || best.setting->l != last.l)) {
        relays.Try(best.setting->c, best.setting->l);
    }
    return {best.setting, best.swr, relays.cost()};
}

std::optional<LabPoint> TunerLab::At(double f_MHz, const std::optional<AntennaFields>& antenna,
                                     const StopRequest& stop) {
    LabPoint point;
    point.f_MHz = f_MHz;
    if (!antenna) return point;
    const TunerLoad load = LoadOf(*antenna);
    point.best = BestOfAllSettings(kind_, load, capacitors_, inductors_, stop);
    if (point.best.stopped) return std::nullopt;
    point.tuned = true;
    // Only TUNE starts from a best setting of its own; the others report what they find.
    BestSetting grid{}, memory{}, valley{};
    point.tunes = {Run(tune_, load, tuneBest_), Run(grid_, load, grid), Run(memory_, load, memory),
                   Run(valley_, load, valley), EveryOne(point.best)};
    return point;
}

void TunerLab::PassBy(const std::optional<AntennaFields>& antenna) {
    if (!antenna) return;
    const TunerLoad load = LoadOf(*antenna);
    BestSetting memory{};
    Run(tune_, load, tuneBest_);
    Run(memory_, load, memory);
}
