#include "app/SettingsLocation.h"

#include <QFile>
#include <QStandardPaths>
#include <filesystem>

#include "platform/SettingsFile.h"

namespace {

// A build tree has CMake's cache beside the program; an installed program has none.
bool RunsFromBuildTree() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return !error && std::filesystem::exists(program.parent_path() / "CMakeCache.txt", error);
}

}  // namespace

std::string OwnSettingsFilePath() {
    std::error_code error;
    if (std::filesystem::symlink_status(kSettingsFileName, error).type() !=
            std::filesystem::file_type::not_found ||
        RunsFromBuildTree()) {
        return kSettingsFileName;
    }
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (config.isEmpty()) return kSettingsFileName;
    return QFile::encodeName(config + "/orvane/").toStdString() + kSettingsFileName;
}
