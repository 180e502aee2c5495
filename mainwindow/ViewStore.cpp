// Where the view state is kept, looked at before QSettings opens it.
#include "mainwindow/ViewStore.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>

namespace {

// The store's file, where QSettings keeps it for this program ($XDG_CONFIG_HOME/Orvane/
// Orvane.conf), named here so that it can be looked at before QSettings opens it.
QString ViewStatePath() {
    QString organization = QCoreApplication::organizationName();
    // QSettings' own name for a program without one.
    if (organization.isEmpty()) organization = "Unknown Organization";
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/" +
           organization + "/" + QCoreApplication::applicationName() + ".conf";
}

// Why QSettings must not open the file or its lock file, which it follows through links
// and replaces by a regular file: a FIFO would block the start for ever, and a device or a
// link to anything but a regular file would be destroyed. Empty when nothing is wrong.
QString ViewStateProblem(const QString& path) {
    for (const QString& file : {path, path + ".lock"}) {
        const QByteArray name = QFile::encodeName(file);
        struct stat info;
        if (::lstat(name.constData(), &info) != 0) {
            if (errno == ENOENT) continue;
            return file + ": " + std::strerror(errno);
        }
        if (S_ISLNK(info.st_mode) && ::stat(name.constData(), &info) != 0) {
            return file + ": a link to nothing";
        }
        if (!S_ISREG(info.st_mode)) return file + ": not a regular file";
    }
    return {};
}

}  // namespace

std::unique_ptr<QSettings> OpenViewStore(QString* problem) {
    const QString path = ViewStatePath();
    if (const QString why = ViewStateProblem(path); !why.isEmpty()) {
        if (problem) *problem = why;
        return nullptr;
    }
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}
