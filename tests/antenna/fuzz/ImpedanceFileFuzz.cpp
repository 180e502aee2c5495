// Fuzz entry for the measured-file reader: any bytes must give either points that rise and
// are finite, or one line naming the file and what was wrong.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "antenna/ImpedanceFile.h"

namespace {

void Require(bool holds) {
    if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the reader, as the file's extension does.
    constexpr std::string_view kNames[] = {"whip.s1p", "amp.s2p", "sweep.csv", "analyser.txt"};
    const std::string_view name = kNames[data[0] % std::size(kNames)];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const ImpedanceFileRead read = ParseImpedanceFile(text, name);
    if (!read.file) {
        Require(read.fault.starts_with(name) && read.fault.find('\n') == std::string::npos &&
                read.fault.find('\r') == std::string::npos);
        return 0;
    }
    Require(read.fault.empty() && !read.file->points.empty() &&
            read.file->points.size() <= kMostImpedancePoints);
    double previous = 0;
    for (const ImpedancePoint& p : read.file->points) {
        Require(p.f_MHz > previous && std::isfinite(p.f_MHz) && std::isfinite(p.z.r) &&
                std::isfinite(p.z.x));
        previous = p.f_MHz;
    }
    return 0;
}
