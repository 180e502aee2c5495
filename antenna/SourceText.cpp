#include "antenna/SourceText.h"

#include "antenna/TabulatedSource.h"
#include "core/NumberFormat.h"

namespace {

const TabulatedSource* Tabulated(const AntennaSource& source) {
    return dynamic_cast<const TabulatedSource*>(&source);
}

}  // namespace

std::string SourceWord(const AntennaSource& source) {
    switch (source.kind()) {
        case SourceKind::Model:
            return "model";
        case SourceKind::Nec2:
            return "nec2";
        case SourceKind::Measured:
            break;
    }
    return "measured";
}

std::string SourceFile(const AntennaSource& source) {
    const TabulatedSource* table = Tabulated(source);
    return table && source.kind() == SourceKind::Measured ? table->label().path : std::string();
}

std::string SourceCommentLine(const AntennaSource& source) {
    std::string file = SourceFile(source);
    // One line whatever the file's name holds.
    for (char& ch : file) {
        if (static_cast<unsigned char>(ch) < 0x20) ch = '?';
    }
    return "# source: " + SourceWord(source) + (file.empty() ? "" : " " + file);
}

std::string SourceTitle(const AntennaSource& source) {
    const TabulatedSource* table = Tabulated(source);
    if (!table) return {};
    if (source.kind() == SourceKind::Nec2) return "NEC-2 model";
    return "measured: " + table->label().name;
}

std::string SourceNote(const AntennaSource& source) {
    const TabulatedSource* table = Tabulated(source);
    if (!table) return {};
    if (source.kind() == SourceKind::Nec2) return table->label().note;
    std::string note = "Measured " + table->label().name +
                       (source.usesBaseElements() ? ", the bare rod with coil, base capacitance "
                                                    "and losses added"
                                                  : ", as measured");
    if (!table->label().note.empty()) note += "; " + table->label().note;
    return note;
}

std::string OutsideSpanNote(const AntennaSource& source, double f_MHz) {
    const std::optional<FrequencySpan> span = source.span();
    if (!span || span->Contains(f_MHz)) return {};
    const std::string where = source.kind() == SourceKind::Nec2 ? "NEC-2's" : "the measured";
    return SignificantText(f_MHz, 10) + " MHz is outside " + where + " " +
           FixedText(span->low_MHz, 2) + " to " + FixedText(span->high_MHz, 2) + " MHz";
}
