#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "losses/LossQ.h"

namespace {

TEST(LossQ, ReadsANumberFromOneTo100000OrIdeal) {
    const struct {
        const char* text;
        std::optional<double> q;
    } cases[] = {
        {" 87.5 ", 87.5},     {"1", 1},     {"100000", 100000}, {" IDEAL", kIdealQ},
        {"Ideal\t", kIdealQ}, {"0.99", {}}, {"100000.5", {}},   {"   ", {}},
        {"150,5", {}},        {"inf", {}},  {"nan", {}},        {"1e999", {}},
        {"ideally", {}},      {"idea", {}}, {"+150", {}},
    };
    for (const auto& [text, q] : cases) EXPECT_EQ(ParseQ(text), q) << '"' << text << '"';
}

TEST(LossQ, TextReadsBackAsTheSameQ) {
    for (const double q : {1.0, 87.5, 150.0, 1000.0, 33333.25, 100000.0, kIdealQ}) {
        EXPECT_EQ(ParseQ(QText(q)), q) << QText(q);
    }
    EXPECT_EQ(QText(kIdealQ), "ideal");
    EXPECT_EQ(QText(100000), "100000");
}

}  // namespace
