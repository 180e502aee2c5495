#include "tuners/search/lab/Probe.h"

#include <limits>

bool Probe::Contains(int32_t c, int32_t l) const {
    return c >= 0 && c <= range_.cmaxIndex && l >= 0 && l <= range_.lmaxIndex;
}

uint32_t Probe::Key(BestSetting s) {
    return static_cast<uint32_t>(static_cast<uint16_t>(s.c)) << 16 | static_cast<uint16_t>(s.l);
}

std::optional<double> Probe::Swr(BestSetting s) {
    if (!Contains(s.c, s.l)) return std::nullopt;
    const auto [at, fresh] = measured_.try_emplace(Key(s));
    if (!fresh) return at->second;
    if (host_.Abandoned()) {
        measured_.erase(at);
        return std::nullopt;
    }
    const double swr = host_.EvaluateSetting(s.c, s.l);
    last_ = s;
    // A fault returns the SWR before it, which says nothing about this setting.
    if (host_.LastEvaluationFaulted()) return std::nullopt;
    at->second = swr;
    if (swr < bestSwr_) {
        bestSwr_ = swr;
        best_ = s;
    }
    return swr;
}

void Probe::Finish() {
    if (!best_ || host_.Abandoned()) return;
    if (last_ && last_->c == best_->c && last_->l == best_->l) return;
    host_.EvaluateSetting(best_->c, best_->l);
    last_ = best_;
}

BestSetting Descend(Probe& probe, BestSetting start) {
    BestSetting at = start;
    double here = probe.Swr(at).value_or(std::numeric_limits<double>::infinity());
    while (!probe.abandoned()) {
        BestSetting next = at;
        double lowest = here;
        for (int dl = -1; dl <= 1; ++dl) {
            for (int dc = -1; dc <= 1; ++dc) {
                const int32_t c = at.c + dc, l = at.l + dl;
                if ((dc == 0 && dl == 0) || !probe.Contains(c, l)) continue;
                const BestSetting n{static_cast<int16_t>(c), static_cast<int16_t>(l)};
                const std::optional<double> swr = probe.Swr(n);
                if (swr && *swr < lowest) {
                    lowest = *swr;
                    next = n;
                }
            }
        }
        if (!(lowest < here)) break;
        at = next;
        here = lowest;
    }
    return at;
}

namespace {

constexpr double kUnmeasured = std::numeric_limits<double>::infinity();

struct Measured {
    BestSetting at;
    double swr;
};

Measured MeasuredAt(Probe& probe, int32_t c, int32_t l) {
    if (!probe.Contains(c, l)) return {{}, kUnmeasured};
    const BestSetting at{static_cast<int16_t>(c), static_cast<int16_t>(l)};
    return {at, probe.Swr(at).value_or(kUnmeasured)};
}

// The lowest SWR along one bank from `from`, walking one index at a time in the direction
// that falls.
Measured AlongBank(Probe& probe, Measured from, bool capacitor) {
    const int32_t dc = capacitor ? 1 : 0, dl = capacitor ? 0 : 1;
    Measured best = from;
    for (const int sign : {1, -1}) {
        Measured at = from;
        while (!probe.abandoned()) {
            const Measured next = MeasuredAt(probe, at.at.c + sign * dc, at.at.l + sign * dl);
            if (!(next.swr < at.swr)) break;
            at = next;
        }
        if (at.swr < best.swr) best = at;
        if (best.swr < from.swr) break;  // the other direction rises
    }
    return best;
}

}  // namespace

BestSetting FollowValley(Probe& probe, BestSetting start) {
    Measured at = MeasuredAt(probe, start.c, start.l);
    while (!probe.abandoned()) {
        Measured next = at;
        for (const bool capacitor : {false, true}) {
            for (const int sign : {-1, 1}) {
                const int32_t c = at.at.c + (capacitor ? sign : 0);
                const int32_t l = at.at.l + (capacitor ? 0 : sign);
                if (!probe.Contains(c, l)) continue;
                const Measured tuned = AlongBank(probe, MeasuredAt(probe, c, l), !capacitor);
                if (tuned.swr < next.swr) next = tuned;
            }
        }
        if (!(next.swr < at.swr)) break;
        at = next;
    }
    return Descend(probe, at.at);
}
