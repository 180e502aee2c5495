#include "antenna/TextLines.h"

#include <charconv>
#include <cmath>

namespace {

// A word is shown in a message only up to this length.
constexpr std::size_t kShownWord = 24;

bool Printable(std::string_view word) {
    for (const char ch : word) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x20 || byte >= 0x7F) return false;
    }
    return true;
}

}  // namespace

TextLines::TextLines(std::string_view text, const ReadProgress& progress)
    : text_(text), progress_(progress) {
    // A byte-order mark is no part of the first line.
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") at_ = 3;
}

bool TextLines::Next(std::string_view& line) {
    if (at_ >= text_.size()) return false;
    const std::size_t end = text_.find_first_of("\r\n", at_);
    line = text_.substr(at_, end == std::string_view::npos ? std::string_view::npos : end - at_);
    at_ = end == std::string_view::npos ? text_.size() : end + 1;
    if (end != std::string_view::npos && text_[end] == '\r' && at_ < text_.size() &&
        text_[at_] == '\n') {
        ++at_;
    }
    ++number_;
    if (progress_ && (number_ & 0xFFF) == 0) {
        const int percent = static_cast<int>(100 * at_ / text_.size());
        if (percent > percent_) progress_(percent_ = percent);
    }
    return true;
}

bool HasUnreadableBytes(std::string_view line) {
    for (const char ch : line) {
        const auto byte = static_cast<unsigned char>(ch);
        if ((byte < 0x20 && byte != '\t') || byte == 0x7F) return true;
    }
    return false;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while ((at = line.find_first_not_of(" \t", at)) != std::string_view::npos) {
        const std::size_t end = line.find_first_of(" \t", at);
        words.push_back(line.substr(at, end == std::string_view::npos ? end : end - at));
        at = end;
    }
    return words;
}

ParsedNumber ParseNumber(std::string_view word) {
    if (!Printable(word)) return {0, "unreadable bytes"};
    std::string_view digits = word;
    // from_chars takes no plus sign, which some writers put before exponents' mantissas.
    if (digits.size() > 1 && digits.front() == '+') digits.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    const std::string shown =
        "'" + std::string(word.substr(0, kShownWord)) + (word.size() > kShownWord ? "...'" : "'");
    if (error == std::errc::result_out_of_range) return {0, shown + " is out of range"};
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return {0, shown + " is not a number"};
    }
    if (std::isnan(value)) return {0, "NaN is not a value"};
    if (std::isinf(value)) return {0, "infinity is not a value"};
    return {value, {}};
}
