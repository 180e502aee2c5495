#include "tests/support/TempDir.h"

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
