#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "tests/tuners/search/FakeTuner.h"
#include "tuners/search/TunerSearch.h"

using Indices = std::vector<int16_t>;
using fake::Joined;
using fake::Span;

TEST(HpClSequence, GrowsByLevelAndEndsOnTheMaximum) {
    EXPECT_EQ(HpClSequence(1023, 2), (Indices{1, 3, 7, 15, 31, 63, 127, 255, 511, 1023}));
    EXPECT_EQ(HpClSequence(1023, 3),
              (Indices{1, 2, 4, 7, 11, 17, 26, 40, 61, 92, 139, 209, 314, 472, 709, 1023}));
    EXPECT_EQ(HpClSequence(1023, 4),
              (Indices{1,  2,  3,   5,   7,   10,  14,  19,  26,  35,  47,
                       63, 85, 114, 153, 205, 274, 366, 489, 653, 871, 1023}));
    // A smaller bank ends on its own maximum.
    EXPECT_EQ(HpClSequence(127, 3), (Indices{1, 2, 4, 7, 11, 17, 26, 40, 61, 92, 127}));
}

TEST(LpSequences, DefaultBanks) {
    EXPECT_EQ(LpClCapacitorSequence(1023), (Indices{1023, 682, 455, 303, 202, 135, 90, 60, 40, 27,
                                                    18,   12,  8,   7,   6,   5,   4,  3,  2,  1}));
    EXPECT_EQ(LpClCapacitorSequence(127),
              (Indices{127, 85, 57, 38, 25, 17, 11, 7, 6, 5, 4, 3, 2, 1}));
    // From 10 the next is round(6.67) = 7, not 9.
    EXPECT_EQ(LpClCapacitorSequence(10), (Indices{10, 7, 6, 5, 4, 3, 2, 1}));

    // 21 -> round(22.5) = 22: halves go to even.
    const Indices inductors511 = Joined<int16_t>(
        {Span(1, 20),
         {21,  22,  24,  26,  28,  30,  32,  34,  36,  39,  42,  45,  48,  51,  55,  59,
          63,  68,  73,  78,  84,  90,  96,  103, 110, 118, 126, 135, 145, 155, 166, 178,
          191, 205, 220, 236, 253, 271, 290, 311, 333, 357, 382, 409, 438, 469, 502, 511}});
    EXPECT_EQ(inductors511.size(), 68u);
    EXPECT_EQ(LpClInductorSequence(511), inductors511);
    Indices inductors127(inductors511.begin(), inductors511.begin() + 47);
    inductors127.push_back(127);
    EXPECT_EQ(LpClInductorSequence(127), inductors127);

    EXPECT_EQ(DoublingSequence(1023), (Indices{1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 1023}));
    EXPECT_EQ(DoublingSequence(511), (Indices{1, 2, 4, 8, 16, 32, 64, 128, 256, 511}));
}

TEST(Sequences, SmallAndEmptyBanks) {
    // A bank with no elements has max index 0: the rising sequences still try 1 first and
    // are then clamped to 0; the falling one starts at 0 and ends on 1.
    for (int level : {2, 3, 4}) {
        EXPECT_EQ(HpClSequence(0, level), (Indices{1, 0}));
        EXPECT_EQ(HpClSequence(1, level), (Indices{1}));
    }
    EXPECT_EQ(LpClCapacitorSequence(0), (Indices{0, 1}));
    EXPECT_EQ(LpClInductorSequence(0), (Indices{1, 0}));
    EXPECT_EQ(DoublingSequence(0), (Indices{1, 0}));
    EXPECT_EQ(LpClCapacitorSequence(1), (Indices{1}));
    EXPECT_EQ(LpClInductorSequence(1), (Indices{1}));
    EXPECT_EQ(DoublingSequence(1), (Indices{1}));

    EXPECT_TRUE(HpClSequence(1023, 1).empty());
}

TEST(Sequences, LargestBankEndsOnItsMaximumWithoutOverflow) {
    constexpr int16_t kTop = std::numeric_limits<int16_t>::max();
    const Indices doubling = DoublingSequence(kTop);
    ASSERT_EQ(doubling.size(), 16u);
    EXPECT_EQ(doubling[14], 16384);
    EXPECT_EQ(doubling[15], kTop);

    for (const Indices& sequence :
         {HpClSequence(kTop, 2), HpClSequence(kTop, 3), HpClSequence(kTop, 4),
          LpClInductorSequence(kTop), DoublingSequence(32000)}) {
        ASSERT_GE(sequence.size(), 2u);
        for (size_t i = 1; i < sequence.size(); ++i) EXPECT_GT(sequence[i], sequence[i - 1]);
    }
    EXPECT_EQ(HpClSequence(kTop, 2).back(), kTop);
    EXPECT_EQ(LpClInductorSequence(kTop).back(), kTop);

    const Indices falling = LpClCapacitorSequence(kTop);
    EXPECT_EQ(falling[1], 21845);
    EXPECT_EQ(falling.back(), 1);
    for (size_t i = 1; i < falling.size(); ++i) EXPECT_LT(falling[i], falling[i - 1]);
}

// Halves round to even; no range without a positive step or beyond 16 bits.
TEST(MaxIndex, RoundsHalvesToEvenAndRefusesWhatHasNoRange) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::optional<int16_t> none;
    const struct {
        double total, step;
        std::optional<int16_t> index;
    } cases[] = {
        {254, 2, 127},       {51.1, 0.1, 511},    {7672.5, 7.5, 1023}, {5, 2, 2},
        {7, 2, 4},           {-5, 2, -2},         {0, 2, 0},           {32767.4, 1, 32767},
        {32766.5, 1, 32766}, {-32768, 1, -32768}, {254, 0, none},      {0, 0, none},
        {254, -0.0, none},   {32767.5, 1, none},  {-32769, 1, none},   {1e308, 1e-308, none},
        {inf, 2, none},      {nan, 2, none},      {254, nan, none}};
    for (const auto& c : cases)
        EXPECT_EQ(MaxIndex(c.total, c.step), c.index) << c.total << " " << c.step;
}
