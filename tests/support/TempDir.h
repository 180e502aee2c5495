#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <string>
#include <vector>

// A fresh working directory for one test; the previous one is restored afterwards.
class WorkingDirectory {
public:
    WorkingDirectory();
    ~WorkingDirectory();
    QString path() const { return dir_.path(); }
    std::string file(const std::string& name) const;
    // Every entry of the folder, links and hidden files included, sorted by name.
    QStringList entries(const QString& subfolder = ".") const;

private:
    QTemporaryDir dir_;
    QString previous_;
};

// Whole-file helpers for checking what the program wrote.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// The permission bits of a file, or -1 when it cannot be seen.
int ModeOf(const std::string& path);
// Lines joined by CR LF, each ended by it, as the program writes them.
std::string CrLfLines(const std::vector<std::string>& lines);

// The default settings lines with one line replaced.
std::vector<std::string> DefaultsWith(std::size_t index, const std::string& line);
