#include "losses/LossQ.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "core/NumberFormat.h"

namespace {

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char ch) { return std::isspace(static_cast<unsigned char>(ch)) != 0; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool IsIdealWord(std::string_view text) {
    constexpr std::string_view kIdeal = "ideal";
    return std::equal(text.begin(), text.end(), kIdeal.begin(), kIdeal.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

}  // namespace

std::optional<double> ParseQ(std::string_view text) {
    text = Trimmed(text);
    if (IsIdealWord(text)) return kIdealQ;
    double q = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, q);
    // from_chars also reads "inf" and "nan", which the range test turns away.
    if (error != std::errc() || stop != end || !(q >= kLowestQ && q <= kHighestQ)) {
        return std::nullopt;
    }
    return q;
}

std::string QText(double q) {
    if (q == kIdealQ) return "ideal";
    return SignificantText(q, 15);
}

AntennaInput WithCoilLoss(AntennaInput in, const LossQ& q) {
    in.coil_q = q.coil;
    return in;
}
