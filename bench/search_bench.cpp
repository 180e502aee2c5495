// Speed of the three tuner searches, and how good their result is: over the band the
// sweep tunes, each search's SWR against the best setting of the whole bank, and its
// switching operations against the bank's size.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Antenna.h"
#include "tests/tuners/search/FakeTuner.h"
#include "tuners/search/BestOfAllSettings.h"
#include "tuners/search/TunerSearch.h"

namespace {

// The sweep's frequencies, 0.1 to 29.9 MHz, with the antenna values of the main window's
// defaults as it displays them (rounded down to 0.001).
std::vector<fake::Load> BandLoads() {
    std::vector<fake::Load> loads;
    for (double f = 0.1; f <= 30; f += 0.1) {
        AntennaInput in;
        in.frequency_MHz = std::floor((f + 1e-5) * 100) / 100;
        const std::optional<AntennaResult> antenna = FeedPointImpedance(in);
        if (!antenna) continue;
        loads.push_back({in.frequency_MHz, std::floor(antenna->r_f * 1000) / 1000,
                         std::floor(antenna->x_f * 1000) / 1000});
    }
    return loads;
}

const std::vector<fake::Load>& Band() {
    static const std::vector<fake::Load> loads = BandLoads();
    return loads;
}

// The banks of a tuner with its default values, every setting from index 0 on.
struct Banks {
    BankValues c, l;
};

Banks DefaultBanks(TunerKind kind) {
    const BankSetup banks = fake::DefaultBanks(kind);
    return {CapacitorBank(banks), InductorBank(banks)};
}

// The tuner's network with its default banks, and the index range TUNE would search.
struct DefaultTuner {
    fake::SwrFunction network;
    IndexRange range;
};

DefaultTuner DefaultTunerFor(TunerKind kind, fake::Load load) {
    const BankSetup banks = fake::DefaultBanks(kind);
    return {fake::Network(kind, load, banks), banks.range};
}

using fake::TunerLoadOf;

// Lowest SWR of any setting of the whole bank, the yardstick for a search; and the lowest
// without index 0 (nothing switched in), which the searches visit only for an empty bank.
struct BankOptimum {
    double whole = 0;
    double withoutZero = 0;
};

// Computed once per tuner over the band.
const std::vector<BankOptimum>& Optimum(TunerKind kind) {
    static std::vector<BankOptimum> optimum[3];
    std::vector<BankOptimum>& best = optimum[static_cast<int>(kind)];
    if (best.empty()) {
        const Banks whole = DefaultBanks(kind);
        Banks withoutZero = whole;
        withoutZero.c.faulted[0] = withoutZero.l.faulted[0] = 1;
        for (const fake::Load& load : Band()) {
            const TunerLoad at = TunerLoadOf(load);
            best.push_back({BestOfAllSettings(kind, at, whole.c, whole.l).swr,
                            BestOfAllSettings(kind, at, withoutZero.c, withoutZero.l).swr});
        }
    }
    return best;
}

// The search over every setting of the default banks at 7.1 MHz, the plain double loop
// through the Checked formulas against the vectorised one.
void AllSettings(benchmark::State& state, TunerKind kind, bool plain) {
    const Banks banks = DefaultBanks(kind);
    const TunerLoad load = TunerLoadOf(fake::Load{});
    const NetworkFormula formulas[] = {HpClInput, LpClInput, LpLcInput};
    const NetworkFormula formula = formulas[static_cast<int>(kind)];
    int64_t settings = 0;
    for (auto _ : state) {
        const AllSettingsBest best =
            plain ? fake::PlainBestOfAllSettings(formula, load, banks.c, banks.l)
                  : BestOfAllSettings(kind, load, banks.c, banks.l);
        benchmark::DoNotOptimize(best.swr);
        settings += best.settings;
    }
    state.counters["settings/s"] =
        benchmark::Counter(static_cast<double>(settings), benchmark::Counter::kIsRate);
}

// What a sweep-tune adds for the yardstick: every setting at each of its 299 frequencies.
void AllSettingsOverTheBand(benchmark::State& state, TunerKind kind) {
    const Banks banks = DefaultBanks(kind);
    for (auto _ : state) {
        for (const fake::Load& load : Band()) {
            benchmark::DoNotOptimize(BestOfAllSettings(kind, TunerLoadOf(load), banks.c, banks.l));
        }
    }
}

void EvaluationsPerSecond(benchmark::State& state, TunerKind kind) {
    const DefaultTuner tuner = DefaultTunerFor(kind, fake::Load{});
    int64_t evaluations = 0;
    for (auto _ : state) {
        fake::RecordingHost host(tuner.network);
        BestSetting best;
        benchmark::DoNotOptimize(RunSearch(kind, host, tuner.range, best));
        evaluations += host.Operations();
    }
    state.counters["evals/s"] =
        benchmark::Counter(static_cast<double>(evaluations), benchmark::Counter::kIsRate);
    state.counters["ops/run"] =
        benchmark::Counter(static_cast<double>(evaluations), benchmark::Counter::kAvgIterations);
}

struct Excess {
    double mean = 0;
    double median = 0;
    double worst = 0;
    int atOptimum = 0;
};

Excess ExcessOver(const std::vector<double>& found, const std::vector<double>& optimum) {
    std::vector<double> excess;
    for (size_t i = 0; i < found.size(); ++i) excess.push_back(found[i] - optimum[i]);
    Excess e;
    for (const double d : excess) {
        e.mean += d / static_cast<double>(excess.size());
        e.atOptimum += d == 0;
    }
    std::sort(excess.begin(), excess.end());
    e.median = excess[excess.size() / 2];
    e.worst = excess.back();
    return e;
}

// One sweep's worth of searches over the band. The counters compare each search's SWR
// with the best of the whole bank (d_*) and with the best without index 0 (d1_*), and its
// switching operations with the number of settings in the bank.
void BandSweep(benchmark::State& state, TunerKind kind) {
    const std::vector<BankOptimum>& optimum = Optimum(kind);
    std::vector<double> found;
    std::vector<int32_t> operations;
    for (auto _ : state) {
        found.clear();
        operations.clear();
        for (const fake::Load& load : Band()) {
            const DefaultTuner tuner = DefaultTunerFor(kind, load);
            fake::RecordingHost host(tuner.network);
            BestSetting best;
            found.push_back(RunSearch(kind, host, tuner.range, best));
            operations.push_back(host.Operations());
        }
    }
    std::vector<double> whole, withoutZero;
    for (const BankOptimum& o : optimum) {
        whole.push_back(o.whole);
        withoutZero.push_back(o.withoutZero);
    }
    const Excess overWhole = ExcessOver(found, whole);
    const Excess overNonZero = ExcessOver(found, withoutZero);
    const IndexRange range = DefaultTunerFor(kind, fake::Load{}).range;
    double opsSum = 0;
    for (const int32_t ops : operations) opsSum += ops;
    state.counters["freqs"] = static_cast<double>(found.size());
    state.counters["d_mean"] = overWhole.mean;
    state.counters["d_median"] = overWhole.median;
    state.counters["d_worst"] = overWhole.worst;
    state.counters["at_opt"] = overWhole.atOptimum;
    state.counters["d1_mean"] = overNonZero.mean;
    state.counters["d1_median"] = overNonZero.median;
    state.counters["d1_worst"] = overNonZero.worst;
    state.counters["at_opt1"] = overNonZero.atOptimum;
    state.counters["ops_mean"] = opsSum / static_cast<double>(operations.size());
    state.counters["ops_max"] = *std::max_element(operations.begin(), operations.end());
    state.counters["bank"] = (range.cmaxIndex + 1.0) * (range.lmaxIndex + 1.0);
}

}  // namespace

BENCHMARK_CAPTURE(EvaluationsPerSecond, HpCl, TunerKind::HpCl);
BENCHMARK_CAPTURE(EvaluationsPerSecond, LpCl, TunerKind::LpCl);
BENCHMARK_CAPTURE(EvaluationsPerSecond, LpLc, TunerKind::LpLc);
BENCHMARK_CAPTURE(BandSweep, HpCl, TunerKind::HpCl)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BandSweep, LpCl, TunerKind::LpCl)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BandSweep, LpLc, TunerKind::LpLc)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AllSettings, HpClPlain, TunerKind::HpCl, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AllSettings, HpCl, TunerKind::HpCl, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AllSettings, LpClPlain, TunerKind::LpCl, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AllSettings, LpCl, TunerKind::LpCl, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AllSettings, LpLcPlain, TunerKind::LpLc, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AllSettings, LpLc, TunerKind::LpLc, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AllSettingsOverTheBand, LpCl, TunerKind::LpCl)->Unit(benchmark::kMillisecond);
