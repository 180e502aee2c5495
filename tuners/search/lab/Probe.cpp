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
