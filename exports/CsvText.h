#pragma once

#include <string>
#include <string_view>

// Numbers as the export files write them: up to 10 significant digits, '.' as the decimal
// point whatever the locale, exponent form only where it is shorter (1e-05, 1e+15).
std::string ExportNumber(double value);

// CSV text after RFC 4180: fields separated by commas, records ended by CR LF, a field
// quoted only when it holds a comma, a double quote or a line break.
class CsvText {
public:
    void Field(std::string_view text);
    void Number(double value);
    void Empty() { Field({}); }
    void EndRecord();

    const std::string& text() const { return text_; }

private:
    std::string text_;
    bool recordStart_ = true;
};
