#include <benchmark/benchmark.h>

#include <optional>
#include <vector>

#include "core/Antenna.h"
#include "core/Matching.h"
#include "core/SweepFrequencies.h"

namespace {

constexpr Network kAllNetworks[] = {Network::HpCl, Network::HpLc, Network::HpClc,
                                    Network::LpCl, Network::LpLc, Network::LpClc};

void BM_FeedPointImpedance(benchmark::State& state) {
    AntennaInput in;
    for (auto _ : state) {
        benchmark::DoNotOptimize(in);
        std::optional<AntennaResult> result = FeedPointImpedance(in);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_FeedPointImpedance)->Name("FeedPointImpedance/defaults");

// All six networks for one load, as one recalculation pass evaluates them.
void BM_AllSixNetworks(benchmark::State& state, double frequency_MHz) {
    AntennaInput in;
    in.frequency_MHz = frequency_MHz;
    const AntennaResult antenna = FeedPointImpedance(in).value();
    const MatchLimits limits;
    double r = antenna.r_f;
    double x = antenna.x_f;
    double f_Hz = frequency_MHz * 1e6;
    for (auto _ : state) {
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(f_Hz);
        for (Network n : kAllNetworks) {
            MatchValues values = Match(n, r, x, f_Hz, limits);
            benchmark::DoNotOptimize(values);
        }
    }
}
BENCHMARK_CAPTURE(BM_AllSixNetworks, default_antenna_7_1MHz, 7.1);
BENCHMARK_CAPTURE(BM_AllSixNetworks, default_antenna_14_2MHz, 14.2);

// One sweep diagram's worth of points (1197): the antenna and the selected network at each.
void BM_Sweep(benchmark::State& state, Network network) {
    const MatchLimits limits;
    AntennaInput in;
    const std::vector<double> frequencies = SweepFrequencies(SweepGrid::Curves);
    for (auto _ : state) {
        int points = 0;
        for (const double f : frequencies) {
            in.frequency_MHz = f;
            const std::optional<AntennaResult> antenna = FeedPointImpedance(in);
            if (!antenna) break;
            MatchValues values = Match(network, antenna->r_f, antenna->x_f, f * 1e6, limits);
            benchmark::DoNotOptimize(values);
            ++points;
        }
        state.counters["points"] = points;
    }
}
BENCHMARK_CAPTURE(BM_Sweep, HpCl, Network::HpCl)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Sweep, HpLc, Network::HpLc)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Sweep, HpClc, Network::HpClc)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Sweep, LpCl, Network::LpCl)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Sweep, LpLc, Network::LpLc)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Sweep, LpClc, Network::LpClc)->Unit(benchmark::kMicrosecond);

}  // namespace
