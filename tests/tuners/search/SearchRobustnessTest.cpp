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

}  // namespace

TEST(SearchAbandoned, ClosingTheWindowEndsTheSearchAtOnce) {
    for (const TunerKind kind : kKinds) {
        for (const int32_t closeAfter : {0, 1, 10, 63, 90}) {
            RecordingHost host([](int16_t, int16_t) { return std::optional<double>(5); });
            host.CloseAfter(closeAfter);
            BestSetting best;
            RunSearch(kind, host, {127, 511}, best);
            EXPECT_EQ(host.Operations(), closeAfter) << static_cast<int>(kind);
            EXPECT_EQ(host.evaluatedAfterClose(), 0);
            // The coarse phase of HP-CL ends after 63 evaluations: closed by then, nothing
            // is shown.
            if (closeAfter <= 63) {
                EXPECT_TRUE(host.coarse().empty()) << static_cast<int>(kind);
            }
        }
    }
}

TEST(SearchBest, CarriedOverUntilAnEvaluationSucceeds) {
    for (const TunerKind kind : kKinds) {
        // Every evaluation faults: the previous run's best stays and is evaluated last.
        RecordingHost faulting([](int16_t, int16_t) { return std::optional<double>(); });
        BestSetting best{50, 60};
        EXPECT_EQ(RunSearch(kind, faulting, {127, 511}, best), kNoMatch);
        EXPECT_EQ(best.c, 50);
        EXPECT_EQ(best.l, 60);
        EXPECT_EQ(faulting.evaluated().back(), (Setting{50, 60}));

        // A setting that faults keeps the SWR of the one before, which never takes over.
        RecordingHost mixed([](int16_t c, int16_t l) -> std::optional<double> {
            if (c == 1 && l == 1) return 3;
            return std::nullopt;
        });
        best = {50, 60};
        EXPECT_EQ(RunSearch(kind, mixed, {127, 511}, best), 3);
        EXPECT_EQ(best.c, 1);
        EXPECT_EQ(best.l, 1);
    }
}

TEST(SearchRanges, ExtremeIndicesStayInsideTheBanks) {
    const BestSetting stale[] = {{0, 0}, {32767, 32767}, {-32768, -32768}, {6554, 20000}};
    const IndexRange ranges[] = {{32767, 32767}, {32767, 1}, {1, 32767}, {-5, 100}, {127, 511}};
    for (const TunerKind kind : kKinds) {
        for (const IndexRange range : ranges) {
            for (const BestSetting carried : stale) {
                for (const bool faulting : {false, true}) {
                    RecordingHost host([faulting](int16_t c, int16_t l) {
                        return faulting ? std::nullopt : Rough(c, l);
                    });
                    BestSetting best = carried;
                    RunSearch(kind, host, range, best);
                    ASSERT_FALSE(host.evaluated().empty());
                    ASSERT_LE(host.Operations(), 1201 + 49 + 1);
                    // All but the final evaluation lie in the bank (or are the coarse
                    // sequences' 1 and 0 for a bank without elements); the last one is the best.
                    const std::vector<Setting>& seen = host.evaluated();
                    for (size_t i = 0; i + 1 < seen.size(); ++i) {
                        EXPECT_TRUE(seen[i].c <= std::max<int16_t>(range.cmaxIndex, 1) &&
                                    seen[i].l <= std::max<int16_t>(range.lmaxIndex, 1) &&
                                    seen[i].c >= std::min<int16_t>(range.cmaxIndex, 0) &&
                                    seen[i].l >= std::min<int16_t>(range.lmaxIndex, 0));
                    }
                    EXPECT_EQ(seen.back(), (Setting{best.c, best.l}));
                }
            }
        }
    }
}

TEST(SearchRanges, RefinementAtTheTopOfTheLargestBank) {
    // The best lies in the top corner: window edges above it are clamped there and no loop
    // steps past 32767 (a 16-bit counter would wrap to negative indices).
    for (const TunerKind kind : kKinds) {
        RecordingHost host([](int16_t c, int16_t l) -> std::optional<double> {
            return 1.45 + (32767 - c) * 1e-4 + (32767 - l) * 1e-4;
        });
        BestSetting best;
        RunSearch(kind, host, {32767, 32767}, best);
        for (const Setting& s : host.evaluated()) {
            ASSERT_GE(s.c, 1) << static_cast<int>(kind);
            ASSERT_GE(s.l, 1) << static_cast<int>(kind);
        }
        // The rising sequences end on the top, so the coarse phase finds it; the LP-CL
        // inductor sequence is too long to get there within the budget.
        if (kind != TunerKind::LpCl) {
            EXPECT_EQ(best.c, 32767);
            EXPECT_EQ(best.l, 32767);
        }
    }
}
