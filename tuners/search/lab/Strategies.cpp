#include "tuners/search/lab/Strategies.h"

#include <algorithm>

#include "tuners/search/lab/Probe.h"

namespace {

constexpr int kGridSize = 8;
constexpr std::size_t kLocalStarts = 3;

// What a search that ends in `probe` hands back.
double Ended(Probe& probe, BestSetting& best) {
    probe.Finish();
    if (probe.best()) best = *probe.best();
    return probe.bestSwr();
}

}  // namespace

std::vector<int16_t> SpreadIndices(int16_t maxIndex, int count) {
    std::vector<int16_t> indices;
    for (int i = 0; i < count && maxIndex >= 0; ++i) {
        // Rounded to the nearest index, in 64 bits: count * 32767 overflows nothing there.
        const auto index =
            static_cast<int16_t>((2 * int64_t{i} * maxIndex + (count - 1)) / (2 * (count - 1)));
        if (indices.empty() || indices.back() != index) indices.push_back(index);
    }
    return indices;
}

double TuneSearch::Search(SearchHost& host, IndexRange range, BestSetting& best) {
    return RunSearch(kind_, host, range, best);
}

namespace {

using LocalSearch = BestSetting (*)(Probe& probe, BestSetting start);

double GridThenLocal(SearchHost& host, IndexRange range, BestSetting& best, LocalSearch local) {
    Probe probe(host, range);
    struct Point {
        double swr;
        BestSetting at;
    };
    std::vector<Point> grid;
    for (const int16_t l : SpreadIndices(range.lmaxIndex, kGridSize)) {
        for (const int16_t c : SpreadIndices(range.cmaxIndex, kGridSize)) {
            if (const std::optional<double> swr = probe.Swr({c, l})) grid.push_back({*swr, {c, l}});
        }
    }
    // Of equal points the one tried first starts first.
    std::stable_sort(grid.begin(), grid.end(),
                     [](const Point& a, const Point& b) { return a.swr < b.swr; });
    grid.resize(std::min(grid.size(), kLocalStarts));
    for (const Point& start : grid) local(probe, start.at);
    return Ended(probe, best);
}

}  // namespace

double GridAndLocal::Search(SearchHost& host, IndexRange range, BestSetting& best) {
    return GridThenLocal(host, range, best, Descend);
}

double GridAndValley::Search(SearchHost& host, IndexRange range, BestSetting& best) {
    return GridThenLocal(host, range, best, FollowValley);
}

double MemorySearch::Search(SearchHost& host, IndexRange range, BestSetting& best) {
    double swr = Probe::kNoMatch;
    if (remembered_) {
        Probe probe(host, range);
        // Banks made smaller since keep the remembered setting within them.
        const BestSetting start{std::max<int16_t>(0, std::min(remembered_->c, range.cmaxIndex)),
                                std::max<int16_t>(0, std::min(remembered_->l, range.lmaxIndex))};
        Descend(probe, start);
        swr = Ended(probe, best);
        if (probe.best()) remembered_ = best;
    } else {
        BestSetting found{};
        swr = GridAndLocal().Search(host, range, found);
        if (swr < Probe::kNoMatch) remembered_ = best = found;
    }
    return swr;
}

double EverySetting::Search(SearchHost& host, IndexRange range, BestSetting& best) {
    Probe probe(host, range);
    for (int32_t l = 0; l <= range.lmaxIndex && !probe.abandoned(); ++l) {
        for (int32_t c = 0; c <= range.cmaxIndex; ++c) {
            probe.Swr({static_cast<int16_t>(c), static_cast<int16_t>(l)});
        }
    }
    return Ended(probe, best);
}
