#include "exports/CsvText.h"

#include "core/NumberFormat.h"
#include "exports/Networks.h"

std::string ExportNumber(double value) {
    return SignificantText(value, 10);
}

void CsvText::Field(std::string_view text) {
    if (!recordStart_) text_ += ',';
    recordStart_ = false;
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        text_ += text;
        return;
    }
    text_ += '"';
    for (const char ch : text) {
        if (ch == '"') text_ += '"';
        text_ += ch;
    }
    text_ += '"';
}

void CsvText::Number(double value) {
    Field(ExportNumber(value));
}

void CsvText::EndRecord() {
    text_ += "\r\n";
    recordStart_ = true;
}

const char* VerdictText(MatchVerdict verdict) {
    switch (verdict) {
        case MatchVerdict::InsideLimits:
            return "ok";
        case MatchVerdict::OutsideLimits:
            return "outside";
        case MatchVerdict::NoSolution:
            break;
    }
    return "none";
}
