#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// An environment variable set for one test, the old value put back afterwards (an unset
// PATH or TMPDIR reads as empty).
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value) : name_(name), old_(qgetenv(name)) {
        qputenv(name, value.toLocal8Bit());
    }
    ~ScopedEnv() { qputenv(name_, old_); }

private:
    const char* name_;
    QByteArray old_;
};

// A PATH of one folder that holds only a stand-in for nec2c (or nothing). The stand-in
// records the process id of each start in the folder's file "pids", which its script names
// PIDS, so that it can record the processes it starts too.
class StandIn {
public:
    explicit StandIn(const char* script, const QByteArray& dataFolder = {})
        : path_("PATH", folder_.path()), pids_(folder_.filePath("pids")) {
        if (!script) return;
        QFile file(folder_.filePath("nec2c"));
        if (!file.open(QIODevice::WriteOnly)) qFatal("no stand-in for nec2c");
        QByteArray text(script);
        if (!text.startsWith("#!"))
            text.prepend("#!/bin/sh\necho $$ >> '" + pids_.toUtf8() + "'\n");
        file.write(text.replace("DATA", dataFolder).replace("PIDS", pids_.toUtf8()));
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }

    // The processes the stand-in ran that still run; an ended one that nobody reaped yet
    // (its parent ended too) does not count.
    int alive() const {
        QFile file(pids_);
        if (!file.open(QIODevice::ReadOnly)) return 0;
        int count = 0;
        for (const QByteArray& pid : file.readAll().split('\n')) {
            if (pid.isEmpty()) continue;
            QFile stat("/proc/" + pid + "/stat");
            if (!stat.open(QIODevice::ReadOnly)) continue;
            // "pid (name) state ...": the state follows the name's closing parenthesis.
            const QByteArray line = stat.readAll();
            if (line.mid(line.lastIndexOf(')') + 2, 1) != "Z") ++count;
        }
        return count;
    }

private:
    QTemporaryDir folder_;
    ScopedEnv path_;
    QString pids_;
};
