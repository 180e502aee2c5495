#pragma once

#include <QString>
#include <map>
#include <string>
#include <vector>

#include "platform/TextFile.h"

// Field texts in the settings file, which holds 8-bit text: each byte is the Latin-1
// character of its code, both ways, so every byte a value holds survives a round trip.

QString SettingsText(const std::string& value);

// RewriteSettingsFile with field texts. A character that Latin-1 lacks cannot be stored
// as itself, so such a text is refused by name: nothing is written and the error names
// the key and the character.
FileResult RewriteSettingsTexts(const std::string& path,
                                const std::map<std::string, QString>& texts);

// The lines with the field texts as their values, written to `path` as a whole new file;
// refused as above, and then nothing is written.
FileResult WriteSettingsTexts(const std::string& path, std::vector<std::string> lines,
                              const std::map<std::string, QString>& texts);
