#include "tuners/search/TunerSearch.h"

#include "tuners/search/Refinement.h"
#include "tuners/search/SearchPlan.h"
#include "tuners/search/SearchRun.h"

namespace {

constexpr double kFinalWindowUnlessBelow = 1.2;
constexpr int32_t kFinalHalfWidth = 3;

PhaseEnd Coarse(const SearchPlan& plan, SearchRun& run, IndexRange range) {
    int level = 0;
    for (const int next : plan.coarseLevels) {
        level = next;
        const std::vector<int16_t> ls = plan.lSequence(range.lmaxIndex, level);
        const std::vector<int16_t> cs = plan.cSequence(range.cmaxIndex, level);
        const PhaseEnd end = run.Scan(ls, cs, true);
        if (end == PhaseEnd::EarlyStop && plan.showCoarseOnEarlyStop) run.ShowCoarseResult(level);
        if (end != PhaseEnd::Completed) return end;
        if (run.bestSWR() < plan.finerUnlessBelow) break;
    }
    run.ShowCoarseResult(level);
    return PhaseEnd::Completed;
}

// The full window around the best has no early stop and no operation limit.
PhaseEnd FinalWindow(SearchRun& run, IndexRange range) {
    const BestSetting best = run.best();
    const IndexWindow w = ClampedWindow(best.l - kFinalHalfWidth, best.l + kFinalHalfWidth,
                                        best.c - kFinalHalfWidth, best.c + kFinalHalfWidth, range);
    return run.Scan(SteppedIndices(w.lLow, w.lHigh, 1), SteppedIndices(w.cLow, w.cHigh, 1), false);
}

}  // namespace

double RunSearch(TunerKind kind, SearchHost& host, IndexRange range, BestSetting& best) {
    const SearchPlan& plan = PlanFor(kind);
    SearchRun run(host, best);
    PhaseEnd end = Coarse(plan, run, range);
    if (end == PhaseEnd::Completed) end = Refine(run, range, plan.refinement);
    if (end == PhaseEnd::Abandoned) return run.bestSWR();
    if (plan.finalWindow && !(run.bestSWR() < kFinalWindowUnlessBelow)) {
        if (FinalWindow(run, range) == PhaseEnd::Abandoned) return run.bestSWR();
    }
    run.EvaluateBest();
    return run.bestSWR();
}
