#include "tests/support/TempDir.h"

#include <sys/stat.h>

#include <QDir>

#include <fstream>
#include <sstream>
#include "platform/SettingsFile.h"

WorkingDirectory::WorkingDirectory() : previous_(QDir::currentPath()) {
    QDir::setCurrent(dir_.path());
}

WorkingDirectory::~WorkingDirectory() {
    QDir::setCurrent(previous_);
}

std::string WorkingDirectory::file(const std::string& name) const {
    return dir_.path().toStdString() + "/" + name;
}

QStringList WorkingDirectory::entries(const QString& subfolder) const {
    return QDir(dir_.path() + "/" + subfolder)
        .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                   QDir::Name);
}

int ModeOf(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 ? static_cast<int>(info.st_mode & 07777) : -1;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

std::vector<std::string> DefaultsWith(std::size_t index, const std::string& line) {
    std::vector<std::string> lines = DefaultSettingsLines();
    lines[index] = line;
    return lines;
}
