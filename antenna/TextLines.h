#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "antenna/ImpedanceFile.h"

// The lines of a text with their numbers, for the readers of measured files. LF, CR LF and
// a lone CR all end a line.
class TextLines {
public:
    TextLines(std::string_view text, const ReadProgress& progress);

    // The next line, without its ending; false at the end of the text.
    bool Next(std::string_view& line);
    int number() const { return number_; }

private:
    std::string_view text_;
    std::size_t at_ = 0;
    int number_ = 0;
    const ReadProgress& progress_;
    int percent_ = 0;
};

// Whether the line holds bytes no text file has (control characters, NUL).
bool HasUnreadableBytes(std::string_view line);

std::string_view Trimmed(std::string_view text);

// Fields separated by blanks or tabs.
std::vector<std::string_view> Words(std::string_view line);

// A number field of a data line, or the reason it is none ("'7,1' is not a number").
struct ParsedNumber {
    double value = 0;
    std::string fault;
};
ParsedNumber ParseNumber(std::string_view word);
