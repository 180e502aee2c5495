#include "exports/TunerLabCsv.h"

#include "exports/CsvText.h"

namespace {

constexpr const char* kColumns[] = {"f_MHz",    "strategy", "C_pF",        "L_uH",      "SWR",
                                    "best_SWR", "excess",   "evaluations", "relay_ops", "time_ms"};

}  // namespace

std::string TunerLabCsv(const BankSetup& banks, std::span<const LabPoint> points,
                        const RelayTimes& times) {
    CsvText csv;
    for (const char* column : kColumns) csv.Field(column);
    csv.EndRecord();
    for (const LabPoint& point : points) {
        for (const Strategy strategy : kStrategies) {
            csv.Number(point.f_MHz);
            csv.Field(StrategyKey(strategy));
            if (!point.tuned) {
                for (std::size_t i = 2; i < std::size(kColumns); ++i) csv.Empty();
                csv.EndRecord();
                continue;
            }
            const StrategyTune& tune = point.of(strategy);
            if (tune.setting) {
                Checked c;
                csv.Number(CapacitanceOf(banks, tune.setting->c, c));
                csv.Number(InductanceOf(banks, tune.setting->l, c));
            } else {
                csv.Empty();
                csv.Empty();
            }
            csv.Number(tune.swr);
            csv.Number(point.best.swr);
            csv.Number(tune.swr - point.best.swr);
            csv.Number(tune.cost.evaluations);
            csv.Number(static_cast<double>(tune.cost.relayOps));
            csv.Number(TuneTime_ms(tune.cost, times));
            csv.EndRecord();
        }
    }
    return csv.text();
}
