#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/TextFile.h"

// The settings file: one entry per line, characters 1 to 8 the key (matched in upper
// case), the value from character 9 on with blanks trimmed. A valid file has exactly the
// 49 lines of the defaults, in their order.

inline constexpr const char* kSettingsFileName = "ORVANE.INI";
inline constexpr std::size_t kSettingsLineCount = 49;
// A valid file is about 1 kB; a larger one than this is no settings file and is not read.
inline constexpr std::uintmax_t kLargestSettingsFile = 1024 * 1024;

// Whose the settings file is: the program's own is made valid at start, a file the user
// named (with --settings or the File menu) is only ever used as it is.
enum class SettingsOrigin { Own, Named };

// The settings file every window reads and writes: ORVANE.INI in the working directory
// unless the program was told otherwise at start or the user opened another file.
const std::string& SettingsFilePath();
SettingsOrigin SettingsFileOrigin();
void SetSettingsFilePath(const std::string& path, SettingsOrigin origin);

const std::vector<std::string>& DefaultSettingsLines();

// The program's own file at start: makes sure a valid file exists. A missing or empty file
// gets the defaults; a file with another line count is first kept as <path>.bak, or
// <path>.bak.1, .bak.2 ... whichever is free (an earlier backup is never replaced), and
// then replaced by the defaults, and `restored` says so in one line (it is empty
// otherwise). Temporary files that interrupted writes left behind are removed first.
FileResult EnsureSettingsFile(const std::string& path, std::string& restored);

// A file the user named: taken when it is a settings file. A missing or empty one gets the
// defaults; anything else that is no settings file (another line count, not text, no line
// with a key) is refused by name and reason and left as it is.
FileResult AcceptSettingsFile(const std::string& path);

// The settings file in use made ready by the rules of its origin, as the two above say.
FileResult PrepareSettingsFile(std::string& restored);

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
// the file holds it. An empty file gives the defaults. The program's own file gives them
// also when it is missing, or has another line count, which the window would replace by
// them (`damaged` then says so in one line). A file the user named must be there and be a
// settings file; that, and a file that cannot be read, is a failure.
FileResult ReadSettingsKeysAsIs(const std::string& path, SettingsOrigin origin,
                                const std::vector<std::string>& keys,
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
