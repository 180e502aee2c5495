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

// The lines of the file as they count: an editor's byte-order mark at the start is no part
// of the first line, and blank lines after the 49th are dropped.
FileResult ReadSettingsLines(const std::string& path, std::vector<std::string>& lines);

// One pass over the file: for each key, the trimmed value of the last line that holds it.
// Keys the file lacks are absent from the result. A UTF-8 byte-order mark at the start is
// no part of the first line, and blank lines after the 49th do not count.
FileResult ReadSettingsKeys(const std::string& path, const std::vector<std::string>& keys,
                            std::map<std::string, std::string>& values);

// For a run without a window: the keys as a window would read them from the file as it is,
// which is never created or repaired. Every key has the value of its default line unless
// the file holds it. A missing or empty file gives the defaults, and so does one with
// another line count, which the window would replace by them (`damaged` then says so in one
// line); only a file that is there and cannot be read is a failure.
FileResult ReadSettingsKeysAsIs(const std::string& path, const std::vector<std::string>& keys,
                                std::map<std::string, std::string>& values, std::string& damaged);

// Gives every line whose key is in `values` its own first eight characters (in their
// letter case), one blank and the new value trimmed; all other lines stay as they are, in
// their order. A key the lines lack is not added. A value holding a line break is refused,
// naming `path`, and the lines stay as they were, since it would break the file into other
// lines.
FileResult ReplaceSettingsValues(const std::string& path, std::vector<std::string>& lines,
                                 const std::map<std::string, std::string>& values);

// ReplaceSettingsValues on the file itself; nothing is written when a value is refused.
FileResult RewriteSettingsFile(const std::string& path,
                               const std::map<std::string, std::string>& values);

std::string TrimBlanks(const std::string& text);
