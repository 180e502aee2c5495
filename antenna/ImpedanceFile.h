#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "antenna/ImpedanceTable.h"

// What a measured file holds: the impedance at each of its frequencies.
struct ImpedanceFile {
    std::vector<ImpedancePoint> points;
    bool twoPort = false;  // a .s2p file, whose S11 is the antenna
    int negativeR = 0;     // points with R below 0, kept as measured
};

struct ImpedanceFileRead {
    std::optional<ImpedanceFile> file;
    // One line naming the file, the line and what was wrong, when there is no file:
    // "whip.s1p line 12: 3 numbers expected, found 2".
    std::string fault;
};

inline constexpr std::size_t kMostImpedancePoints = 1'000'000;
inline constexpr std::uint64_t kLargestImpedanceFile = 64ull * 1024 * 1024;

// Told the share of the text read so far, in whole percent, each time it grows; may be
// called from the reading thread.
using ReadProgress = std::function<void(int percent)>;

// Reads a Touchstone 1.x one- or two-port file or a CSV file with frequency, R and X columns;
// `name` (the file's name) says which by its extension and stands in every message.
ImpedanceFileRead ParseImpedanceFile(std::string_view text, std::string_view name,
                                     const ReadProgress& progress = {});

// The same from a file on disk. Folders, FIFOs, devices and files over 64 MB are refused
// without waiting on them.
ImpedanceFileRead ReadImpedanceFile(const std::string& path, const ReadProgress& progress = {});

// The file's name without its folder, as the messages and the window title name it.
std::string FileNameOf(std::string_view path);
