#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tests/tuners/search/FakeTuner.h"
#include "tuners/search/TunerSearch.h"

using namespace fake;

namespace {

constexpr TunerKind kKinds[] = {TunerKind::HpCl, TunerKind::LpCl, TunerKind::LpLc};

// A rough landscape with its minimum somewhere inside the bank.
std::optional<double> Rough(int16_t c, int16_t l) {
    return 1.5 + static_cast<double>(std::llabs(c * 7919LL + l * 104729LL) % 1000) / 100;
}

std::optional<double> Faulting(int16_t, int16_t) {
    return std::nullopt;
}

// Best in the top corner of the largest bank, just above the early stop.
std::optional<double> TopCorner(int16_t c, int16_t l) {
    return 1.45 + (32767 - c) * 1e-4 + (32767 - l) * 1e-4;
}

}  // namespace

// Closing the window ends the search at once; HP-CL's coarse phase ends after 63
// evaluations: closed by then, nothing is shown. When every evaluation faults, the
// previous run's best stays and is evaluated last; a setting that faults keeps the SWR of
// the one before, which never takes over.
TEST(SearchAbandoned, ClosingTheWindowEndsTheSearchAtOnceAndFaultsKeepTheCarriedBest) {
    const SwrFunction onlyFirst = [](int16_t c, int16_t l) -> std::optional<double> {
        if (c == 1 && l == 1) return 3;
        return std::nullopt;
    };
    for (const TunerKind kind : kKinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        for (const int32_t closeAfter : {0, 1, 10, 63, 90}) {
            RecordingHost host(Landscape(5, {}));
            host.CloseAfter(closeAfter);
            BestSetting best;
            RunSearch(kind, host, {127, 511}, best);
            EXPECT_EQ(host.Operations(), closeAfter);
            EXPECT_EQ(host.evaluatedAfterClose(), 0);
            EXPECT_TRUE(closeAfter > 63 || host.coarse().empty());
        }
        const Searched none = Search(kind, Faulting, {127, 511}, {50, 60});
        EXPECT_EQ(none.swr, kNoMatch);
        EXPECT_EQ(none.best, (Setting{50, 60}));
        EXPECT_EQ(none.host.evaluated().back(), (Setting{50, 60}));
        const Searched mixed = Search(kind, onlyFirst, {127, 511}, {50, 60});
        EXPECT_EQ(mixed.swr, 3);
        EXPECT_EQ(mixed.best, (Setting{1, 1}));
    }
}

// TopCorner's best lies in the top corner of the largest bank: window edges above it are
// clamped there and no loop steps past 32767 (a 16-bit counter would wrap to negative
// indices). The rising sequences end on the top, so the coarse phase finds it; the LP-CL
// inductor sequence is too long to get there within the budget.
TEST(SearchRanges, ExtremeIndicesStayInsideTheBanks) {
    const BestSetting stale[] = {{0, 0}, {32767, 32767}, {-32768, -32768}, {6554, 20000}};
    const IndexRange ranges[] = {{32767, 32767}, {32767, 1}, {1, 32767}, {-5, 100}, {127, 511}};
    const SwrFunction landscapes[] = {Rough, Faulting, TopCorner};
    for (const TunerKind kind : kKinds) {
        for (const IndexRange range : ranges) {
            for (const BestSetting carried : stale) {
                for (const SwrFunction& swrOf : landscapes) {
                    const Searched run = Search(kind, swrOf, range, carried);
                    ASSERT_FALSE(run.host.evaluated().empty());
                    ASSERT_LE(run.host.Operations(), 1201 + 49 + 1);
                    // All but the final evaluation lie in the bank (or are the coarse
                    // sequences' 1 and 0 for a bank without elements); the last one is the best.
                    const std::vector<Setting>& seen = run.host.evaluated();
                    auto inBank = [](int16_t i, int16_t max) {
                        return i >= std::min<int16_t>(max, 0) && i <= std::max<int16_t>(max, 1);
                    };
                    for (size_t i = 0; i + 1 < seen.size(); ++i) {
                        EXPECT_TRUE(inBank(seen[i].c, range.cmaxIndex) &&
                                    inBank(seen[i].l, range.lmaxIndex));
                    }
                    EXPECT_EQ(seen.back(), run.best);
                    if (&swrOf == &landscapes[2] && range.cmaxIndex == 32767 &&
                        range.lmaxIndex == 32767 && kind != TunerKind::LpCl) {
                        EXPECT_EQ(run.best, (Setting{32767, 32767}));
                    }
                }
            }
        }
    }
}
