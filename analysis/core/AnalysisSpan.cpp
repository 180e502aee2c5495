#include "analysis/core/AnalysisSpan.h"

#include <algorithm>
#include <cmath>

std::span<const AmateurBand> AmateurBands() {
    static constexpr AmateurBand kBands[] = {
        {"160 m", 1.8, 2.0},      {"80 m", 3.5, 4.0},    {"60 m", 5.3515, 5.3665},
        {"40 m", 7.0, 7.3},       {"30 m", 10.1, 10.15}, {"20 m", 14.0, 14.35},
        {"17 m", 18.068, 18.168}, {"15 m", 21.0, 21.45}, {"12 m", 24.89, 24.99},
        {"10 m", 28.0, 29.7},
    };
    return kBands;
}

AnalysisSpan::AnalysisSpan(FrequencySpan range)
    : range_(range), low_(range.low_MHz), high_(range.high_MHz) {}

FrequencySpan AnalysisSpan::WholeRange() {
    return {0.1, 30};
}

FrequencySpan AnalysisSpan::RangeOf(const AntennaSource& source) {
    const FrequencySpan whole = WholeRange();
    const std::optional<FrequencySpan> own = source.span();
    if (!own) return whole;
    FrequencySpan range{std::max(whole.low_MHz, own->low_MHz),
                        std::min(whole.high_MHz, own->high_MHz)};
    // A source beside the whole range, or of one frequency, still gets a view to draw in.
    if (!(range.high_MHz - range.low_MHz >= kNarrowest_MHz)) {
        const double middle = std::clamp(own->low_MHz, whole.low_MHz, whole.high_MHz);
        range = {middle - kNarrowest_MHz / 2, middle + kNarrowest_MHz / 2};
    }
    return range;
}

void AnalysisSpan::SetRange(FrequencySpan range) {
    range_ = range;
    Show(low_, high_);
}

void AnalysisSpan::Show(double low, double high) {
    if (!std::isfinite(low) || !std::isfinite(high)) return;
    if (low > high) std::swap(low, high);
    const double rangeWidth = range_.high_MHz - range_.low_MHz;
    const double narrowest = std::min(kNarrowest_MHz, rangeWidth);
    if (high - low >= rangeWidth) {
        low = range_.low_MHz;
        high = range_.high_MHz;
    } else if (high - low < narrowest) {
        low = (low + high) / 2 - narrowest / 2;
        high = low + narrowest;
    }
    // Moved back inside, keeping the width.
    if (low < range_.low_MHz) {
        high += range_.low_MHz - low;
        low = range_.low_MHz;
    }
    if (high > range_.high_MHz) {
        low = std::max(range_.low_MHz, low - (high - range_.high_MHz));
        high = range_.high_MHz;
    }
    low_ = low;
    high_ = high;
}

void AnalysisSpan::ShowWholeRange() {
    Show(range_.low_MHz, range_.high_MHz);
}

bool AnalysisSpan::ShowBand(const AmateurBand& band) {
    const double low = std::max(band.low_MHz, range_.low_MHz);
    const double high = std::min(band.high_MHz, range_.high_MHz);
    if (!(high > low)) return false;
    Show(low, high);
    return true;
}

void AnalysisSpan::ZoomAbout(double f, double factor) {
    if (!(factor > 0) || !std::isfinite(f)) return;
    f = std::clamp(f, low_, high_);
    const double rangeWidth = range_.high_MHz - range_.low_MHz;
    const double wanted =
        std::clamp(width() * factor, std::min(kNarrowest_MHz, rangeWidth), rangeWidth);
    // The pointer's frequency keeps its place: the same share of the view lies below it.
    const double below = width() > 0 ? (f - low_) / width() : 0.5;
    const double low = f - below * wanted;
    Show(low, low + wanted);
}

void AnalysisSpan::Pan(double fraction) {
    if (!std::isfinite(fraction)) return;
    const double shift = fraction * width();
    Show(low_ + shift, high_ + shift);
}

std::vector<double> AnalysisSpan::Frequencies(int count) const {
    count = std::max(count, 2);
    std::vector<double> f(static_cast<std::size_t>(count));
    const double step = width() / (count - 1);
    for (int i = 0; i < count; ++i) f[static_cast<std::size_t>(i)] = low_ + step * i;
    f.back() = high_;
    return f;
}
