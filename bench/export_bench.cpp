// Speed of the export texts: the whole sweep CSV (1197 points, the antenna and six networks
// with their part stress and their losses with real parts) and the Touchstone one-port.

#include <benchmark/benchmark.h>

#include "exports/SweepCsv.h"
#include "exports/Touchstone.h"

namespace {

void SweepCsvText(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(SweepCsv(ClosedFormModel(), {}, {}, LossQ{}));
}

void TouchstoneOnePort(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(TouchstoneText(ClosedFormModel(), {}, "0.1"));
}

}  // namespace

BENCHMARK(SweepCsvText)->Unit(benchmark::kMillisecond);
BENCHMARK(TouchstoneOnePort)->Unit(benchmark::kMillisecond);
