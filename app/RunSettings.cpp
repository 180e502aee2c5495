#include "app/RunSettings.h"

#include "platform/Controls.h"
#include "platform/SettingsFile.h"

bool ReadRunSettings(const std::vector<std::string>& keys,
                     std::map<std::string, std::string>& values) {
    std::string damaged;
    const FileResult read =
        ReadSettingsKeysAsIs(SettingsFilePath(), SettingsFileOrigin(), keys, values, damaged);
    if (!read.ok()) {
        ReportOnStandardError(read.error);
        return false;
    }
    if (!damaged.empty()) ReportOnStandardError(damaged);
    return true;
}
