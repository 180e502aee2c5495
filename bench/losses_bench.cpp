// Speed of the losses with real parts at one frequency: the six networks of the boxes solved
// with their parts' losses, and everything a recalculation adds for them.
#include <benchmark/benchmark.h>

#include <array>

#include "losses/Losses.h"

namespace {

constexpr Network kAllNetworks[] = {Network::HpCl, Network::HpLc, Network::HpClc,
                                    Network::LpCl, Network::LpLc, Network::LpClc};

// The networks' values are the boxes', found once; each iteration solves all six with loss.
void BM_RealNetworks(benchmark::State& state, double frequency_MHz, double lcoil_uH) {
    const AntennaInput in{.frequency_MHz = frequency_MHz, .lcoil_uH = lcoil_uH};
    const LossQ q;
    const AntennaResult lossless = FeedPointImpedance(in).value();
    const AntennaResult real = FeedPointImpedance(WithCoilLoss(in, q)).value();
    const MatchLimits limits;
    std::array<MatchValues, 6> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = Match(kAllNetworks[i], lossless.r_f, lossless.x_f, frequency_MHz * 1e6, limits);
    }
    for (auto _ : state) {
        for (std::size_t i = 0; i < values.size(); ++i) {
            benchmark::DoNotOptimize(RealNetwork(kAllNetworks[i], values[i], limits, real, in, q));
        }
    }
}
BENCHMARK_CAPTURE(BM_RealNetworks, default_antenna_7_1MHz, 7.1, 0.0);
BENCHMARK_CAPTURE(BM_RealNetworks, default_antenna_14_2MHz, 14.2, 0.0);
BENCHMARK_CAPTURE(BM_RealNetworks, coil_20uH_7_1MHz, 7.1, 20.0);

// The whole of it as a pass or an export point asks: the antenna with its coil's loss, the
// boxes' values and the six solutions.
void BM_LossesAt(benchmark::State& state, double frequency_MHz, double lcoil_uH) {
    const AntennaInput in{.frequency_MHz = frequency_MHz, .lcoil_uH = lcoil_uH};
    const AntennaResult lossless = FeedPointImpedance(in).value();
    for (auto _ : state) {
        benchmark::DoNotOptimize(LossesAt(ClosedFormModel(), in, lossless, {}, LossQ{}));
    }
}
BENCHMARK_CAPTURE(BM_LossesAt, default_antenna_7_1MHz, 7.1, 0.0);
BENCHMARK_CAPTURE(BM_LossesAt, coil_20uH_7_1MHz, 7.1, 20.0);

}  // namespace
