#include "core/NumberFormat.h"

#include <charconv>

namespace {

// Room for the longest fixed-point double (about 310 digits) and its decimals.
constexpr int kBufferSize = 400;

template <typename... Format>
std::string ToChars(double value, Format... format) {
    char buffer[kBufferSize];
    const std::to_chars_result r = std::to_chars(buffer, buffer + kBufferSize, value, format...);
    if (r.ec != std::errc()) return "nan";
    return std::string(buffer, r.ptr);
}

}  // namespace

std::string ShortestText(double value) {
    return ToChars(value);
}

std::string SignificantText(double value, int digits) {
    return ToChars(value, std::chars_format::general, digits);
}

std::string FixedText(double value, int decimals) {
    return ToChars(value, std::chars_format::fixed, decimals);
}
