#include "antenna/TouchstoneReader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace {

struct Options {
    double toMHz = 1000;  // GHz
    char parameter = 'S';
    enum class Format { MagnitudeAngle, Decibel, RealImaginary } format = Format::MagnitudeAngle;
    double reference_Ohm = 50;
};

std::string Upper(std::string_view word) {
    std::string upper(word);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
    return upper;
}

// The words after '#', in any order and letter case; false with the fault set.
bool ReadOptions(std::string_view line, int number, Options& options, PointSink& sink) {
    const std::vector<std::string_view> words = Words(line.substr(1));
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string word = Upper(words[i]);
        if (word == "HZ") {
            options.toMHz = 1e-6;
        } else if (word == "KHZ") {
            options.toMHz = 1e-3;
        } else if (word == "MHZ") {
            options.toMHz = 1;
        } else if (word == "GHZ") {
            options.toMHz = 1e3;
        } else if (word == "S" || word == "Y" || word == "Z") {
            options.parameter = word[0];
        } else if (word == "G" || word == "H") {
            return sink.Fault(number, word + " parameters describe a two-port, not an antenna");
        } else if (word == "MA") {
            options.format = Options::Format::MagnitudeAngle;
        } else if (word == "DB") {
            options.format = Options::Format::Decibel;
        } else if (word == "RI") {
            options.format = Options::Format::RealImaginary;
        } else if (word == "R") {
            if (i + 1 == words.size()) return sink.Fault(number, "R needs a reference resistance");
            const ParsedNumber r = ParseNumber(words[++i]);
            if (!r.fault.empty()) return sink.Fault(number, r.fault);
            if (!(r.value > 0))
                return sink.Fault(number, "the reference resistance must be above 0");
            options.reference_Ohm = r.value;
        } else {
            return sink.Fault(number, "'" + std::string(words[i].substr(0, 24)) +
                                          "' is no word of the option line");
        }
    }
    return true;
}

std::complex<double> Value(const Options& options, double a, double b) {
    switch (options.format) {
        case Options::Format::RealImaginary:
            return {a, b};
        case Options::Format::Decibel:
            a = std::pow(10.0, a / 20);
            break;
        case Options::Format::MagnitudeAngle:
            break;
    }
    return std::polar(a, b * std::numbers::pi / 180);
}

Impedance ToImpedance(const Options& options, std::complex<double> v) {
    const double r0 = options.reference_Ohm;
    std::complex<double> z;
    if (options.parameter == 'S') {
        z = r0 * (1.0 + v) / (1.0 - v);
    } else if (options.parameter == 'Z') {
        z = r0 * v;
    } else {
        z = r0 / v;
    }
    return {z.real(), z.imag()};
}

}  // namespace

bool ReadTouchstone(TextLines& lines, bool twoPort, PointSink& sink) {
    const std::size_t perPoint = twoPort ? 9 : 3;
    Options options;
    bool optionsSeen = false;
    std::vector<double> record;
    int recordLine = 0;
    std::string_view line;
    while (lines.Next(line)) {
        const int number = lines.number();
        line = Trimmed(line.substr(0, line.find('!')));
        if (line.empty()) continue;
        if (HasUnreadableBytes(line)) return sink.Fault(number, "unreadable bytes");
        if (line.front() == '[') {
            return sink.Fault(number,
                              "Touchstone 2.0 keywords are not read; save the file as "
                              "Touchstone 1.1 (.s1p)");
        }
        if (line.front() == '#') {
            // Values read before it would have meant something else.
            if (recordLine != 0 && !optionsSeen) {
                return sink.Fault(number, "the option line comes after the data");
            }
            // A second option line is ignored, as the format says.
            if (!optionsSeen && !ReadOptions(line, number, options, sink)) return false;
            optionsSeen = true;
            continue;
        }
        const std::vector<std::string_view> words = Words(line);
        if (record.empty()) recordLine = number;
        for (const std::string_view word : words) {
            const ParsedNumber parsed = ParseNumber(word);
            if (!parsed.fault.empty()) return sink.Fault(number, parsed.fault);
            record.push_back(parsed.value);
        }
        // A two-port's values may go on over several lines; a one-port's never do.
        if (record.size() > perPoint || (!twoPort && record.size() < perPoint)) {
            return sink.Fault(number, std::to_string(perPoint) + " numbers expected, found " +
                                          std::to_string(twoPort ? record.size() : words.size()));
        }
        if (record.size() < perPoint) continue;
        const Impedance z = ToImpedance(options, Value(options, record[1], record[2]));
        if (!sink.Add(recordLine, record[0] * options.toMHz, z)) return false;
        record.clear();
    }
    if (!record.empty()) {
        return sink.Fault(recordLine, std::to_string(perPoint) + " numbers expected, found " +
                                          std::to_string(record.size()));
    }
    return true;
}
