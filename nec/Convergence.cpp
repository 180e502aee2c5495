#include "nec/Convergence.h"

#include <charconv>
#include <cmath>
#include <sstream>

#include "core/NumberFormat.h"

namespace {

constexpr char kCacheHeader[] = "Orvane NEC-2 run 1";
// Near a resonance X passes 0, and its relative change says nothing.
constexpr double kSmallReactance = 0.1;

const NecPoint* At(const std::vector<NecPoint>& points, double f_MHz) {
    for (const NecPoint& p : points) {
        if (std::abs(p.frequency_MHz - f_MHz) < 1e-6) return &p;
    }
    return nullptr;
}

std::optional<double> Number(std::string_view word) {
    double value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<ConvergedNec> EstimateConvergence(double length_m, double diameter_mm,
                                                RodSegmentation segmentation, int checkSegments,
                                                const std::vector<NecPoint>& full,
                                                const std::vector<NecPoint>& half) {
    ConvergedNec run{length_m, diameter_mm, segmentation, checkSegments, full, 0};
    for (const double f : kConvergenceCheck_MHz) {
        const NecPoint* a = At(full, f);
        const NecPoint* b = At(half, f);
        if (!a || !b) return std::nullopt;
        const double magnitude = std::hypot(a->base.r, a->base.x);
        double change = std::abs(a->base.r - b->base.r) / std::abs(a->base.r);
        if (std::abs(a->base.x) > kSmallReactance * magnitude) {
            change = std::max(change, std::abs(a->base.x - b->base.x) / std::abs(a->base.x));
        }
        if (!std::isfinite(change)) return std::nullopt;
        run.error_pct = std::max(run.error_pct, 100 * change);
    }
    return run;
}

std::string ConvergenceNote(const ConvergedNec& run) {
    // Whole percent, rounded up, from 1 % on; tenths below.
    const double shown = run.error_pct >= 1 ? std::ceil(run.error_pct)
                                            : std::max(0.1, std::ceil(run.error_pct * 10) / 10);
    return "NEC-2, " + std::to_string(run.segmentation.segments) + " segments, about +-" +
           SignificantText(shown, 3) + " % below 25 MHz";
}

std::string NecCacheText(const ConvergedNec& run) {
    std::string text = std::string(kCacheHeader) + "\n";
    text += "rod " + ShortestText(run.length_m) + " " + ShortestText(run.diameter_mm) + "\n";
    text += "segments " + std::to_string(run.segmentation.segments) + " " +
            (run.segmentation.extended_kernel ? "1" : "0") + "\n";
    text += "check " + std::to_string(run.checkSegments) + " " + ShortestText(run.error_pct) + "\n";
    text += "points " + std::to_string(run.points.size()) + "\n";
    for (const NecPoint& p : run.points) {
        text += ShortestText(p.frequency_MHz) + " " + ShortestText(p.base.r) + " " +
                ShortestText(p.base.x) + "\n";
    }
    return text + "end\n";
}

std::optional<ConvergedNec> ReadNecCache(std::string_view text, double length_m, double diameter_mm,
                                         RodSegmentation segmentation) {
    std::istringstream in{std::string(text)};
    std::string line;
    if (!std::getline(in, line) || line != kCacheHeader) return std::nullopt;
    std::string word, kernel, length, diameter, segments, check, error, count;
    if (!(in >> word >> length >> diameter) || word != "rod") return std::nullopt;
    if (!(in >> word >> segments >> kernel) || word != "segments") return std::nullopt;
    if (!(in >> word >> check >> error) || word != "check") return std::nullopt;
    if (!(in >> word >> count) || word != "points") return std::nullopt;
    const auto l = Number(length), d = Number(diameter), s = Number(segments), c = Number(check),
               e = Number(error), n = Number(count);
    if (!l || !d || !s || !c || !e || !n || *l != length_m || *d != diameter_mm ||
        *s != segmentation.segments || kernel != (segmentation.extended_kernel ? "1" : "0") ||
        *n != kNecFrequencyCount) {
        return std::nullopt;
    }
    ConvergedNec run{length_m, diameter_mm, segmentation, static_cast<int>(*c), {}, *e};
    for (int i = 0; i < kNecFrequencyCount; ++i) {
        std::string f, r, x;
        if (!(in >> f >> r >> x)) return std::nullopt;
        const auto fv = Number(f), rv = Number(r), xv = Number(x);
        if (!fv || !rv || !xv || *fv != NecFrequency_MHz(i)) return std::nullopt;
        run.points.push_back({*fv, {*rv, *xv}});
    }
    // A file cut short by a full disk lacks its last line.
    if (!(in >> word) || word != "end") return std::nullopt;
    return run;
}

std::string NecCacheFileName(double length_m, double diameter_mm, RodSegmentation segmentation) {
    return "rod-" + ShortestText(length_m) + "m-" + ShortestText(diameter_mm) + "mm-" +
           std::to_string(segmentation.segments) + (segmentation.extended_kernel ? "ek" : "") +
           ".nec.txt";
}
