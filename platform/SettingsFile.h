#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/TextFile.h"

// The settings file: one entry per line, characters 1 to 8 the key (matched in upper
// case), the value from character 9 on with blanks trimmed. A valid file has exactly the
// 49 lines of the defaults, in their order.

inline constexpr const char* kSettingsFileName = "ORVANE.INI";

// The settings file every window reads and writes: ORVANE.INI in the working directory
// unless the program was told otherwise at start or the user opened another file.
const std::string& SettingsFilePath();
void SetSettingsFilePath(const std::string& path);
inline constexpr std::size_t kSettingsLineCount = 49;

const std::vector<std::string>& DefaultSettingsLines();

// Makes sure a valid file exists. A missing or empty file gets the defaults; a file with
// another line count is first kept as <path>.bak and then replaced by the defaults, and
// `restored` says so in one line (it is empty otherwise). Temporary files that interrupted
// writes left behind are removed first.
FileResult EnsureSettingsFile(const std::string& path, std::string& restored);

// One pass over the file: for each key, the trimmed value of the last line that holds it.
// Keys the file lacks are absent from the result. A UTF-8 byte-order mark at the start is
// no part of the first line, and blank lines after the 49th do not count.
FileResult ReadSettingsKeys(const std::string& path, const std::vector<std::string>& keys,
                            std::map<std::string, std::string>& values);

// The keys as a window would read them, for a run without one, which neither creates nor
// repairs the file: every key has the value of its default line unless the file holds it.
// A missing file gives the defaults, and so does a file that a window would replace by them
// (its line count is wrong), which `note` then says in one line.
FileResult ReadSettingsOrDefaults(const std::string& path, const std::vector<std::string>& keys,
                                  std::map<std::string, std::string>& values, std::string& note);

// Gives every line whose key is in `values` its own first eight characters (in their
// letter case), one blank and the new value trimmed; all other lines stay as they are, in
// their order. A key the file lacks is not added. A value holding a line break is refused
// and nothing is written, since it would break the file into other lines.
FileResult RewriteSettingsFile(const std::string& path,
                               const std::map<std::string, std::string>& values);

std::string TrimBlanks(const std::string& text);
