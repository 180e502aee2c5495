#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/Checked.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Checked, OrdinaryStepsPassUnchanged) {
    Checked c;
    EXPECT_EQ(c.Div(1, 4), 0.25);
    EXPECT_EQ(c.Sqrt(2.25), 1.5);
    EXPECT_EQ(c.Sqrt(-0.0), 0);
    EXPECT_DOUBLE_EQ(c.Ln(std::exp(2.0)), 2);
    EXPECT_EQ(c.Exp(0), 1);
    EXPECT_EQ(c.Exp(-1000), 0) << "underflow is not a fault";
    EXPECT_EQ(c.Pow2(-3), 9);
    EXPECT_EQ(c.Floor(-0.5), -1);
    EXPECT_EQ(c.Floor(2.999), 2);
    EXPECT_DOUBLE_EQ(c.Atan(1), std::atan(1.0));
    EXPECT_TRUE(c.ok());
    EXPECT_FALSE(c.faulted());
}

// Each of these steps must raise the flag and hand back 0, never NaN or infinity.
TEST(Checked, EveryFaultingStepIsReportedAndYieldsNoNumber) {
    struct Case {
        const char* what;
        double (*step)(Checked&);
    };
    const Case cases[] = {
        {"1/0", [](Checked& c) { return c.Div(1, 0); }},
        {"0/0", [](Checked& c) { return c.Div(0, 0); }},
        {"1/-0", [](Checked& c) { return c.Div(1, -0.0); }},
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

TEST(Checked, FaultStaysRaisedEvenWhenALaterStepWouldMaskIt) {
    Checked c;
    const double huge = c.Div(1, 0);
    // In plain arithmetic 1/(1/0) would be an innocent 0.
    c.Div(1, huge + 1);
    c.Sqrt(4);
    EXPECT_TRUE(c.faulted());

    Checked d;
    d.Fail();
    EXPECT_FALSE(d.ok());
}

}  // namespace
