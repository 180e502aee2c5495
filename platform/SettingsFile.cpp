#include "platform/SettingsFile.h"

#include <filesystem>

namespace {

constexpr std::size_t kKeyLength = 8;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string KeyOf(const std::string& line) {
    std::string key = line.substr(0, kKeyLength);
    for (char& ch : key) {
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    }
    return key;
}

std::string ValueOf(const std::string& line) {
    return line.size() > kKeyLength ? TrimBlanks(line.substr(kKeyLength)) : std::string();
}

std::string LineCount(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " line" : " lines");
}

// For each key, the trimmed value of the last line that holds it.
void KeyValues(const std::vector<std::string>& lines, const std::vector<std::string>& keys,
               std::map<std::string, std::string>& values) {
    for (const std::string& line : lines) {
        const std::string key = KeyOf(line);
        for (const std::string& wanted : keys) {
            if (key == wanted) values[wanted] = ValueOf(line);
        }
    }
}

struct SettingsInUse {
    std::string path = kSettingsFileName;
    SettingsOrigin origin = SettingsOrigin::Own;
};

SettingsInUse& CurrentSettings() {
    static SettingsInUse settings;
    return settings;
}

// Why the lines are no settings file; empty when they are one.
std::string NotSettings(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (line.find('\0') != std::string::npos) return "not text";
    }
    if (lines.size() != kSettingsLineCount) {
        return LineCount(lines.size()) + ", not " + std::to_string(kSettingsLineCount);
    }
    std::vector<std::string> keys;
    for (const std::string& line : DefaultSettingsLines()) keys.push_back(KeyOf(line));
    std::map<std::string, std::string> values;
    KeyValues(lines, keys, values);
    return values.empty() ? "no line holds a setting" : "";
}

FileResult Refused(const std::string& path, const std::string& why) {
    return FileProblem(path, "not a settings file (" + why + "), left as it is");
}

// The lines of a file the user named, refused unless they are a settings file; an empty
// file has none.
FileResult ReadNamedSettingsLines(const std::string& path, std::vector<std::string>& lines) {
    if (FileResult read = ReadSettingsLines(path, lines); !read.ok()) return read;
    if (lines.empty()) return {};
    const std::string why = NotSettings(lines);
    return why.empty() ? FileResult{} : Refused(path, why);
}

// A copy of the file under the first free backup name.
FileResult KeepBackup(const std::string& path, std::string& backup) {
    constexpr int kMostBackups = 1000;
    for (int number = 0; number < kMostBackups; ++number) {
        backup = path + ".bak" + (number == 0 ? "" : "." + std::to_string(number));
        std::error_code error;
        if (std::filesystem::symlink_status(backup, error).type() ==
            std::filesystem::file_type::not_found) {
            return CopyFile(path, backup);
        }
    }
    return FileProblem(path, "cannot keep a backup: " + std::to_string(kMostBackups) +
                                 " backups are there already");
}

}  // namespace

// An editor's byte-order mark and blank lines at the end of a file that is already long
// enough would otherwise make a valid file invalid.
FileResult ReadSettingsLines(const std::string& path, std::vector<std::string>& lines) {
    if (FileResult read = ReadAllLines(path, lines, kLargestSettingsFile); !read.ok()) return read;
    if (!lines.empty() && lines.front().starts_with(kByteOrderMark)) {
        lines.front().erase(0, kByteOrderMark.size());
    }
    while (lines.size() > kSettingsLineCount && TrimBlanks(lines.back()).empty()) lines.pop_back();
    // A file the user named is read and rewritten, by every window, only while it is a
    // settings file: one refused at start stays the user's.
    if (SettingsFileOrigin() == SettingsOrigin::Named && path == SettingsFilePath() &&
        !lines.empty()) {
        if (const std::string why = NotSettings(lines); !why.empty()) return Refused(path, why);
    }
    return {};
}

const std::string& SettingsFilePath() {
    return CurrentSettings().path;
}

SettingsOrigin SettingsFileOrigin() {
    return CurrentSettings().origin;
}

void SetSettingsFilePath(const std::string& path, SettingsOrigin origin) {
    CurrentSettings() = {path, origin};
}

std::string TrimBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

const std::vector<std::string>& DefaultSettingsLines() {
    static const std::vector<std::string> lines = {
        "ANTENLEN 4.5",   "ANTENDIA 5",    "FREQUMHZ 7.1",   "ANTENCPF 10",   "ANTENRLO 5",
        "BASECOIL 0",     "TXPOWERW 100",  "FMARKER0 1.9",   "FMARKER1 3.7",  "FMARKER2 7.15",
        "FMARKER3 10.15", "FMARKER4 14.2", "FMARKER5 18.15", "FMARKER6 21.3", "FMARKER7 24.95",
        "FMARKER8 28.3",  "FMARKER9 29.6", "MATCHC01 25",    "MATCHC99 250",  "MATCHL99 35",
        "MATCHRLO 5",     "HPCLXC01 2",    "HPCLXC02 4",     "HPCLXC03 8",    "HPCLXC04 16",
        "HPCLXC05 32",    "HPCLXC06 64",   "HPCLXC07 128",   "HPCLXC08 ",     "HPCLXC09 ",
        "HPCLXC10 ",      "HPCLXL01 0.1",  "HPCLXL02 0.2",   "HPCLXL03 0.4",  "HPCLXL04 0.8",
        "HPCLXL05 1.6",   "HPCLXL06 3.2",  "HPCLXL07 6.4",   "HPCLXL08 12.8", "HPCLXL09 25.6",
        "HPCLXL10 ",      "LPCLCMIN 7.5",  "LPCLCNUM 10",    "LPCLLMIN 0.25", "LPCLLNUM 9",
        "LPLCCMIN 7.5",   "LPLCCNUM 10",   "LPLCLMIN 0.25",  "LPLCLNUM 9",
    };
    return lines;
}

FileResult EnsureSettingsFile(const std::string& path, std::string& restored) {
    restored.clear();
    RemoveLeftoverTemporaries(path);
    RemoveLeftoverTemporaries(path + ".bak");
    if (FileResult created = AppendCreate(path); !created.ok()) return created;
    std::uintmax_t length = 0;
    if (FileResult sized = ByteLength(path, length); !sized.ok()) return sized;
    if (length == 0) return WriteAllLines(path, DefaultSettingsLines());

    std::vector<std::string> lines;
    if (FileResult read = ReadSettingsLines(path, lines); !read.ok()) return read;
    if (lines.size() == kSettingsLineCount) return {};
    // The user's values in a damaged file are not thrown away unseen.
    std::string backup;
    if (FileResult kept = KeepBackup(path, backup); !kept.ok()) return kept;
    if (FileResult written = WriteAllLines(path, DefaultSettingsLines()); !written.ok()) {
        return written;
    }
    restored = path + " had " + LineCount(lines.size()) + ", not " +
               std::to_string(kSettingsLineCount) + ": defaults restored, old file kept as " +
               backup;
    return {};
}

FileResult AcceptSettingsFile(const std::string& path) {
    RemoveLeftoverTemporaries(path);
    std::error_code error;
    const bool missing = std::filesystem::symlink_status(path, error).type() ==
                         std::filesystem::file_type::not_found;
    std::vector<std::string> lines;
    if (!missing) {
        if (FileResult read = ReadNamedSettingsLines(path, lines); !read.ok()) return read;
    }
    return lines.empty() ? WriteAllLines(path, DefaultSettingsLines()) : FileResult{};
}

FileResult PrepareSettingsFile(std::string& restored) {
    restored.clear();
    if (SettingsFileOrigin() == SettingsOrigin::Own) {
        return EnsureSettingsFile(SettingsFilePath(), restored);
    }
    return AcceptSettingsFile(SettingsFilePath());
}

FileResult ReadSettingsKeys(const std::string& path, const std::vector<std::string>& keys,
                            std::map<std::string, std::string>& values) {
    std::vector<std::string> lines;
    if (FileResult read = ReadSettingsLines(path, lines); !read.ok()) return read;
    values.clear();
    KeyValues(lines, keys, values);
    return {};
}

FileResult ReadSettingsKeysAsIs(const std::string& path, SettingsOrigin origin,
                                const std::vector<std::string>& keys,
                                std::map<std::string, std::string>& values, std::string& damaged) {
    values.clear();
    damaged.clear();
    KeyValues(DefaultSettingsLines(), keys, values);
    std::vector<std::string> lines;
    if (origin == SettingsOrigin::Named) {
        if (FileResult read = ReadNamedSettingsLines(path, lines); !read.ok()) return read;
        KeyValues(lines, keys, values);
        return {};
    }
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error) return {};
    if (FileResult read = ReadSettingsLines(path, lines); !read.ok()) return read;
    // An empty file is a new one, as at start-up.
    if (lines.empty()) return {};
    if (lines.size() != kSettingsLineCount) {
        damaged = path + " has " + LineCount(lines.size()) + ", not " +
                  std::to_string(kSettingsLineCount) +
                  ": the defaults are used, the file stays as it is";
        return {};
    }
    KeyValues(lines, keys, values);
    return {};
}

FileResult ReplaceSettingsValues(const std::string& path, std::vector<std::string>& lines,
                                 const std::map<std::string, std::string>& values) {
    for (const auto& [key, value] : values) {
        if (value.find_first_of("\r\n") != std::string::npos) {
            return FileProblem(path, "cannot write " + key + ": its value holds a line break");
        }
    }
    for (std::string& line : lines) {
        auto entry = values.find(KeyOf(line));
        if (entry != values.end()) {
            line = line.substr(0, kKeyLength) + " " + TrimBlanks(entry->second);
        }
    }
    return {};
}

FileResult RewriteSettingsFile(const std::string& path,
                               const std::map<std::string, std::string>& values) {
    std::vector<std::string> lines;
    if (FileResult read = ReadSettingsLines(path, lines); !read.ok()) return read;
    if (FileResult replaced = ReplaceSettingsValues(path, lines, values); !replaced.ok()) {
        return replaced;
    }
    return WriteAllLines(path, lines);
}
