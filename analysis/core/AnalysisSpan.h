#pragma once

#include <optional>
#include <span>
#include <vector>

#include "antenna/AntennaSource.h"

// The amateur bands inside 0.1 to 30 MHz, edges as wide as any region allocates them.
struct AmateurBand {
    const char* name;  // "40 m"
    double low_MHz;
    double high_MHz;
};
std::span<const AmateurBand> AmateurBands();

// The frequencies the analysis shows: a part of the range where the source has values,
// zoomed and panned by the user. It never leaves the range and never gets narrower than
// kNarrowest_MHz.
class AnalysisSpan {
public:
    static constexpr double kNarrowest_MHz = 1e-4;  // 100 Hz
    static constexpr int kPoints = 1000;            // per view, recomputed from the source

    explicit AnalysisSpan(FrequencySpan range = WholeRange());

    // 0.1 to 30 MHz, where every source without a span of its own is asked.
    static FrequencySpan WholeRange();
    // The range of a source: its own span within 0.1 to 30 MHz.
    static FrequencySpan RangeOf(const AntennaSource& source);

    double low() const { return low_; }
    double high() const { return high_; }
    double width() const { return high_ - low_; }
    const FrequencySpan& range() const { return range_; }

    // A new range (another source) keeps as much of the view as lies inside it.
    void SetRange(FrequencySpan range);
    // Shows low..high, moved or widened as little as needed to stay inside the range.
    void Show(double low_MHz, double high_MHz);
    void ShowWholeRange();
    // The band where it lies inside the range; false and unchanged where it does not.
    bool ShowBand(const AmateurBand& band);
    // Factor below 1 zooms in, above 1 out; f_MHz stays where it is in the view.
    void ZoomAbout(double f_MHz, double factor);
    // Moves the view by this fraction of its width (negative: to lower frequencies).
    void Pan(double fraction);

    // kPoints frequencies from low to high, both ends included.
    std::vector<double> Frequencies(int count = kPoints) const;

private:
    FrequencySpan range_;
    double low_;
    double high_;
};
