#include "tuners/search/SearchPlan.h"

#include <limits>

namespace {

constexpr double kAlways = std::numeric_limits<double>::infinity();

constexpr int kHpClLevels[] = {2, 3, 4};
constexpr int kSingleLevel[] = {0};

constexpr WindowRow kHpClRows[] = {
    {kAlways, {2, 3}, {3, 2}, {2, 3}, {3, 2}},
    {10, {3, 4}, {4, 3}, {3, 4}, {4, 3}},
    {3, {4, 5}, {5, 4}, {4, 5}, {5, 4}},
};

constexpr WindowRow kLpClRows[] = {
    {kAlways, {1, 2}, {2, 1}, {1, 10}, kBankTop},
    {3, {9, 10}, {10, 9}, {1, 3}, {3, 1}},
    {2, {19, 20}, {20, 19}, {3, 4}, {4, 3}, true},
};

constexpr WindowRow kLpLcRows[] = {
    {kAlways, {1, 2}, {2, 1}, {1, 2}, {2, 1}},
    {10, {2, 3}, {3, 2}, {2, 3}, {3, 2}},
    {3, {3, 4}, {4, 3}, {3, 4}, {4, 3}},
};

std::vector<int16_t> LpClC(int16_t maxIndex, int) {
    return LpClCapacitorSequence(maxIndex);
}
std::vector<int16_t> LpClL(int16_t maxIndex, int) {
    return LpClInductorSequence(maxIndex);
}
std::vector<int16_t> Doubling(int16_t maxIndex, int) {
    return DoublingSequence(maxIndex);
}

const SearchPlan kHpCl{
    .coarseLevels = kHpClLevels,
    .finerUnlessBelow = 10,
    .cSequence = HpClSequence,
    .lSequence = HpClSequence,
    .showCoarseOnEarlyStop = true,
    .refinement = {kHpClRows, false},
    .finalWindow = true,
};

const SearchPlan kLpCl{
    .coarseLevels = kSingleLevel,
    .cSequence = LpClC,
    .lSequence = LpClL,
    .refinement = {kLpClRows, true},
};

const SearchPlan kLpLc{
    .coarseLevels = kSingleLevel,
    .cSequence = Doubling,
    .lSequence = Doubling,
    .refinement = {kLpLcRows, false},
};

}  // namespace

const SearchPlan& PlanFor(TunerKind kind) {
    switch (kind) {
        case TunerKind::HpCl:
            return kHpCl;
        case TunerKind::LpCl:
            return kLpCl;
        case TunerKind::LpLc:
            break;
    }
    return kLpLc;
}
