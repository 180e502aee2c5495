#include "core/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace {

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// Extent of the number in the text and the decimal exponent of its leading digit,
// which tells an overflow from an underflow when the value is out of range.
struct NumberSpan {
    std::size_t begin = 0;  // first digit or '.', after the sign
    std::size_t end = 0;
    bool negative = false;
    bool has_digits = false;
    long long lead_exponent = 0;  // 10^lead_exponent <= |value| < 10^(lead_exponent + 1)
};

// Saturates far beyond any double exponent so that a thousand exponent digits stay harmless.
constexpr long long kExponentCap = 1'000'000'000;

long long AddSaturated(long long a, long long b) {
    const long long sum = a + b;
    return sum > kExponentCap ? kExponentCap : (sum < -kExponentCap ? -kExponentCap : sum);
}

NumberSpan ScanNumber(std::string_view text) {
    NumberSpan span;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) span.negative = text[i++] == '-';
    span.begin = i;

    long long integer_digits = 0;  // after leading zeros
    long long fraction_zeros = 0;  // zeros after the point before the first other digit
    bool significant = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        span.has_digits = true;
        significant = significant || text[i] != '0';
        if (significant) integer_digits = AddSaturated(integer_digits, 1);
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            span.has_digits = true;
            significant = significant || text[i] != '0';
            if (!significant) fraction_zeros = AddSaturated(fraction_zeros, 1);
        }
    }
    span.end = i;
    if (!span.has_digits) return span;
    span.lead_exponent = integer_digits > 0 ? integer_digits - 1 : -(fraction_zeros + 1);

    // An exponent counts only with at least one digit: "2e" is 2.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool exponent_negative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            exponent_negative = text[j++] == '-';
        }
        long long exponent = 0;
        for (; j < text.size() && IsDigit(text[j]); ++j) {
            exponent = AddSaturated(exponent * 10 > kExponentCap ? kExponentCap : exponent * 10,
                                    text[j] - '0');
            span.end = j + 1;
        }
        span.lead_exponent =
            AddSaturated(span.lead_exponent, exponent_negative ? -exponent : exponent);
    }
    return span;
}

}  // namespace

double ParseLeadingNumber(std::string_view text) {
    const NumberSpan span = ScanNumber(text);
    if (!span.has_digits) return 0;
    double magnitude = 0;
    const char* first = text.data() + span.begin;
    const auto result = std::from_chars(first, text.data() + span.end, magnitude);
    if (result.ec == std::errc::result_out_of_range) {
        magnitude = span.lead_exponent >= 0 ? std::numeric_limits<double>::max() : 0;
    } else if (result.ec != std::errc()) {
        magnitude = 0;
    }
    // + 0.0 turns "-0" into plain 0.
    return (span.negative ? -magnitude : magnitude) + 0.0;
}

namespace {

std::string NonFiniteText(double value) {
    if (std::isnan(value)) return "nan";
    return value < 0 ? "-inf" : "inf";
}

// Shortest text of `value` at `digits` significant digits in the field style.
template <typename Float>
std::string FieldText(Float value, int digits) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    if (value == 0) return "0";
    char buffer[48];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    std::string text(buffer, result.ptr);
    const std::size_t e = text.find('e');
    if (e != std::string::npos) text[e] = 'E';
    const std::size_t sign = text[0] == '-' ? 1 : 0;
    if (text.compare(sign, 2, "0.") == 0) text.erase(sign, 1);
    return text;
}

}  // namespace

std::string FormatField(double value) {
    return FieldText(value, 15);
}

std::string FormatFieldSingle(float value) {
    return FieldText(value, 7);
}

std::string FormatTwoByTwo(float value) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    std::string text(buffer, result.ptr);
    const bool negative = text[0] == '-';
    if (negative) text.erase(0, 1);
    if (text.find('.') < 2) text.insert(0, "0");
    // A value that rounds to zero has no sign to show.
    if (negative && text != "00.00") text.insert(0, "-");
    return text;
}
