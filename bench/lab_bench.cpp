// The tuner lab's speed: every strategy over the sweep's 299 frequencies with the default
// banks and antenna, the search over every setting included, and the strategies without it,
// which a real tuner could run. The counters give how often each lands on the best.

#include <benchmark/benchmark.h>

#include <optional>
#include <vector>

#include "core/NumberText.h"
#include "tests/tuners/search/FakeTuner.h"
#include "tuners/search/HandOver.h"
#include "tuners/search/SweepTuneRows.h"
#include "tuners/search/lab/LabHost.h"
#include "tuners/search/lab/LabRuns.h"
#include "tuners/search/lab/LabSummary.h"

namespace {

std::optional<AntennaFields> DefaultAntenna(double f_MHz) {
    return HandedOverAntenna(ClosedFormModel(), {}, f_MHz);
}

// The whole lab as the window and --tuner-lab run it.
void EveryStrategyOverTheBand(benchmark::State& state, TunerKind kind) {
    const BankSetup banks = fake::DefaultBanks(kind);
    LabRun run;
    for (auto _ : state) {
        run = SweepLab(kind, banks, DefaultAntenna);
        benchmark::DoNotOptimize(run.points.data());
    }
    const LabSummary summary = Summarise(run.points, {});
    for (const Strategy strategy : kStrategies) {
        const StrategySummary& s = summary[static_cast<std::size_t>(strategy)];
        state.counters[std::string("near_") + StrategyKey(strategy)] =
            s.matchable > 0 ? 100.0 * s.nearBest / s.matchable : 0;
    }
}

// TUNE's search, grid and local and the memory (and grid and valley), each through a host of
// the tuner's own arithmetic, at the same frequencies: what a tuner's processor would do.
void SearchesOverTheBand(benchmark::State& state, TunerKind kind, bool withValley) {
    const BankSetup banks = fake::DefaultBanks(kind);
    std::vector<std::optional<AntennaFields>> antennas;
    for (const SweepTunePoint& point : SweepTunePoints()) {
        antennas.push_back(DefaultAntenna(ParseLeadingNumber(point.text)));
    }
    int64_t evaluations = 0;
    for (auto _ : state) {
        TuneSearch tune(kind);
        GridAndLocal grid;
        MemorySearch memory;
        GridAndValley valley;
        std::vector<SearchStrategy*> strategies = {&tune, &grid, &memory};
        if (withValley) strategies.push_back(&valley);
        BestSetting tuneBest{};
        for (const std::optional<AntennaFields>& antenna : antennas) {
            for (SearchStrategy* strategy : strategies) {
                LabHost host(kind, LoadOf(*antenna), banks);
                BestSetting other{};
                strategy->Search(host, banks.range, strategy == &tune ? tuneBest : other);
                evaluations += host.Operations();
            }
        }
    }
    state.counters["evals/s"] =
        benchmark::Counter(static_cast<double>(evaluations), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK_CAPTURE(EveryStrategyOverTheBand, LpCl, TunerKind::LpCl)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EveryStrategyOverTheBand, HpCl, TunerKind::HpCl)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EveryStrategyOverTheBand, LpLc, TunerKind::LpLc)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchesOverTheBand, LpCl, TunerKind::LpCl, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchesOverTheBand, HpCl, TunerKind::HpCl, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchesOverTheBand, LpLc, TunerKind::LpLc, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchesOverTheBand, LpClWithValley, TunerKind::LpCl, true)
    ->Unit(benchmark::kMillisecond);
