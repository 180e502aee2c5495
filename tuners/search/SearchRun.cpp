#include "tuners/search/SearchRun.h"

namespace {

constexpr double kGoodMatch = 1.4;
constexpr int32_t kOperationBudget = 1200;

}  // namespace

std::optional<double> SearchRun::Evaluate(int16_t c, int16_t l) {
    if (host_.Abandoned()) return std::nullopt;
    const double swr = host_.EvaluateSetting(c, l);
    // Strictly lower only: of equal settings the first one found stays best, and a
    // faulted evaluation (previous SWR) never takes over.
    if (swr < bestSWR_) {
        bestSWR_ = swr;
        best_ = {c, l};
    }
    return swr;
}

PhaseEnd SearchRun::Scan(std::span<const int16_t> lIndices, std::span<const int16_t> cIndices,
                         bool earlyStop) {
    for (const int16_t l : lIndices) {
        for (const int16_t c : cIndices) {
            const std::optional<double> swr = Evaluate(c, l);
            if (!swr) return PhaseEnd::Abandoned;
            if (earlyStop && (*swr < kGoodMatch || host_.Operations() > kOperationBudget)) {
                return PhaseEnd::EarlyStop;
            }
        }
    }
    return PhaseEnd::Completed;
}

PhaseEnd SearchRun::EvaluateBest() {
    return Evaluate(best_.c, best_.l) ? PhaseEnd::Completed : PhaseEnd::Abandoned;
}

void SearchRun::ShowCoarseResult(int level) {
    if (!host_.Abandoned()) host_.ShowCoarseResult(level, bestSWR_, best_.c, best_.l);
}
