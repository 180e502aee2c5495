#pragma once

#include <map>
#include <string>
#include <vector>

// The keys of the settings file in use for a run without a window, as ReadSettingsKeysAsIs
// reads them: the file is never created or repaired, and a damaged one is reported on
// standard error. False, with the reason on standard error, when the file is there and
// cannot be read.
bool ReadRunSettings(const std::vector<std::string>& keys,
                     std::map<std::string, std::string>& values);
