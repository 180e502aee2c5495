#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "core/Numeric.h"

namespace {

TEST(NumericACos, EdgesUseTheModelPiAndNeverFault) {
    EXPECT_EQ(num::ACos(1.0), 0);
    EXPECT_EQ(num::ACos(-1.0), 3.14159265);
    EXPECT_EQ(num::ACos(0), 1.5707963267948966) << "the inner pi/2 is full precision";
    EXPECT_EQ(num::ACos(1.0000001), 0);
    EXPECT_EQ(num::ACos(-1.5), 0);
    EXPECT_EQ(num::ACos(2), 0);
    EXPECT_EQ(num::ACos(-2), 0);
    EXPECT_EQ(num::ACos(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_NEAR(num::ACos(0.5), std::numbers::pi / 3, 1e-15);
    EXPECT_NEAR(num::ACos(-0.999999), std::acos(-0.999999), 1e-12);
}

TEST(NumericInverse, ASinAndATanHValuesAndDomainFaults) {
    Checked c;
    EXPECT_EQ(num::ASin(0, c), 0);
    EXPECT_NEAR(num::ASin(0.5, c), std::numbers::pi / 6, 1e-15);
    EXPECT_NEAR(num::ASin(-0.9, c), std::asin(-0.9), 1e-15);
    EXPECT_EQ(num::ATanH(0, c), 0);
    EXPECT_NEAR(num::ATanH(0.5, c), 0.5493061443340549, 1e-16);
    EXPECT_NEAR(num::ATanH(-0.999, c), std::atanh(-0.999), 1e-13);
    EXPECT_TRUE(c.ok());

    for (double x : {1.0, -1.0, 1.5, -7.0}) {
        Checked asin_check;
        EXPECT_TRUE(std::isfinite(num::ASin(x, asin_check)));
        EXPECT_TRUE(asin_check.faulted()) << "ASin(" << x << ")";
        Checked atanh_check;
        EXPECT_TRUE(std::isfinite(num::ATanH(x, atanh_check)));
        EXPECT_TRUE(atanh_check.faulted()) << "ATanH(" << x << ")";
    }
}

TEST(NumericHyperbolic, AgreeWithTheLibraryAndHaveExactZeroValues) {
    Checked c;
    EXPECT_EQ(num::SinH(0, c), 0);
    EXPECT_EQ(num::CosH(0, c), 1);
    EXPECT_EQ(num::TanH(0, c), 0);
    EXPECT_EQ(num::SecH(0, c), 1);
    for (double x : {-20.0, -2.5, -0.3, 0.7, 3.0, 100.0}) {
        EXPECT_NEAR(num::SinH(x, c), std::sinh(x), 1e-13 * std::cosh(x)) << x;
        EXPECT_NEAR(num::CosH(x, c), std::cosh(x), 1e-13 * std::cosh(x)) << x;
        EXPECT_NEAR(num::TanH(x, c), std::tanh(x), 1e-14) << x;
        EXPECT_NEAR(num::CotH(x, c), 1 / std::tanh(x), 1e-13 / std::fabs(std::tanh(x))) << x;
        EXPECT_NEAR(num::SecH(x, c), 1 / std::cosh(x), 1e-14) << x;
        EXPECT_NEAR(num::CscH(x, c), 1 / std::sinh(x), 1e-13 / std::fabs(std::sinh(x))) << x;
    }
    EXPECT_TRUE(c.ok());
}

TEST(NumericHyperbolic, FaultWhereEitherExponentialOverflowsAndCotHCscHAtZero) {
    using Fn = double (*)(double, Checked&);
    const Fn all[] = {num::SinH, num::CosH, num::TanH, num::CotH, num::SecH, num::CscH};
    for (Fn fn : all) {
        for (double x : {709.8, -709.8, -800.0, 1e6}) {
            Checked c;
            EXPECT_TRUE(std::isfinite(fn(x, c)));
            EXPECT_TRUE(c.faulted()) << x;
        }
        Checked inside;
        fn(709.7, inside);
        fn(-709.7, inside);
        EXPECT_TRUE(inside.ok());
    }
    for (Fn fn : {Fn{num::CotH}, Fn{num::CscH}}) {
        Checked c;
        EXPECT_EQ(fn(0, c), 0);
        EXPECT_TRUE(c.faulted());
    }
}

TEST(NumericLog10, ValuesAndNonPositiveArguments) {
    Checked c;
    EXPECT_EQ(num::log10(1, c), 0);
    EXPECT_NEAR(num::log10(1000, c), 3, 1e-15);
    EXPECT_NEAR(num::log10(0.48444, c), std::log10(0.48444), 1e-15);
    EXPECT_TRUE(c.ok());
    for (double x : {0.0, -1.0}) {
        Checked bad;
        EXPECT_TRUE(std::isfinite(num::log10(x, bad)));
        EXPECT_TRUE(bad.faulted()) << x;
    }
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
