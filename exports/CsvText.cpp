#include "exports/CsvText.h"

#include <array>
#include <charconv>

std::string ExportNumber(double value) {
    std::array<char, 32> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 10);
    return {buffer.data(), result.ptr};
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
