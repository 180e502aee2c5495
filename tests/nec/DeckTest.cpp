#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <tuple>

#include "nec/Deck.h"

namespace {

// The default rod is one base-fed wire over perfect ground; other rods get segments by their
// length and thickness, or a fault.
TEST(NecDeck, DefaultRodAndSegmentsThatFollowLengthAndThickness) {
    const NecDeck deck = WriteNecDeck(4.5, 5);
    EXPECT_EQ(deck.text,
              "CM Orvane: rod 4.5 m long, 5 mm in diameter, over perfect ground\n"
              "CE\n"
              "GW 1 100 0 0 0 0 0 4.5 0.0025\n"
              "GE 1\n"
              "GN 1\n"
              "PT -1 0 0 0\n"
              "EX 0 1 1 0 1 0\n"
              "FR 0 300 0 0 0.1 0.1\n"
              "XQ\n"
              "EN\n");
    EXPECT_TRUE(deck.fault.empty());

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // Length, diameter, segments, extended kernel, and part of the fault text (or nullptr).
    // 4 m by 10 mm has exactly 8 radii per segment, 4.2 m by 50 mm fewer (the extended
    // kernel, down to 2 radii); a short stub needs few segments; 10 m needs more than 100 for
    // a hundredth of the wavelength at 30 MHz, 40 m gets the most, 80 m would need more.
    const std::tuple<double, double, int, bool, const char*> cases[] = {
        {4.5, 5, 100, false, nullptr},  {4, 10, 100, false, nullptr},
        {4.2, 50, 84, true, nullptr},   {4.5, 300, 15, true, nullptr},
        {1, 400, 2, true, nullptr},     {4.5, 1000, 0, false, "too thick"},
        {10, 5, 101, false, nullptr},   {40, 5, 160, false, nullptr},
        {80, 5, 0, false, "too long"},  {1e300, 5, 0, false, "too long"},
        {0, 5, 0, false, "above 0"},    {4.5, 0, 0, false, "above 0"},
        {-4.5, 5, 0, false, "above 0"}, {nan, 5, 0, false, "above 0"},
        {4.5, inf, 0, false, "above 0"}};
    for (const auto& [length_m, diameter_mm, segments, extended_kernel, fault] : cases) {
        SCOPED_TRACE(testing::Message() << length_m << " m, " << diameter_mm << " mm");
        const NecDeck deck = WriteNecDeck(length_m, diameter_mm);
        if (fault) {
            EXPECT_TRUE(deck.text.empty());
            EXPECT_NE(deck.fault.find(fault), std::string::npos) << deck.fault;
            EXPECT_EQ(deck.fault.find('\n'), std::string::npos);
            continue;
        }
        EXPECT_EQ(deck.segmentation.segments, segments);
        EXPECT_EQ(deck.segmentation.extended_kernel, extended_kernel);
        EXPECT_NE(deck.text.find("GW 1 " + std::to_string(segments) + " "), std::string::npos);
        EXPECT_EQ(deck.text.find("EK 0\n") != std::string::npos, extended_kernel);
        // The check run: half the segments, the same kernel.
        const NecDeck half = WriteNecDeck(length_m, diameter_mm, 2);
        EXPECT_EQ(half.segmentation.segments, std::max(1, segments / 2));
        EXPECT_EQ(half.segmentation.extended_kernel, extended_kernel);
    }
}

}  // namespace
