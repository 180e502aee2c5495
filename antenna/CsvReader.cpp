#include "antenna/CsvReader.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <vector>

namespace {

// Splits one record after RFC 4180; none where a quote is not closed on the line.
std::optional<std::vector<std::string>> Fields(std::string_view line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char ch = line[i];
        if (quoted) {
            if (ch != '"') {
                fields.back() += ch;
            } else if (i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (ch == '"') {
            quoted = true;
        } else if (ch == ',') {
            fields.emplace_back();
        } else {
            fields.back() += ch;
        }
    }
    if (quoted) return std::nullopt;
    return fields;
}

std::string Lower(std::string_view text) {
    std::string lower(Trimmed(text));
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return lower;
}

// The name before any unit: "R_f_Ohm" is r_f, "Frequency (MHz)" is frequency.
std::string BaseName(const std::string& header) {
    std::string base = header.substr(0, header.find_first_of(" ([/"));
    for (const char* unit : {"_ohm", "_ohms", "_mhz", "_khz", "_ghz", "_hz"}) {
        const std::string_view u(unit);
        if (base.size() > u.size() && base.ends_with(u)) base.resize(base.size() - u.size());
    }
    return base;
}

bool OneOf(const std::string& name, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}

// MHz per unit the header names; none when it names none.
std::optional<double> FrequencyUnit(const std::string& header) {
    for (const auto& [unit, toMHz] : {std::pair{"ghz", 1e3}, std::pair{"mhz", 1.0},
                                      std::pair{"khz", 1e-3}, std::pair{"hz", 1e-6}}) {
        if (header.find(unit) != std::string::npos) return toMHz;
    }
    return std::nullopt;
}

struct Columns {
    std::size_t f = 0, r = 0, x = 0;
    double toMHz = 1;
};

bool ReadHeader(const std::vector<std::string>& fields, int line, Columns& columns,
                PointSink& sink) {
    std::optional<std::size_t> f, r, x;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string header = Lower(fields[i]);
        const std::string base = BaseName(header);
        if (!f && OneOf(base, {"f", "freq", "frequency"})) {
            const std::optional<double> unit = FrequencyUnit(header);
            if (!unit) {
                return sink.Fault(line, "the frequency column '" + fields[i] +
                                            "' names no unit (Hz, kHz, MHz or GHz)");
            }
            f = i;
            columns.toMHz = *unit;
        } else if (!r && OneOf(base, {"r", "r_f", "rs", "resistance", "re(z)"})) {
            r = i;
        } else if (!x && OneOf(base, {"x", "x_f", "xs", "reactance", "im(z)"})) {
            x = i;
        }
    }
    if (!f || !r || !x) {
        return sink.Fault(line, "the header names no " +
                                    std::string(!f   ? "frequency"
                                                : !r ? "R"
                                                     : "X") +
                                    " column (frequency, R and X are needed)");
    }
    columns.f = *f;
    columns.r = *r;
    columns.x = *x;
    return true;
}

}  // namespace

bool ReadImpedanceCsv(TextLines& lines, PointSink& sink) {
    std::optional<Columns> columns;
    std::size_t width = 0;
    std::string_view line;
    while (lines.Next(line)) {
        const int number = lines.number();
        if (Trimmed(line).empty()) continue;
        if (HasUnreadableBytes(line)) return sink.Fault(number, "unreadable bytes");
        if (!columns && Trimmed(line).front() == '#') continue;
        const std::optional<std::vector<std::string>> fields = Fields(line);
        if (!fields) return sink.Fault(number, "a quote is not closed");
        if (!columns) {
            columns.emplace();
            if (!ReadHeader(*fields, number, *columns, sink)) return false;
            width = fields->size();
            continue;
        }
        if (fields->size() != width) {
            return sink.Fault(number, std::to_string(width) + " fields expected, found " +
                                          std::to_string(fields->size()));
        }
        const std::string_view r = Trimmed((*fields)[columns->r]);
        const std::string_view x = Trimmed((*fields)[columns->x]);
        if (r.empty() && x.empty()) continue;
        double values[3];
        const std::string_view cells[] = {Trimmed((*fields)[columns->f]), r, x};
        for (int i = 0; i < 3; ++i) {
            if (cells[i].empty()) return sink.Fault(number, "an empty value");
            const ParsedNumber parsed = ParseNumber(cells[i]);
            if (!parsed.fault.empty()) return sink.Fault(number, parsed.fault);
            values[i] = parsed.value;
        }
        if (!sink.Add(number, values[0] * columns->toMHz, {values[1], values[2]})) return false;
    }
    if (!columns) return sink.FileFault("no header line");
    return true;
}
