#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "core/Checked.h"
#include "core/Numeric.h"

namespace {

using Fn = double (*)(double, Checked&);

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Checked, EdgesAreNoFaultAndAFaultStaysRaisedEvenWhenALaterStepWouldMaskIt) {
    Checked c;
    EXPECT_EQ(c.Sqrt(-0.0), 0);
    EXPECT_EQ(c.Exp(-1000), 0) << "underflow is not a fault";
    EXPECT_EQ(c.Pow2(-3), 9);
    EXPECT_EQ(c.Floor(-0.5), -1);
    EXPECT_TRUE(c.ok());
    const double huge = c.Div(1, 0);
    // In plain arithmetic 1/(1/0) would be an innocent 0.
    c.Div(1, huge + 1);
    c.Sqrt(4);
    EXPECT_TRUE(c.faulted());
}

// Each of these steps must raise the flag and hand back 0, never NaN or infinity.
TEST(Checked, EveryFaultingStepIsReportedAndYieldsNoNumber) {
    struct Case {
        const char* what;
        double (*step)(Checked&);
    };
    const Case cases[] = {
        {"1/0", [](Checked& c) { return c.Div(1, 0); }},
        {"1/inf", [](Checked& c) { return c.Div(1, kInf); }},
        {"overflowing quotient", [](Checked& c) { return c.Div(1e300, 1e-300); }},
        {"sqrt(-tiny)", [](Checked& c) { return c.Sqrt(-1e-300); }},
        {"sqrt(NaN)", [](Checked& c) { return c.Sqrt(kNaN); }},
        {"ln(0)", [](Checked& c) { return c.Ln(0); }},
        {"ln(-1)", [](Checked& c) { return c.Ln(-1); }},
        {"exp(710)", [](Checked& c) { return c.Exp(710); }},
        {"overflowing square", [](Checked& c) { return c.Pow2(1e200); }},
        {"infinite sum", [](Checked& c) { return c.Finite(1e308 + 1e308); }},
        {"NaN", [](Checked& c) { return c.Finite(kNaN); }},
        {"sin(inf)", [](Checked& c) { return c.Sin(kInf); }},
        {"cos(NaN)", [](Checked& c) { return c.Cos(kNaN); }},
        {"tan(inf)", [](Checked& c) { return c.Tan(kInf); }},
        {"atan(NaN)", [](Checked& c) { return c.Atan(kNaN); }},
        {"floor(inf)", [](Checked& c) { return c.Floor(-kInf); }},
    };
    for (const Case& k : cases) {
        Checked c;
        const double result = k.step(c);
        EXPECT_TRUE(c.faulted()) << k.what;
        EXPECT_TRUE(std::isfinite(result)) << k.what;
    }
}

TEST(NumericACos, EdgesUseTheModelPiAndNeverFault) {
    // Outside -1 .. 1 the result is 0.
    const std::pair<double, double> exact[] = {
        {1.0, 0}, {-1.0, 3.14159265}, {1.0000001, 0}, {-1.5, 0}, {2, 0}, {-2, 0}, {kNaN, 0}};
    for (const auto& [x, value] : exact) EXPECT_EQ(num::ACos(x), value) << x;
    EXPECT_EQ(num::ACos(0), 1.5707963267948966) << "the inner pi/2 is full precision";
    EXPECT_NEAR(num::ACos(0.5), std::numbers::pi / 3, 1e-15);
    EXPECT_NEAR(num::ACos(-0.999999), std::acos(-0.999999), 1e-12);
}

TEST(NumericFunctions, AgreeWithTheLibraryAndHaveExactZeroValues) {
    Checked c;
    EXPECT_NEAR(num::ASin(-0.9, c), std::asin(-0.9), 1e-15);
    EXPECT_NEAR(num::ATanH(-0.999, c), std::atanh(-0.999), 1e-13);
    EXPECT_NEAR(num::log10(0.48444, c), std::log10(0.48444), 1e-15);
    const std::pair<Fn, double> atZero[] = {{num::ASin, 0}, {num::ATanH, 0}, {num::SinH, 0},
                                            {num::CosH, 1}, {num::TanH, 0},  {num::SecH, 1}};
    for (const auto& [fn, value] : atZero) EXPECT_EQ(fn(0, c), value);
    EXPECT_EQ(num::log10(1, c), 0);
    for (double x : {-20.0, -2.5, -0.3, 0.7, 3.0, 100.0}) {
        EXPECT_NEAR(num::SinH(x, c), std::sinh(x), 1e-13 * std::cosh(x)) << x;
        EXPECT_NEAR(num::CosH(x, c), std::cosh(x), 1e-13 * std::cosh(x)) << x;
        EXPECT_NEAR(num::TanH(x, c), std::tanh(x), 1e-14) << x;
        EXPECT_NEAR(num::CotH(x, c), 1 / std::tanh(x), 1e-13 / std::fabs(std::tanh(x))) << x;
        EXPECT_NEAR(num::SecH(x, c), 1 / std::cosh(x), 1e-14) << x;
        EXPECT_NEAR(num::CscH(x, c), 1 / std::sinh(x), 1e-13 / std::fabs(std::sinh(x))) << x;
    }
    // Just inside the range of the exponentials.
    for (Fn fn : {num::SinH, num::CosH, num::TanH, num::CotH, num::SecH, num::CscH}) {
        fn(709.7, c);
        fn(-709.7, c);
    }
    EXPECT_TRUE(c.ok());
}

// Outside the domain, or where either exponential overflows, the flag goes up and the
// result is still a number.
TEST(NumericFunctions, FaultOutsideTheDomainAndOnOverflow) {
    const std::vector<double> overflowing{709.8, -709.8, -800.0, 1e6};
    const std::vector<double> atZeroToo{0, 709.8, -709.8, -800.0, 1e6};
    const std::pair<Fn, std::vector<double>> cases[] = {
        {num::ASin, {1, -1, 1.5, -7}}, {num::ATanH, {1, -1, 1.5, -7}}, {num::log10, {0, -1}},
        {num::SinH, overflowing},      {num::CosH, overflowing},       {num::TanH, overflowing},
        {num::SecH, overflowing},      {num::CotH, atZeroToo},         {num::CscH, atZeroToo}};
    for (const auto& [fn, xs] : cases) {
        for (double x : xs) {
            Checked c;
            EXPECT_TRUE(std::isfinite(fn(x, c))) << x;
            EXPECT_TRUE(c.faulted()) << x;
        }
    }
    Checked c;
    EXPECT_EQ(num::CotH(0, c), 0);
    EXPECT_EQ(num::CscH(0, c), 0);
}

TEST(NumericFloorTo, RoundsTowardsMinusInfinityAndFaultsOnOverflow) {
    Checked c;
    EXPECT_DOUBLE_EQ(num::FloorTo(-413.5211, 1000, c), -413.522);
    EXPECT_DOUBLE_EQ(num::FloorTo(9.6982, 1000, c), 9.698);
    EXPECT_DOUBLE_EQ(num::FloorTo(23.9013, 10, c), 23.9);
    EXPECT_EQ(num::FloorTo(418.357, 1, c), 418);
    EXPECT_EQ(num::FloorTo(-0.01, 10, c), -0.1);
    EXPECT_TRUE(c.ok());

    Checked overflow;
    EXPECT_TRUE(std::isfinite(num::FloorTo(1e306, 1000, overflow)));
    EXPECT_TRUE(overflow.faulted());
}

}  // namespace
