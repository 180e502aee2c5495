#include "nec/Report.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <utility>

#include "core/NumberFormat.h"
#include "nec/Deck.h"

namespace {

constexpr std::string_view kFrequencyLabel = "FREQUENCY :";
constexpr std::string_view kInputParameters = "ANTENNA INPUT PARAMETERS";
constexpr std::size_t kImpedanceField = 6;  // 0-based: tag, seg, V re, V im, I re, I im, Z re
// Up to the admittance after the impedance, so that a report cut inside the impedance's
// last number is not read as a shorter number.
constexpr std::size_t kLeastSourceFields = 10;
// The source line follows within the two header lines of the table.
constexpr int kMostHeaderLines = 2;
// The report prints frequencies to five digits, which the grid of 0.1 MHz never needs.
constexpr double kFrequencyTolerance = 1e-9;

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while ((at = line.find_first_not_of(" \t\r", at)) != std::string_view::npos) {
        const std::size_t end = std::min(line.find_first_of(" \t\r", at), line.size());
        fields.push_back(line.substr(at, end - at));
        at = end;
    }
    return fields;
}

// A whole field as a finite number; nan and inf are no impedance.
std::optional<double> Number(std::string_view field) {
    double value = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (ec != std::errc() || end != field.data() + field.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

bool IsWholeNumber(std::string_view field) {
    return !field.empty() && field.find_first_not_of("0123456789") == std::string_view::npos;
}

class ReportReader {
public:
    explicit ReportReader(std::string_view text) : text_(text) {}

    NecReport Read() {
        NecReport report;
        double frequency = 0;
        bool awaiting_impedance = false;
        while (NextLine()) {
            if (const std::size_t at = line_.find(kFrequencyLabel); at != std::string_view::npos) {
                if (awaiting_impedance) {
                    return Fail(report, "no input impedance for " + MHz(frequency));
                }
                const std::vector<std::string_view> fields =
                    Fields(line_.substr(at + kFrequencyLabel.size()));
                const std::optional<double> value =
                    fields.empty() ? std::nullopt : Number(fields[0]);
                if (!value) return Fail(report, "the frequency is not a number");
                frequency = *value;
                awaiting_impedance = true;
            } else if (line_.find(kInputParameters) != std::string_view::npos) {
                if (!awaiting_impedance) return Fail(report, "input impedance without a frequency");
                const std::optional<Impedance> z = SourceImpedance();
                if (!z) return Fail(report, "no input impedance for " + MHz(frequency));
                report.points.push_back({frequency, *z});
                awaiting_impedance = false;
            }
        }
        if (awaiting_impedance) {
            return Fail(report, "the report ends before the input impedance at " + MHz(frequency));
        }
        if (report.points.empty()) report.fault = "no frequency in the report";
        return report;
    }

private:
    bool NextLine() {
        if (rest_start_ >= text_.size()) return false;
        const std::size_t end = std::min(text_.find('\n', rest_start_), text_.size());
        line_ = text_.substr(rest_start_, end - rest_start_);
        rest_start_ = end + 1;
        ++line_number_;
        return true;
    }

    // The first line of the table: tag and segment numbers, then voltage, current and
    // impedance as real and imaginary parts.
    std::optional<Impedance> SourceImpedance() {
        for (int header = 0; header <= kMostHeaderLines && NextLine(); ++header) {
            const std::vector<std::string_view> fields = Fields(line_);
            if (fields.empty() || !IsWholeNumber(fields[0])) continue;
            if (fields.size() < kLeastSourceFields || !IsWholeNumber(fields[1])) break;
            const std::optional<double> r = Number(fields[kImpedanceField]);
            const std::optional<double> x = Number(fields[kImpedanceField + 1]);
            if (!r || !x) break;
            return Impedance{*r, *x};
        }
        return std::nullopt;
    }

    static std::string MHz(double frequency) { return ShortestText(frequency) + " MHz"; }

    NecReport Fail(NecReport& report, const std::string& why) const {
        report.fault = "line " + std::to_string(line_number_) + ": " + why;
        return std::move(report);
    }

    std::string_view text_;
    std::string_view line_;
    std::size_t rest_start_ = 0;
    int line_number_ = 0;
};

}  // namespace

NecReport ReadNecReport(std::string_view text) {
    return ReportReader(text).Read();
}

NecSweep ReadNecSweep(std::string_view text) {
    NecReport report = ReadNecReport(text);
    if (!report.fault.empty()) {
        return {{}, "NEC-2: the report of nec2c could not be read (" + report.fault + ")"};
    }
    const std::size_t count = report.points.size();
    if (count != kNecFrequencyCount) {
        return {{},
                "NEC-2: the report of nec2c holds " + std::to_string(count) + " of " +
                    std::to_string(kNecFrequencyCount) + " frequencies"};
    }
    for (int i = 0; i < kNecFrequencyCount; ++i) {
        const double expected = NecFrequency_MHz(i);
        if (std::abs(report.points[i].frequency_MHz - expected) > kFrequencyTolerance * expected) {
            return {{}, "NEC-2: the report of nec2c is not for the frequencies asked for"};
        }
    }
    return {std::move(report.points), {}};
}
