#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "core/NumberText.h"

namespace {

constexpr double kMax = std::numeric_limits<double>::max();

TEST(ParseLeadingNumber, ReadsTheLongestLeadingNumber) {
    EXPECT_EQ(ParseLeadingNumber("  04.50"), 4.5);
    EXPECT_EQ(ParseLeadingNumber("\t 7.1"), 7.1);
    EXPECT_EQ(ParseLeadingNumber("14,2"), 14) << "',' ends the number in every locale";
    EXPECT_EQ(ParseLeadingNumber(".1"), 0.1);
    EXPECT_EQ(ParseLeadingNumber("5."), 5);
    EXPECT_EQ(ParseLeadingNumber("+5"), 5);
    EXPECT_EQ(ParseLeadingNumber("-.25"), -0.25);
    EXPECT_EQ(ParseLeadingNumber("1.5E2"), 150);
    EXPECT_EQ(ParseLeadingNumber("-3e2x"), -300);
    EXPECT_EQ(ParseLeadingNumber("2.5e+3 MHz"), 2500);
    EXPECT_EQ(ParseLeadingNumber("25e-1"), 2.5);
    EXPECT_EQ(ParseLeadingNumber("1.2.3"), 1.2);
    EXPECT_EQ(ParseLeadingNumber("6 7"), 6);
}

TEST(ParseLeadingNumber, AnExponentNeedsADigit) {
    EXPECT_EQ(ParseLeadingNumber("2e"), 2);
    EXPECT_EQ(ParseLeadingNumber("2E+"), 2);
    EXPECT_EQ(ParseLeadingNumber("-3e-x"), -3);
    EXPECT_EQ(ParseLeadingNumber("4ex5"), 4);
}

TEST(ParseLeadingNumber, TextWithoutANumberReadsZero) {
    for (const char* text :
         {"", " ", ".", "-", "+", "-.", "abc", "nan", "inf", "-inf", "e5", "x12", ",5", "0x10"}) {
        const double value = ParseLeadingNumber(text);
        EXPECT_EQ(value, 0) << '"' << text << '"';
        EXPECT_FALSE(std::signbit(value)) << '"' << text << '"';
    }
    EXPECT_FALSE(std::signbit(ParseLeadingNumber("-0")));
}

TEST(ParseLeadingNumber, OutOfRangeSaturatesOrVanishes) {
    EXPECT_EQ(ParseLeadingNumber("1e999"), kMax);
    EXPECT_EQ(ParseLeadingNumber("-1e999"), -kMax);
    EXPECT_EQ(ParseLeadingNumber("1e-999"), 0);
    EXPECT_EQ(ParseLeadingNumber("-1e-999"), 0);
    EXPECT_EQ(ParseLeadingNumber("1.8e308"), kMax);
    EXPECT_EQ(ParseLeadingNumber("1e99999999999999999999999"), kMax);
    EXPECT_EQ(ParseLeadingNumber("1e-99999999999999999999999"), 0);
    EXPECT_EQ(ParseLeadingNumber("0e999"), 0);
    EXPECT_GT(ParseLeadingNumber("1e-310"), 0) << "subnormals are in range";

    const std::string ones(1000, '1');
    EXPECT_EQ(ParseLeadingNumber(ones), kMax);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber("-" + ones + "e-800"), -1.1111111111111111e199);
    EXPECT_EQ(ParseLeadingNumber(ones + "e-2000"), 0);
    EXPECT_EQ(ParseLeadingNumber("0." + std::string(400, '0') + "1"), 0);
    EXPECT_EQ(ParseLeadingNumber("0." + std::string(400, '0') + "1e500"), 1e99);
    EXPECT_EQ(ParseLeadingNumber(std::string(1000, '0') + "12.5"), 12.5);
}

TEST(FormatField, FifteenDigitsWithoutLeadingZero) {
    double f = 7.1;
    for (int i = 0; i < 5; ++i) f += 0.1;
    ASSERT_NE(f, 7.6);
    EXPECT_EQ(FormatField(f), "7.6");
    EXPECT_EQ(FormatField(0.1), ".1");
    EXPECT_EQ(FormatField(0.5), ".5");
    EXPECT_EQ(FormatField(-0.25), "-.25");
    EXPECT_EQ(FormatField(0.0), "0");
    EXPECT_EQ(FormatField(-0.0), "0");
    EXPECT_EQ(FormatField(418), "418");
    EXPECT_EQ(FormatField(-413.522), "-413.522");
    EXPECT_EQ(FormatField(1078.909), "1078.909");
    EXPECT_EQ(FormatField(123456789012345.6), "123456789012346");
    EXPECT_EQ(FormatField(0.0001), ".0001");
}

TEST(FormatField, ExponentFormHasUpperCaseEAndTwoDigits) {
    EXPECT_EQ(FormatField(1e15), "1E+15");
    EXPECT_EQ(FormatField(-2.5e20), "-2.5E+20");
    EXPECT_EQ(FormatField(1.5e-5), "1.5E-05");
    EXPECT_EQ(FormatField(1e300), "1E+300");
    EXPECT_EQ(FormatField(kMax), "1.79769313486232E+308");
}

TEST(FormatField, NonFiniteValuesGetAWordThatReadsBackAsZero) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FormatField(inf), "inf");
    EXPECT_EQ(FormatField(-inf), "-inf");
    EXPECT_EQ(FormatField(std::numeric_limits<double>::quiet_NaN()), "nan");
    EXPECT_EQ(FormatFieldSingle(std::numeric_limits<float>::infinity()), "inf");
    EXPECT_EQ(FormatTwoByTwo(-std::numeric_limits<float>::infinity()), "-inf");
    EXPECT_EQ(FormatTwoByTwo(std::numeric_limits<float>::quiet_NaN()), "nan");
    EXPECT_EQ(ParseLeadingNumber(FormatField(inf)), 0);
}

// What the field shows must read back as the same value to its 15 digits.
TEST(FormatField, ReadsBackThroughTheParser) {
    std::mt19937_64 rng(20240611);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int i = 0; i < 5000; ++i) {
        const double value = mantissa(rng) * std::pow(10.0, exponent(rng));
        const std::string text = FormatField(value);
        EXPECT_NEAR(ParseLeadingNumber(text), value, std::fabs(value) * 6e-15) << text;
    }
}

TEST(FormatFieldSingle, SevenSignificantDigits) {
    EXPECT_EQ(FormatFieldSingle(7.15f), "7.15");
    EXPECT_EQ(FormatFieldSingle(143.0f / 20.0f), "7.15");
    EXPECT_EQ(FormatFieldSingle(0.1f), ".1");
    EXPECT_EQ(FormatFieldSingle(-0.25f), "-.25");
    EXPECT_EQ(FormatFieldSingle(0.0f), "0");
    EXPECT_EQ(FormatFieldSingle(1234567.8f), "1234568");
    EXPECT_EQ(FormatFieldSingle(1e15f), "1E+15");
}

TEST(FormatTwoByTwo, TwoIntegerDigitsAndTwoDecimals) {
    EXPECT_EQ(FormatTwoByTwo(2.0f / 20.0f), "00.10");
    EXPECT_EQ(FormatTwoByTwo(143.0f / 20.0f), "07.15");
    EXPECT_EQ(FormatTwoByTwo(12.5f), "12.50");
    EXPECT_EQ(FormatTwoByTwo(0.0f), "00.00");
    EXPECT_EQ(FormatTwoByTwo(29.999f), "30.00");
    EXPECT_EQ(FormatTwoByTwo(123.456f), "123.46");
    EXPECT_EQ(FormatTwoByTwo(-0.5f), "-00.50");
    EXPECT_EQ(FormatTwoByTwo(-12.25f), "-12.25");
    EXPECT_EQ(FormatTwoByTwo(-0.001f), "00.00") << "a value shown as zero has no sign";
}

}  // namespace
