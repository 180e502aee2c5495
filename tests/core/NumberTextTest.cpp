#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "core/NumberText.h"

namespace {

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// ',' ends the number in every locale; an exponent needs a digit; beyond a double the
// value saturates and below it vanishes.
TEST(ParseLeadingNumber, ReadsTheLongestLeadingNumberAndSaturatesOutOfRange) {
    const std::string ones(1000, '1'), onesTiny = ones + "e-2000";
    const std::string zeros = std::string(1000, '0') + "12.5";
    const std::string tiny = "0." + std::string(400, '0') + "1", tinyUp = tiny + "e500";
    const std::string up = "1e" + std::string(23, '9'), down = "1e-" + std::string(23, '9');
    using Case = std::pair<std::string, double>;
    const Case cases[] = {{"  04.50", 4.5},  {"\t 7.1", 7.1}, {".1", 0.1},
                          {"5.", 5},         {"+5", 5},       {"-.25", -0.25},
                          {"1.5E2", 150},    {"-3e2x", -300}, {"2.5e+3 MHz", 2500},
                          {"25e-1", 2.5},    {"1.2.3", 1.2},  {"6 7", 6},
                          {"14,2", 14},      {"2e", 2},       {"2E+", 2},
                          {"-3e-x", -3},     {"4ex5", 4},     {"1e999", kMax},
                          {"-1e999", -kMax}, {"1e-999", 0},   {"-1e-999", 0},
                          {"1.8e308", kMax}, {"0e999", 0},    {ones, kMax},
                          {onesTiny, 0},     {tiny, 0},       {tinyUp, 1e99},
                          {zeros, 12.5},     {up, kMax},      {down, 0}};
    for (const auto& [text, value] : cases) EXPECT_EQ(ParseLeadingNumber(text), value) << text;
    EXPECT_GT(ParseLeadingNumber("1e-310"), 0) << "subnormals are in range";
    EXPECT_DOUBLE_EQ(ParseLeadingNumber("-" + ones + "e-800"), -1.1111111111111111e199);
}

TEST(ParseLeadingNumber, TextWithoutANumberReadsZero) {
    for (const char* text : {"", " ", ".", "-", "+", "-.", "abc", "nan", "inf", "-inf", "e5", "x12",
                             ",5", "0x10", "-0"}) {
        const double value = ParseLeadingNumber(text);
        EXPECT_EQ(value, 0) << '"' << text << '"';
        EXPECT_FALSE(std::signbit(value)) << '"' << text << '"';
    }
}

// Exponents have an upper-case E and at least two digits.
TEST(FormatField, FifteenDigitsWithoutLeadingZeroExponentsAndWordsForNoNumber) {
    double sum = 7.1;
    for (int i = 0; i < 5; ++i) sum += 0.1;
    ASSERT_NE(sum, 7.6);
    using Case = std::pair<double, const char*>;
    const Case cases[] = {{sum, "7.6"},
                          {0.1, ".1"},
                          {-0.25, "-.25"},
                          {0.0, "0"},
                          {-0.0, "0"},
                          {418, "418"},
                          {0.0001, ".0001"},
                          {1e15, "1E+15"},
                          {1.5e-5, "1.5E-05"},
                          {1e300, "1E+300"},
                          {kInf, "inf"},
                          {-kInf, "-inf"},
                          {kNaN, "nan"},
                          {-413.522, "-413.522"},
                          {123456789012345.6, "123456789012346"},
                          {kMax, "1.79769313486232E+308"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(FormatField(value), text) << value;
    EXPECT_EQ(ParseLeadingNumber(FormatField(kInf)), 0) << "the word reads back as zero";
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

// Seven significant digits, and two integer digits with two decimals. A value shown as
// zero has no sign.
TEST(FormatFieldSingle, SevenDigitsOrTwoByTwo) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::nanf("");
    const float quotient = 143.0f / 20.0f, tenth = 2.0f / 20.0f;
    using Case = std::pair<float, const char*>;
    const Case single[] = {{7.15f, "7.15"},  {quotient, "7.15"}, {0.1f, ".1"},
                           {-0.25f, "-.25"}, {0.0f, "0"},        {1234567.8f, "1234568"},
                           {1e15f, "1E+15"}, {inf, "inf"}};
    for (const auto& [value, text] : single) EXPECT_EQ(FormatFieldSingle(value), text) << value;
    const Case twoByTwo[] = {{tenth, "00.10"},  {quotient, "07.15"}, {12.5f, "12.50"},
                             {0.0f, "00.00"},   {29.999f, "30.00"},  {123.456f, "123.46"},
                             {-0.5f, "-00.50"}, {-12.25f, "-12.25"}, {-0.001f, "00.00"},
                             {-inf, "-inf"},    {nan, "nan"}};
    for (const auto& [value, text] : twoByTwo) EXPECT_EQ(FormatTwoByTwo(value), text) << value;
}

}  // namespace
