// The real program started as a user starts it, with its options.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <memory>
#include <optional>

#include "core/Version.h"
#include "platform/SettingsFile.h"
#include "tests/support/TempDir.h"

namespace {

struct Finished {
    int exitCode = -1;
    QString out;
    QString err;
};

// Empty `platform`: no display at all, so a window could not even start.
QProcess* Start(const QStringList& arguments, const QString& folder, const QString& platform) {
    auto* process = new QProcess;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    if (!platform.isEmpty()) environment.insert("QT_QPA_PLATFORM", platform);
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(folder);
    process->start(ORVANE_PROGRAM, arguments);
    return process;
}

std::optional<Finished> WaitForEnd(QProcess* process) {
    std::unique_ptr<QProcess> owned(process);
    if (!process->waitForFinished(30000)) {
        process->kill();
        process->waitForFinished();
        return std::nullopt;
    }
    return Finished{process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1,
                    QString::fromLocal8Bit(process->readAllStandardOutput()),
                    QString::fromLocal8Bit(process->readAllStandardError())};
}

// Whether the process has its handler for SIGTERM in place (Linux: SigCgt in its status).
bool CatchesTerm(qint64 pid) {
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:")) {
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
        }
    }
    return false;
}

// Starts the window on the offscreen platform and ends it as a desktop session would.
std::optional<Finished> RunWindowAndTerminate(const QStringList& arguments, const QString& folder) {
    QProcess* process = Start(arguments, folder, "offscreen");
    for (int wait = 0; wait < 3000 && !CatchesTerm(process->processId()); ++wait) {
        QThread::msleep(10);
    }
    process->terminate();
    return WaitForEnd(process);
}

}  // namespace

TEST(CommandLine, AnswersWithoutAWindowAndRefusesWhatItDoesNotKnow) {
    WorkingDirectory dir;
    const struct {
        QStringList arguments;
        QString platform;
        int exitCode;
        QString out;
        QString err;
    } cases[] = {
        {{"--help"}, "", 0, "--settings <file>", ""},
        {{"-h"}, "offscreen", 0, "Usage:", ""},
        {{"--version"}, "", 0, QString("Orvane %1\n").arg(kOrvaneVersion), ""},
        {{"-v"}, "offscreen", 0, QString("Orvane %1\n").arg(kOrvaneVersion), ""},
        {{"--bogus"}, "offscreen", 2, "", "Unknown option 'bogus'"},
        {{"file.ini"}, "offscreen", 2, "", "Unexpected argument 'file.ini'"},
        {{"--settings"}, "offscreen", 2, "", "Missing value after '--settings'"},
        {{"--settings="}, "offscreen", 2, "", "needs a file name"},
        {{"--sweep-tune", "hplc", "out.csv"}, "", 2, "", "takes hpcl, lpcl or lplc"},
        {{"--sweep-tune", "lpcl"}, "", 2, "", "needs the CSV file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const std::optional<Finished> run = WaitForEnd(Start(c.arguments, dir.path(), c.platform));
        ASSERT_TRUE(run) << "opened a window";
        EXPECT_EQ(run->exitCode, c.exitCode) << run->err.toStdString();
        if (c.exitCode == 0) {
            EXPECT_TRUE(run->out.contains(c.out)) << run->out.toStdString();
        } else {
            EXPECT_TRUE(run->out.isEmpty());
            EXPECT_TRUE(run->err.contains(c.err)) << run->err.toStdString();
            EXPECT_TRUE(run->err.contains("Usage:")) << "the usage goes with the error";
        }
    }
    EXPECT_FALSE(QFile::exists(dir.path() + "/ORVANE.INI")) << "no settings without a window";
}

// Without options the settings are ORVANE.INI in the working directory; --settings puts them
// elsewhere under the same rules, the backup of a damaged file beside it.
TEST(CommandLine, SettingsOptionPutsTheFileWhereItIsToldWithTheSameRules) {
    const std::string defaults = CrLfLines(DefaultSettingsLines());
    std::vector<std::string> damaged = DefaultSettingsLines();
    damaged.pop_back();

    const struct {
        QStringList arguments;
        std::string before;  // empty: no file
        std::string after;   // empty: still no file
        std::string backup;
        QString error;
    } cases[] = {
        {{}, "", defaults, "", ""},
        {{"--settings", "rod.ini"}, "", defaults, "", ""},
        {{"--settings", "rod.ini"},
         CrLfLines(DefaultsWith(1, "ANTENDIA   04.50  ")),
         CrLfLines(DefaultsWith(1, "ANTENDIA 4.5")),
         "",
         ""},
        {{"--settings", "rod.ini"}, CrLfLines(damaged), defaults, CrLfLines(damaged), ""},
        {{"--settings", "locked/rod.ini"}, "", "", "", "locked/rod.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        WorkingDirectory dir;
        const std::string file = dir.file(c.arguments.isEmpty() ? "ORVANE.INI" : "rod.ini");
        if (!c.before.empty()) WriteBytes(file, c.before);
        const std::string locked = dir.file("locked");
        ASSERT_EQ(::mkdir(locked.c_str(), 0555), 0);

        const std::optional<Finished> run = RunWindowAndTerminate(c.arguments, dir.path());
        ASSERT_TRUE(run);
        EXPECT_EQ(run->exitCode, 0) << "the window ran and was closed";
        EXPECT_TRUE(run->err.contains(c.error)) << run->err.toStdString();
        const std::string where = c.error.isEmpty() ? file : dir.file("locked/rod.ini");
        EXPECT_EQ(QFile::exists(QString::fromStdString(where)), !c.after.empty());
        EXPECT_EQ(ReadBytes(where), c.after);
        EXPECT_EQ(ReadBytes(file + ".bak"), c.backup);
        EXPECT_EQ(QFile::exists(dir.path() + "/ORVANE.INI"), c.arguments.isEmpty());
    }
}

// The sweep-tune without a window reads the settings as a window would but never creates
// or repairs them; it writes its CSV whole or not at all and gives each failure one line.
TEST(CommandLine, SweepTuneWritesItsCsvAndLeavesTheSettingsAsTheyAre) {
    std::vector<std::string> short48 = DefaultSettingsLines();
    short48.pop_back();
    std::vector<std::string> small = DefaultSettingsLines();
    small[46] = "LPLCCNUM 3";
    small[48] = "LPLCLNUM 3";
    const struct {
        const char* tuner;
        const char* csv;
        std::string settings;  // empty: no file
        mode_t mode;
        int exitCode;
        QString err;  // one line, or nothing
    } cases[] = {
        {"hpcl", "out.csv", "", 0, 0, ""},
        {"hpcl", "out.csv", CrLfLines(short48), 0644, 0, "48 lines, not 49"},
        {"lplc", "locked/out.csv", CrLfLines(small), 0644, 1, "locked/out.csv: cannot"},
        {"lplc", "out.csv", CrLfLines(small), 0, 1, "ORVANE.INI: cannot"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.err.toStdString());
        WorkingDirectory dir;
        const std::string settings = dir.file("ORVANE.INI");
        if (!c.settings.empty()) {
            WriteBytes(settings, c.settings);
            ASSERT_EQ(::chmod(settings.c_str(), c.mode), 0);
        }
        ASSERT_EQ(::mkdir(dir.file("locked").c_str(), 0555), 0);

        const std::optional<Finished> run =
            WaitForEnd(Start({"--sweep-tune", c.tuner, c.csv}, dir.path(), ""));
        ASSERT_TRUE(run);
        EXPECT_EQ(run->exitCode, c.exitCode) << run->err.toStdString();
        EXPECT_TRUE(run->err.contains(c.err)) << run->err.toStdString();
        EXPECT_EQ(run->err.count('\n'), c.err.isEmpty() ? 0 : 1) << run->err.toStdString();
        EXPECT_EQ(dir.entries("locked"), QStringList());
        const std::string csv = ReadBytes(dir.file("out.csv"));
        EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), c.exitCode == 0 ? 300 : 0);
        EXPECT_EQ(run->out.contains("best found at"), c.exitCode == 0);
        ::chmod(settings.c_str(), 0644);
        EXPECT_EQ(ReadBytes(settings), c.settings) << "the settings file is left as it was";
        EXPECT_FALSE(QFile::exists(dir.path() + "/ORVANE.INI.bak"));
    }
}
