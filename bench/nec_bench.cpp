// NEC-2 comparison: a geometry change (a new nec2c run, its report read and compared with
// the model) against a change of frequency or base elements (the comparison alone).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <string>
#include <vector>

#include "nec/Comparison.h"
#include "nec/ConvergedRuns.h"
#include "nec/Runner.h"

namespace {

std::vector<NecComparisonRow> Compare(const NecOutcome& outcome) {
    return CompareWithModel(outcome.points, AntennaInput{});
}

// From the request of a rod not run before to its 300 compared rows.
void BM_NecRunOfANewRod(benchmark::State& state) {
    NecRunner runner;
    double length_m = 4.5;
    for (auto _ : state) {
        length_m += 1e-6;  // a rod of its own each time, so nothing comes from the cache
        const NecRod rod{length_m, 5};
        QEventLoop loop;
        QObject::connect(&runner, &NecRunner::finished, &loop, &QEventLoop::quit);
        if (!runner.request(rod)) loop.exec();
        const NecOutcome* outcome = runner.request(rod);
        if (!outcome || !outcome->fault.isEmpty()) {
            state.SkipWithError(outcome ? qPrintable(outcome->fault) : "no outcome");
            break;
        }
        benchmark::DoNotOptimize(Compare(*outcome));
    }
}
BENCHMARK(BM_NecRunOfANewRod)
    ->Name("NecRun/300 frequencies")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A change of frequency, coil or base capacitance: the rod's outcome is known.
void BM_NecComparisonOfAKnownRod(benchmark::State& state) {
    NecRunner runner;
    const NecRod rod{4.5, 5};
    QEventLoop loop;
    QObject::connect(&runner, &NecRunner::finished, &loop, &QEventLoop::quit);
    if (!runner.request(rod)) loop.exec();
    const NecOutcome* outcome = runner.request(rod);
    if (!outcome || !outcome->fault.isEmpty()) {
        state.SkipWithError("nec2c gave no outcome");
        return;
    }
    for (auto _ : state) {
        const std::vector<NecComparisonRow> rows = Compare(*runner.request(rod));
        const std::string line = ComparisonStatusLine(rows[70]);
        benchmark::DoNotOptimize(line);
    }
}
BENCHMARK(BM_NecComparisonOfAKnownRod)
    ->Name("NecComparison/known rod")
    ->Unit(benchmark::kMicrosecond);

// The NEC-2 source's run of a new rod: the sweep at the chosen segmentation and the check at
// half of it, one after the other in the background; with the longest pause of the event loop.
void BM_ConvergedRunOfANewRod(benchmark::State& state) {
    ConvergedNecRuns runs;
    runs.setTimeout(60000);
    double length_m = 4.5;
    qint64 longestGap_ms = 0;
    for (auto _ : state) {
        length_m += 1e-6;
        const NecRod rod{length_m, 5};
        QElapsedTimer gap;
        gap.start();
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout,
                         [&] { longestGap_ms = std::max(longestGap_ms, gap.restart()); });
        tick.start(5);
        QEventLoop loop;
        QObject::connect(&runs, &ConvergedNecRuns::finished, &loop, &QEventLoop::quit);
        if (!runs.request(rod)) loop.exec();
        const ConvergedOutcome* outcome = runs.request(rod);
        if (!outcome || !outcome->run) {
            state.SkipWithError(outcome ? qPrintable(outcome->fault) : "no outcome");
            break;
        }
    }
    state.counters["longest_event_gap_ms"] = static_cast<double>(longestGap_ms);
}
BENCHMARK(BM_ConvergedRunOfANewRod)
    ->Name("ConvergedRun/new rod")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

// A later start: the run comes from the disk cache.
void BM_ConvergedRunFromCache(benchmark::State& state) {
    const NecRod rod{4.5, 5};
    {
        ConvergedNecRuns first;
        first.setTimeout(60000);
        QEventLoop loop;
        QObject::connect(&first, &ConvergedNecRuns::finished, &loop, &QEventLoop::quit);
        if (!first.request(rod)) loop.exec();
    }
    for (auto _ : state) {
        ConvergedNecRuns later;
        const ConvergedOutcome* outcome = later.request(rod);
        if (!outcome || !outcome->run) {
            state.SkipWithError("not in the cache");
            break;
        }
    }
}
BENCHMARK(BM_ConvergedRunFromCache)->Name("ConvergedRun/from cache")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // The runs are cached here, not in the user's cache.
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
