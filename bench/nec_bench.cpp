// NEC-2 comparison: a geometry change (a new nec2c run, its report read and compared with
// the model) against a change of frequency or base elements (the comparison alone).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <string>
#include <vector>

#include "nec/Comparison.h"
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

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
