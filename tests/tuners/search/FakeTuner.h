#pragma once

// Hosts for driving the searches without a window: a recording host whose SWR comes from
// any function of the setting, and the three tuners' real networks to feed it. Shared by
// the tests and the benchmark.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "tuners/search/BankSetup.h"
#include "tuners/search/BestOfAllSettings.h"
#include "tuners/search/TunerSearch.h"
#include "tuners/search/TunerState.h"

namespace fake {

inline constexpr double kNoMatch = 9999;

struct Setting {
    int16_t c = 0;
    int16_t l = 0;
    bool operator==(const Setting&) const = default;
};

inline void PrintTo(const Setting& s, std::ostream* os) {
    *os << '(' << s.c << ", " << s.l << ')';
}

inline std::optional<Setting> Found(const std::optional<BestSetting>& best) {
    if (!best) return std::nullopt;
    return Setting{best->c, best->l};
}

struct CoarseResult {
    int level = 0;
    double bestSWR = 0;
    Setting best;
    int32_t shownAfter = 0;  // operations counted when it was shown
    bool operator==(const CoarseResult&) const = default;
};
using Shown = std::vector<CoarseResult>;

inline void PrintTo(const CoarseResult& r, std::ostream* os) {
    *os << "level " << r.level << ", SWR " << r.bestSWR << " at ";
    PrintTo(r.best, os);
    *os << " after " << r.shownAfter;
}

// SWR of a setting, or nothing when its evaluation faults.
using SwrFunction = std::function<std::optional<double>(int16_t c, int16_t l)>;

// Counts and records every evaluation and keeps the previous SWR on a fault, as the
// window does. Can close "its window" after a given number of evaluations.
class RecordingHost : public SearchHost {
public:
    explicit RecordingHost(SwrFunction swrOf) : swrOf_(std::move(swrOf)) {}

    double EvaluateSetting(int16_t c, int16_t l) override {
        if (abandoned_) ++evaluatedAfterClose_;
        evaluated_.push_back({c, l});
        const std::optional<double> swr = swrOf_(c, l);
        faulted_ = !swr;
        if (swr) swr_ = *swr;
        if (swr_ > kNoMatch) swr_ = kNoMatch;
        if (Operations() == closeAfter_) abandoned_ = true;
        return swr_;
    }
    int32_t Operations() const override { return static_cast<int32_t>(evaluated_.size()); }
    void ShowCoarseResult(int level, double bestSWR, int16_t bestC, int16_t bestL) override {
        coarse_.push_back({level, bestSWR, {bestC, bestL}, Operations()});
    }
    bool Abandoned() const override { return abandoned_; }
    bool LastEvaluationFaulted() const override { return faulted_; }

    void CloseAfter(int32_t evaluations) {
        closeAfter_ = evaluations;
        abandoned_ = evaluations == 0;
    }
    const std::vector<Setting>& evaluated() const { return evaluated_; }
    const std::vector<CoarseResult>& coarse() const { return coarse_; }
    int32_t evaluatedAfterClose() const { return evaluatedAfterClose_; }
    double swr() const { return swr_; }

private:
    SwrFunction swrOf_;
    double swr_ = kNoMatch;
    int32_t closeAfter_ = -1;
    bool abandoned_ = false;
    bool faulted_ = false;
    int32_t evaluatedAfterClose_ = 0;
    std::vector<Setting> evaluated_;
    std::vector<CoarseResult> coarse_;
};

// One search: what the host saw, the SWR it returned and the best setting it left.
struct Searched {
    RecordingHost host;
    double swr;
    Setting best;
};

inline Searched Search(TunerKind kind, SwrFunction swrOf, IndexRange range, BestSetting best = {}) {
    RecordingHost host(std::move(swrOf));
    const double swr = RunSearch(kind, host, range, best);
    return {std::move(host), swr, {best.c, best.l}};
}

struct Load {
    double f_MHz = 7.1;
    double r = 9.698;
    double x = -413.522;
};

inline TunerLoad TunerLoadOf(const Load& load) {
    return {load.f_MHz * 1e6, {load.r, load.x}};
}

// The tuner's network over its banks, as its window evaluates a setting.
inline SwrFunction Network(TunerKind kind, Load load, const BankSetup& banks) {
    return [kind, load, banks](int16_t c, int16_t l) -> std::optional<double> {
        Checked check;
        const double swr = SettingSwr(kind, TunerLoadOf(load), CapacitanceOf(banks, c, check),
                                      InductanceOf(banks, l, check), check);
        if (check.faulted()) return std::nullopt;
        return swr;
    };
}

// The banks of a newly opened window, as TUNE takes them.
inline BankSetup DefaultBanks(TunerKind kind) {
    std::string refusal;
    if (kind == TunerKind::HpCl) {
        return *SwitchedSetup({2, 4, 8, 16, 32, 64, 128},
                              {0.1, 0.2, 0.4, 0.8, 1.6, 3.2, 6.4, 12.8, 25.6}, refusal);
    }
    return *SteppedSetup({"", "", 7.5, 10, 7672.5}, {"", "", 0.25, 9, 127.75}, refusal);
}

// SWR `elsewhere` except at the given settings.
inline SwrFunction Landscape(double elsewhere, std::map<std::pair<int16_t, int16_t>, double> at) {
    return [elsewhere, at](int16_t c, int16_t l) -> std::optional<double> {
        const auto found = at.find({c, l});
        return found == at.end() ? elsewhere : found->second;
    };
}

// low, low + step, ... up to high.
inline std::vector<int16_t> Span(int low, int high, int step = 1) {
    std::vector<int16_t> indices;
    for (int i = low; i <= high; i += step) indices.push_back(static_cast<int16_t>(i));
    return indices;
}

// The settings of a grid in search order: inductor index outer, capacitor index inner.
inline std::vector<Setting> Grid(const std::vector<int16_t>& ls, const std::vector<int16_t>& cs) {
    std::vector<Setting> grid;
    for (const int16_t l : ls) {
        for (const int16_t c : cs) grid.push_back({c, l});
    }
    return grid;
}

// The parts one after the other.
template <typename T>
std::vector<T> Joined(std::initializer_list<std::vector<T>> parts) {
    std::vector<T> all;
    for (const std::vector<T>& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// At most count settings from position first on.
inline std::vector<Setting> Slice(const std::vector<Setting>& all, size_t first,
                                  size_t count = SIZE_MAX) {
    first = std::min(first, all.size());
    count = std::min(count, all.size() - first);
    const auto begin = all.begin() + static_cast<std::ptrdiff_t>(first);
    return {begin, begin + static_cast<std::ptrdiff_t>(count)};
}

// Every setting in turn through the windows' own Checked formulas: what the fast search over
// all settings must equal, bit for bit.
inline AllSettingsBest PlainBestOfAllSettings(NetworkFormula network, const TunerLoad& load,
                                              const BankValues& cs, const BankValues& ls) {
    AllSettingsBest best;
    best.settings = static_cast<int64_t>(cs.value.size() * ls.value.size());
    for (size_t l = 0; l < ls.value.size(); ++l) {
        for (size_t c = 0; c < cs.value.size(); ++c) {
            if (cs.faulted[c] || ls.faulted[l]) continue;
            Checked check;
            double swr = SwrAgainst50(network(load, cs.value[c], ls.value[l], check), check);
            if (check.faulted()) continue;
            if (swr > kNoMatch) swr = kNoMatch;
            if (swr < best.swr) {
                best.swr = swr;
                best.setting = BestSetting{static_cast<int16_t>(c), static_cast<int16_t>(l)};
            }
        }
    }
    return best;
}

}  // namespace fake
