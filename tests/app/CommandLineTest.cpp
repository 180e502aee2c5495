// The real program started as a user starts it, with its options.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <memory>
#include <tuple>

#include "analysis/core/MatchedBandwidth.h"
#include "antenna/MeasuredSource.h"
#include "core/Antenna.h"
#include "core/Version.h"
#include "exports/Networks.h"
#include "exports/SweepCsv.h"
#include "exports/Touchstone.h"
#include "nec/Comparison.h"
#include "nec/Runner.h"
#include "platform/SettingsFile.h"
#include "tests/analysis/window/ReadBack.h"
#include "tests/mainwindow/FormAccess.h"
#include "tests/nec/NecData.h"
#include "tests/support/NecStandIn.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/TempDir.h"

namespace {

struct Finished {
    int exitCode = -1;
    QString out;
    QString err;
};

// How a test starts the program. By default: the one built, with no display at all, so that
// a window could not even start.
struct Launch {
    QString platform{};  // QT_QPA_PLATFORM
    QString path{};      // PATH; empty: as it is
    QString program = ORVANE_PROGRAM;
    QString output{};  // a file for standard output; empty: read back
    QList<std::pair<QString, QString>> environment{};  // further variables
};

QProcess* Start(const QStringList& arguments, const QString& folder, const Launch& launch = {}) {
    auto* process = new QProcess;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    if (!launch.platform.isEmpty()) environment.insert("QT_QPA_PLATFORM", launch.platform);
    if (!launch.path.isEmpty()) environment.insert("PATH", launch.path);
    for (const auto& [name, value] : launch.environment) environment.insert(name, value);
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(folder);
    if (!launch.output.isEmpty()) process->setStandardOutputFile(launch.output);
    // Run as root, it would write into the folders and files that the tests lock.
    StartsAsOrdinaryUser(*process);
    process->start(launch.program, arguments);
    return process;
}

// A program that does not end in time (it opened a window) fails the test.
Finished WaitForEnd(QProcess* process) {
    std::unique_ptr<QProcess> owned(process);
    if (!process->waitForFinished(30000)) {
        process->kill();
        process->waitForFinished();
        ADD_FAILURE() << "still running after 30 s";
        return {};
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
Finished RunWindowAndTerminate(const QStringList& arguments, const QString& folder,
                               Launch launch = {}) {
    launch.platform = "offscreen";
    QProcess* process = Start(arguments, folder, launch);
    for (int wait = 0; wait < 3000 && !CatchesTerm(process->processId()); ++wait) {
        QThread::msleep(10);
    }
    process->terminate();
    return WaitForEnd(process);
}

// Why the program, run as root, would still pass the permission checks a case needs; empty
// when it meets them as anyone does.
const std::string& WhyRootKeepsRights() {
    static const std::string why = WhyProgramsKeepFileRights();
    return why;
}

}  // namespace

TEST(CommandLine, AnswersWithoutAWindowAndRefusesWhatItDoesNotKnow) {
    WorkingDirectory dir;
    const QString version = QString("Orvane %1\n").arg(kOrvaneVersion);
    // The arguments split at blanks, the platform, the exit code and what is said: on standard
    // output for an answer, on standard error with the usage for a refusal.
    const std::tuple<QString, QString, int, QString> cases[] = {
        {"--help", "", 0, "--settings <file>"},
        // Run from its build tree, the program keeps its own file in the working folder.
        {"-h", "offscreen", 0, "here that is ORVANE.INI."},
        {"--version", "", 0, version},
        {"-v", "offscreen", 0, version},
        // Qt's own options are left to Qt, as a session manager's -session.
        {"-style Fusion -reverse -session abc --version", "", 0, "Orvane "},
        {"--style=Fusion -qwindowtitle x -platform offscreen -h", "", 0, "Usage:"},
        {"--bogus", "offscreen", 2, "Unknown option 'bogus'."},
        {"file.ini", "offscreen", 2, "Unexpected argument 'file.ini'"},
        {"--settings", "offscreen", 2, "Missing value after '--settings'"},
        {"--settings=", "offscreen", 2, "needs a file name"},
        {"-v --version", "", 2, "Option 'version' is given 2 times; give it once."},
        {"--export-png pics --network hp-xl", "", 2, "Unknown network 'hp-xl'"},
        {"--export-png pics --scale 0.0036", "", 2, "pixel wide (from 1/276), not '0.0036'"},
        {"--export-png pics --scale 1e9", "", 2, "a number up to 10"},
        {"--scale 2", "", 2, "'scale' goes with --export-png"},
        {"--export-sweep a.csv --export-touchstone b.s1p", "", 2, "one of"},
        {"--sweep-tune hp-lc out.csv", "", 2, "takes HP-CL, LP-CL or LP-LC"},
        {"--sweep-tune lpcl", "", 2, "needs the CSV file"},
        {"--network lpcl", "", 2, "'network' goes with --export-png, --export-analysis"},
        {"--span 7 7.3", "", 2, "'span' goes with --export-analysis or --report"},
        {"--report r.pdf --span 7 x", "", 2,
         "needs two frequencies in MHz, LOW and HIGH, not '7 x'"},
        {"--report r.pdf --span 7.3 7", "", 2, "LOW below HIGH"},
        {"--report r.pdf --span 31 40", "", 2, "overlapping 0.1 to 30 MHz"},
        {"--tuner-lab lplc a.csv b.csv", "", 2, "Unexpected argument 'b.csv'"},
        {"--export-sweep a.csv --q-inductor 0", "", 2, "1 to 100000 or ideal, not '0'"},
        {"--q-capacitor ideal", "offscreen", 2, "goes with a run without a window"},
        {"--antenna modle", "offscreen", 2, "Unknown antenna 'modle'"},
        {"--nec-compare n.csv --antenna nec2", "", 2, "'antenna' goes with --nec-compare only"},
    };
    for (const auto& [arguments, platform, exitCode, said] : cases) {
        SCOPED_TRACE(arguments.toStdString());
        const Finished run =
            WaitForEnd(Start(arguments.split(' '), dir.path(), {.platform = platform}));
        EXPECT_EQ(run.exitCode, exitCode) << run.err.toStdString();
        EXPECT_TRUE((exitCode ? run.err : run.out).contains(said)) << run.err.toStdString();
        EXPECT_EQ(run.err.contains("Usage:"), exitCode != 0) << "the usage goes with the error";
        EXPECT_EQ(run.out.isEmpty(), exitCode != 0);
    }
    // An answer that cannot be written is no answer.
    for (const char* option : {"--help", "--version"}) {
        const Finished full = WaitForEnd(Start({option}, dir.path(), {.output = "/dev/full"}));
        EXPECT_EQ(full.exitCode, 1) << option;
        EXPECT_EQ(full.err, QString("orvane: cannot write to standard output: ") +
                                std::strerror(ENOSPC) + "\n");
    }
    EXPECT_EQ(dir.entries(), QStringList()) << "no settings and no pictures without a window";
}

// Without options the settings are ORVANE.INI in the working directory, repaired with a
// backup when damaged; --settings puts them in a file of the user's, which is made when
// missing and otherwise used only when it is a settings file. Qt's own options leave them be.
TEST(CommandLine, SettingsOptionPutsTheFileWhereItIsToldAndNeverRepairsIt) {
    const std::string defaults = CrLfLines(DefaultSettingsLines());
    const std::string padded = CrLfLines(DefaultsWith(1, "ANTENDIA   04.50  "));
    const std::string tidied = CrLfLines(DefaultsWith(1, "ANTENDIA 4.5"));
    std::vector<std::string> damaged = DefaultSettingsLines();
    damaged.pop_back();

    const std::string bad = CrLfLines(damaged);
    // The arguments split at blanks, the file before (empty: none) and after (empty: still
    // none), its backup and what standard error says.
    const std::tuple<QString, std::string, std::string, std::string, QString> cases[] = {
        {"", "", defaults, "", ""},
        {"", bad, defaults, bad, "had 48 lines, not 49"},
        {"-style Windows -reverse -session abc", padded, tidied, "", ""},
        {"--settings rod.ini", padded, tidied, "", ""},
        {"--settings rod.ini", bad, bad, "", "rod.ini: not a settings file (48 lines, not 49)"},
        {"--settings locked/rod.ini", "", "", "", "locked/rod.ini"},
    };
    bool skipped = false;
    for (const auto& [options, before, after, backup, error] : cases) {
        SCOPED_TRACE(options.toStdString());
        const bool locked = options.contains("locked/");
        if (locked && !WhyRootKeepsRights().empty()) {
            skipped = true;
            continue;
        }
        WorkingDirectory dir;
        const bool named = options.contains("--settings");
        const std::string file = dir.file(named ? "rod.ini" : "ORVANE.INI");
        if (!before.empty()) WriteBytes(file, before);
        ASSERT_EQ(::mkdir(dir.file("locked").c_str(), 0555), 0);

        const Finished run =
            RunWindowAndTerminate(options.split(' ', Qt::SkipEmptyParts), dir.path());
        EXPECT_EQ(run.exitCode, 0) << "the window ran and was closed";
        EXPECT_TRUE(run.err.contains(error)) << run.err.toStdString();
        const std::string where = locked ? dir.file("locked/rod.ini") : file;
        EXPECT_EQ(QFile::exists(QString::fromStdString(where)), !after.empty());
        EXPECT_EQ(ReadBytes(where), after);
        EXPECT_EQ(ReadBytes(file + ".bak"), backup);
        EXPECT_EQ(QFile::exists(dir.path() + "/ORVANE.INI"), !named);
    }
    if (skipped) GTEST_SKIP() << "a locked folder needs an ordinary user: " << WhyRootKeepsRights();
}

// The exports read the settings as they find them, change nothing there, and write their
// file whole or not at all. The program's own file that is damaged gives the defaults, as
// the window would; a file the user named must be there and be a settings file.
TEST(CommandLine, ExportsReadTheSettingsUntouchedAndWriteWholeFilesOnly) {
    const QString kDenied = std::strerror(EACCES);
    std::vector<std::string> rod = DefaultsWith(0, "ANTENLEN 3");
    rod[6] = "TXPOWERW 400";
    rod[17] = "matchc01 20";
    const AntennaInput rodInput{.length_m = 3, .ptx_W = 400};
    std::vector<std::string> coiled = rod;
    coiled[5] = "BASECOIL 12";
    const AntennaInput coiledInput{.length_m = 3, .lcoil_uH = 12, .ptx_W = 400};
    const MatchLimits rodLimits{20, 250, 35};
    std::vector<std::string> damaged = DefaultSettingsLines();
    damaged.push_back("ANTENLEN 9");
    // Small LP-LC banks keep a whole sweep-tune short.
    std::vector<std::string> smallBanks = rod;
    smallBanks[46] = "LPLCCNUM 3";
    smallBanks[48] = "LPLCLNUM 3";
    std::vector<std::string> noStep = rod;
    noStep[41] = "LPCLCMIN 0";

    const std::string ok = CrLfLines(rod), bad = CrLfLines(damaged), small = CrLfLines(smallBanks);
    const std::string model = SweepCsv(ClosedFormModel(), {}, {}, LossQ{});
    const std::string rodCsv = SweepCsv(ClosedFormModel(), rodInput, rodLimits, LossQ{});
    const QString unreadable = "rod.ini: cannot read: " + kDenied + "\n";
    const QString unwritable = "locked/f: cannot write: " + kDenied + "\n";
    const QString missing = QString("whip40.in: cannot read: ") + std::strerror(ENOENT) + "\n";
    const QString folder = "locked/pics: cannot create the folder\n";
    // The arguments split at blanks; the settings file (empty: none) is the one named with
    // --settings, or else the program's own; its mode, the file written (empty: none, exit
    // code 1) and what standard error says.
    const std::tuple<QString, std::string, mode_t, std::string, QString> cases[] = {
        {"--export-sweep out", "", 0644, model, ""},
        {"--export-sweep out --settings rod.ini", ok, 0644, rodCsv, ""},
        {"--export-sweep out", ok, 0644, rodCsv, ""},
        {"--export-sweep out --q-inductor ideal --q-capacitor 500 --q-coil 90 --settings rod.ini",
         CrLfLines(coiled), 0644,
         SweepCsv(ClosedFormModel(), coiledInput, rodLimits, LossQ{kIdealQ, 500, 90}), ""},
        {"--export-touchstone out --settings rod.ini", ok, 0644,
         TouchstoneText(ClosedFormModel(), rodInput, kOrvaneVersion), ""},
        {"--export-sweep out", bad, 0644, model,
         "ORVANE.INI has 50 lines, not 49: the defaults are used, the file stays as it is\n"},
        {"--export-sweep out --settings rod.ini", bad, 0644, "",
         "rod.ini: not a settings file (50 lines, not 49), left as it is\n"},
        {"--export-sweep out --settings whip40.in", "", 0644, "", missing},
        {"--export-png out --settings whip40.in", "", 0644, "", missing},
        {"--sweep-tune lplc out --settings whip40.in", "", 0644, "", missing},
        {"--export-sweep out --settings rod.ini", ok, 0, "", unreadable},
        {"--export-sweep locked/f", ok, 0644, "", unwritable},
        {"--export-png locked/pics", ok, 0644, "", folder},
        // The other runs read and write through the same paths.
        {"--nec-compare out --settings rod.ini", ok, 0, "", unreadable},
        {"--nec-compare locked/f", ok, 0644, "", unwritable},
        {"--sweep-tune lplc out --settings rod.ini", ok, 0, "", unreadable},
        {"--sweep-tune lplc locked/f", small, 0644, "", unwritable},
        {"--report out --settings rod.ini", ok, 0, "", unreadable},
        {"--report locked/f", ok, 0644, "", unwritable},
        {"--export-analysis locked/pics", ok, 0644, "", folder},
        {"--tuner-lab lplc out --settings rod.ini", ok, 0, "", unreadable},
        {"--tuner-lab lplc locked/f", small, 0644, "", unwritable},
        {"--tuner-lab lpcl out", CrLfLines(noStep), 0644, "",
         "no tuner lab: TUNE refused: Cstep is 0 or empty.\n"},
    };
    bool skipped = false;
    for (const auto& [options, content, mode, written, err] : cases) {
        SCOPED_TRACE(options.toStdString());
        if ((mode == 0 || options.contains("locked/")) && !WhyRootKeepsRights().empty()) {
            skipped = true;
            continue;
        }
        WorkingDirectory dir;
        ASSERT_EQ(::mkdir(dir.file("locked").c_str(), 0555), 0);
        const QStringList arguments = options.split(' ');
        const int named = arguments.indexOf("--settings");
        const std::string file = named < 0 ? kSettingsFileName : arguments[named + 1].toStdString();
        if (!content.empty()) {
            WriteBytes(file, content);
            ASSERT_EQ(::chmod(file.c_str(), mode), 0);
        }
        const Finished run = WaitForEnd(Start(arguments, dir.path()));
        EXPECT_EQ(run.exitCode, written.empty() ? 1 : 0) << run.err.toStdString();
        EXPECT_EQ(run.err, err.isEmpty() ? "" : "orvane: " + err) << "one line";
        EXPECT_EQ(ReadBytes(dir.file("out")), written);
        EXPECT_EQ(dir.entries("locked"), QStringList()) << "nothing half written";
        QStringList entries = {"locked"};
        if (!content.empty()) entries << QString::fromStdString(file);
        if (!written.empty()) entries << "out";
        entries.sort();
        EXPECT_EQ(dir.entries(), entries);
        if (!content.empty()) {
            ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
            EXPECT_EQ(ReadBytes(file), content) << "left as it was";
        }
    }
    if (skipped) GTEST_SKIP() << "locked files need an ordinary user: " << WhyRootKeepsRights();
}

// The pictures are the window's own drawing: at scale 1, pixel for pixel what its picture
// boxes show for the settings and the network.
TEST(CommandLine, PicturesAreWhatTheWindowDraws) {
    const auto picture = [](const QString& path) {
        return QImage(path).convertToFormat(QImage::Format_RGB32);
    };
    const auto grab = [](const Form1& form, const char* name) {
        return Find<QWidget>(form, name)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    // The networks by the window's names, in any case, with or without the dash; the option
    // button of the network (nullptr: only the sizes of the sweep and the views are checked).
    const std::tuple<QString, const char*, QSize, QSize> cases[] = {
        {"", "Option4", {}, {}},
        {"--network LP-CLC", "Option11", {}, {}},
        {"--network HPCL --scale 2", nullptr, {1200, 800}, {552, 848}},
        // The smallest scale that leaves every picture a pixel.
        {"--network lpLc --scale 0.004", nullptr, {2, 2}, {1, 2}},
    };
    for (const auto& [options, option, sweepSize, viewSize] : cases) {
        SCOPED_TRACE(options.toStdString());
        WorkingDirectory dir;
        const std::string settings = CrLfLines(DefaultsWith(2, "FREQUMHZ 14.2"));
        WriteBytes(dir.file("ORVANE.INI"), settings);
        const Finished run = WaitForEnd(
            Start(QStringList{"--export-png", "pics"} + options.split(' ', Qt::SkipEmptyParts),
                  dir.path()));
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(ReadBytes(dir.file("ORVANE.INI")), settings);
        const QImage sweep = picture(dir.path() + "/pics/sweep.png");
        const QImage fine = picture(dir.path() + "/pics/impedance-fine.png");
        const QImage coarse = picture(dir.path() + "/pics/impedance-coarse.png");
        if (!option) {
            EXPECT_EQ(sweep.size(), sweepSize);
            EXPECT_EQ(coarse.size(), viewSize);
            EXPECT_EQ(run.err, "") << "no painter complains";
            continue;
        }
        Form1 form;
        Find<QRadioButton>(form, option)->click();
        EXPECT_EQ(sweep, grab(form, "Picture1"));
        Find<QRadioButton>(form, "Option8")->click();
        EXPECT_EQ(fine, grab(form, "Picture5_1"));
        EXPECT_EQ(coarse, grab(form, "Picture5_10"));
    }
}

// The analysis without a window: its pictures at their sizes over the span asked for, and the
// report for the network asked for (the window's test reads the rest of them).
TEST(CommandLine, AnalysisPicturesAndReportWithoutAWindow) {
    WorkingDirectory dir;
    const std::string settings = CrLfLines(DefaultsWith(6, "TXPOWERW 400"));
    WriteBytes(dir.file("ORVANE.INI"), settings);
    const Finished pictures = WaitForEnd(Start(
        {"--export-analysis", "pics", "--span", "7", "7.2", "--network", "lpcl"}, dir.path()));
    ASSERT_EQ(pictures.exitCode, 0) << pictures.err.toStdString();
    EXPECT_EQ(dir.entries("pics"),
              QStringList({"plots.png", "plots.svg", "smith.png", "smith.svg"}));
    EXPECT_EQ(QImage(dir.path() + "/pics/smith.png").size(), QSize(900, 900));
    EXPECT_EQ(QImage(dir.path() + "/pics/plots.png").size(), QSize(1200, 900));
    for (const char* svg : {"/pics/smith.svg", "/pics/plots.svg"}) {
        EXPECT_EQ(SvgProblem(dir.path() + svg), "") << svg;
    }
    // The plots' frequency axis runs over the span: its tick labels say so.
    const QString plots = QString::fromStdString(ReadBytes(dir.file("pics/plots.svg")));
    EXPECT_TRUE(plots.contains(">7.1<")) << "a tick inside 7 to 7.2 MHz";
    EXPECT_FALSE(plots.contains(">15<")) << "none of the whole range";

    const Finished report =
        WaitForEnd(Start({"--report", "r.pdf", "--network", "lpcl"}, dir.path()));
    ASSERT_EQ(report.exitCode, 0) << report.err.toStdString();
    EXPECT_EQ(PdfPages(dir.path() + "/r.pdf"), 2);
    const QString text = PdfText(dir.path() + "/r.pdf");
    EXPECT_TRUE(text.contains("LP-CL matched at 7.100 MHz: SWR <= 2 from 7.0"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("Part stress at 400 W")) << "the settings' power";
    EXPECT_EQ(ReadBytes(dir.file("ORVANE.INI")), settings) << "only read";
}

// Installed and started from the desktop menu in the home folder, the program keeps its own
// settings in the user's configuration folder; an ORVANE.INI in the working folder is used as
// it always was. Out of its build tree, the program counts as installed.
TEST(CommandLine, InstalledItKeepsItsSettingsInTheConfigurationFolderUnlessTheWorkingFolderHas) {
    QTemporaryDir installed;
    const QString program = installed.filePath("orvane");
    // A hard link where the file system allows one.
    if (::link(ORVANE_PROGRAM, QFile::encodeName(program).constData()) != 0) {
        ASSERT_TRUE(QFile::copy(ORVANE_PROGRAM, program));
    }
    WorkingDirectory home;
    const QString config = home.path() + "/config";
    const std::string own = (config + "/orvane/ORVANE.INI").toStdString();
    const Launch launch{.program = program, .environment = {{"XDG_CONFIG_HOME", config}}};
    const auto exported = [&] {
        const Finished run = WaitForEnd(Start({"--export-sweep", "out.csv"}, home.path(), launch));
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return ReadBytes(home.file("out.csv"));
    };

    const Finished help = WaitForEnd(Start({"--help"}, home.path(), launch));
    EXPECT_TRUE(help.out.contains(QString::fromStdString("here that is " + own + ".")))
        << help.out.toStdString();
    EXPECT_EQ(exported(), SweepCsv(ClosedFormModel(), {}, {}, LossQ{}))
        << "no file yet: the defaults";
    EXPECT_FALSE(QFile::exists(QString::fromStdString(own))) << "a run without a window makes none";
    const Finished window = RunWindowAndTerminate({}, home.path(), launch);
    EXPECT_EQ(window.exitCode, 0) << window.err.toStdString();
    EXPECT_EQ(ReadBytes(own), CrLfLines(DefaultSettingsLines())) << "made with its folder";
    WriteBytes(own, CrLfLines(DefaultsWith(0, "ANTENLEN 3")));
    EXPECT_EQ(exported(), SweepCsv(ClosedFormModel(), {.length_m = 3}, {}, LossQ{}));

    WriteBytes(home.file("ORVANE.INI"), CrLfLines(DefaultsWith(0, "ANTENLEN 6")));
    EXPECT_TRUE(WaitForEnd(Start({"-h"}, home.path(), launch)).out.contains("that is ORVANE.INI."));
    EXPECT_EQ(exported(), SweepCsv(ClosedFormModel(), {.length_m = 6}, {}, LossQ{}));
    EXPECT_EQ(home.entries(), (QStringList{"ORVANE.INI", "config", "out.csv"}));
}

// A file name is taken byte for byte, in whatever encoding it came.
TEST(CommandLine, FileNamesKeepTheirBytes) {
    WorkingDirectory dir;
    const std::string settings = CrLfLines(DefaultsWith(0, "ANTENLEN 3"));
    WriteBytes(dir.file("r\xe9.ini"), settings);
    // The shell gives the program the bytes, which QProcess would have to take as text.
    const Finished run = WaitForEnd(Start(
        {"-c",
         "\"$0\" --settings \"$(printf 'r\\351.ini')\" --export-sweep \"$(printf 'caf\\351.csv')\" "
         "&& exec \"$0\" --export-png \"$(printf 'p\\351')\"",
         ORVANE_PROGRAM},
        dir.path(), {.program = "/bin/sh"}));
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(ReadBytes(dir.file("caf\xe9.csv")),
              SweepCsv(ClosedFormModel(), {.length_m = 3}, {}, LossQ{}));
    EXPECT_EQ(ReadBytes(dir.file("r\xe9.ini")), settings);
    // Qt would not list such names.
    const auto count = [](const std::string& folder) {
        const auto entries = std::filesystem::directory_iterator(folder);
        return std::distance(begin(entries), end(entries));
    };
    EXPECT_EQ(count(dir.file("p\xe9")), 3);
    EXPECT_EQ(count(dir.path().toStdString()), 3) << "nothing under another name";
}

// ORVANE.INI is only read; when nec2c is missing or fails, an
// earlier CSV stays as it was.
TEST(CommandLine, NecCompareWritesTheModelAgainstNec2OrNothing) {
    // ORVANE.INI (empty: none), whether nec2c is on the PATH, the length of the rod compared
    // (0: nothing written, exit code 1) and what standard error says.
    const std::tuple<std::string, bool, double, QString> cases[] = {
        {"", true, 4.5, ""},
        {CrLfLines(DefaultsWith(0, "ANTENLEN 2.5")), true, 2.5, ""},
        {CrLfLines(DefaultsWith(1, "ANTENDIA 3000")), true, 0, "too thick"},
        {"", false, 0, "orvane: NEC-2: nec2c is not installed"},
    };
    for (const auto& [settings, nec2c, length_m, error] : cases) {
        SCOPED_TRACE(error.toStdString());
        WorkingDirectory dir;
        // Each case computes, none takes an earlier case's run from the cache.
        const ScopedEnv cache("XDG_CACHE_HOME", dir.path() + "/cache");
        ASSERT_EQ(::mkdir(dir.file("locked").c_str(), 0555), 0);
        WriteBytes(dir.file("cmp.csv"), "earlier\r\n");
        if (!settings.empty()) WriteBytes(dir.file("ORVANE.INI"), settings);
        // A FIFO in the cache's place is passed over, not waited on.
        if (!nec2c) {
            const std::string cached =
                dir.file("cache/Orvane/Orvane/nec2/rod-4.5m-5mm-100.nec.txt");
            std::filesystem::create_directories(std::filesystem::path(cached).parent_path());
            ASSERT_EQ(::mkfifo(cached.c_str(), 0600), 0);
        }
        const Finished run =
            WaitForEnd(Start({"--nec-compare", "cmp.csv"}, dir.path(),
                             {.path = nec2c ? QString() : dir.path() + "/locked"}));
        EXPECT_EQ(run.exitCode, length_m > 0 ? 0 : 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(error)) << run.err.toStdString();
        EXPECT_EQ(ReadBytes(dir.file("ORVANE.INI")), settings);
        const QStringList lines =
            QString::fromStdString(ReadBytes(dir.file("cmp.csv"))).split("\r\n");
        if (length_m == 0) {
            EXPECT_EQ(lines, QStringList({"earlier", ""}));
            continue;
        }
        // The rows' format is the comparison's own; here the settings' rod is compared.
        ASSERT_EQ(lines.size(), 302);
        const QStringList at7_1 = lines[71].split(',');
        ASSERT_EQ(at7_1.size(), 11);
        EXPECT_EQ(at7_1[0], "7.1");
        const AntennaResult model = FeedPointImpedance({.length_m = length_m}).value();
        EXPECT_NEAR(at7_1[1].toDouble(), model.r_f, 1e-9 * model.r_f);
        // NEC-2's R_f is its rod through the base elements plus the 5 Ohm of AEloss.
        const double necFeed = at7_1[3].toDouble();
        EXPECT_NEAR(at7_1[10].toDouble(), 100 * (necFeed - 5) / necFeed, 1e-7);

        // The run is cached: without nec2c the same comparison comes from the cache.
        const std::string written = ReadBytes(dir.file("cmp.csv"));
        WriteBytes(dir.file("cmp.csv"), "earlier\r\n");
        const Finished cached = WaitForEnd(
            Start({"--nec-compare", "cmp.csv"}, dir.path(), {.path = dir.path() + "/locked"}));
        EXPECT_EQ(cached.exitCode, 0) << cached.err.toStdString();
        EXPECT_EQ(ReadBytes(dir.file("cmp.csv")), written);
    }
}

namespace {

const char kWhip[] = "# MHz Z RI R 50\r\n6.9 0.3 -0.5\r\n7.1 0.35 0.01\r\n7.4 0.4 0.6\r\n";

std::shared_ptr<const TabulatedSource> Whip(const std::string& path) {
    return MeasuredSource(MeasuredFrom(*ParseImpedanceFile(kWhip, path).file, path), false);
}

QJsonObject Json(const QByteArray& text) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text.toStdString();
    return document.object();
}

}  // namespace

// --antenna FILE: every export writes what the measured file gives, a bad file ends the run
// (and the window) with its message and exit code 1.
TEST(CommandLine, EveryRunFollowsAMeasuredFile) {
    WorkingDirectory dir;
    WriteBytes(dir.file("whip.s1p"), kWhip);
    WriteBytes(dir.file("bad.s1p"), "# MHz S RI R 50\n7 0 0\n7.1 0\n");
    const auto whip = Whip("whip.s1p");
    const QStringList antenna = {"--antenna", "whip.s1p"};
    for (const auto& [option, written] :
         {std::pair{"--export-sweep", SweepCsv(*whip, {}, {}, LossQ{})},
          {"--export-touchstone", TouchstoneText(*whip, {}, kOrvaneVersion)}}) {
        const Finished run = WaitForEnd(Start(QStringList{option, "out"} + antenna, dir.path()));
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(ReadBytes(dir.file("out")), written);
    }

    Finished run = WaitForEnd(Start(QStringList{"--export-png", "pics"} + antenna, dir.path()));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    Form1 form(Form1::SettingsUse::Given);
    form.ShowSettingsValues({});
    form.SetAntennaSource(whip);
    const Form1::Pictures drawn = form.DrawPictures(Network::HpCl, 1);
    EXPECT_EQ(QImage(dir.path() + "/pics/sweep.png").convertToFormat(QImage::Format_RGB32),
              drawn.sweep.convertToFormat(QImage::Format_RGB32));

    // Outside the three points' span every step is refused, as where the pass fails.
    run = WaitForEnd(Start(QStringList{"--sweep-tune", "lplc", "tune.csv"} + antenna, dir.path()));
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("frequencies: no antenna values")) << run.err.toStdString();
    EXPECT_FALSE(ReadBytes(dir.file("tune.csv")).empty());

    for (const QStringList& arguments : {QStringList{"--export-sweep", "bad.csv"},
                                         QStringList{"--summary-json", "-"}, QStringList{}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const Finished bad = WaitForEnd(Start(arguments + QStringList{"--antenna", "bad.s1p"},
                                              dir.path(), {.platform = "offscreen"}));
        EXPECT_EQ(bad.exitCode, 1);
        EXPECT_EQ(bad.err, "orvane: bad.s1p line 3: 3 numbers expected, found 2\n");
        EXPECT_TRUE(bad.out.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(dir.path() + "/bad.csv"));
}

// The summary of each source: the one object with every key, numbers where known, null
// where not.
TEST(CommandLine, SummaryJsonForEverySource) {
    ASSERT_TRUE(NecAvailable()) << "nec2c is missing; scripts/setup.sh installs it";
    WorkingDirectory dir;
    const ScopedEnv cache("XDG_CACHE_HOME", dir.path() + "/cache");
    WriteBytes(dir.file("whip.s1p"), kWhip);
    const AntennaInput defaults;
    const std::optional<AntennaResult> measured = Whip("whip.s1p")->FeedPoint(defaults);
    const std::optional<AntennaResult> model = FeedPointImpedance(defaults);
    const NecPoint recorded = ReadNecReport(NecData("rod_4.5m_5mm_100seg.out")).points.at(2);
    const Impedance nec = NecFeedPoint(recorded.base, defaults).value();
    // The options, the source and its file named, R_f and whether efficiencies are known.
    const std::tuple<QStringList, const char*, QJsonValue, double, bool> cases[] = {
        {{}, "model", QJsonValue::Null, model->r_f, true},
        {{"--antenna", "model"}, "model", QJsonValue::Null, model->r_f, true},
        {{"--antenna", "whip.s1p"}, "measured", "whip.s1p", measured->r_f, false},
        {{"--antenna", "nec2"}, "nec2", QJsonValue::Null, nec.r, true},
    };
    for (const auto& [options, source, file, r_f, efficiency] : cases) {
        SCOPED_TRACE(source);
        const Finished run =
            WaitForEnd(Start(QStringList{"--summary-json", "-"} + options, dir.path()));
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QJsonObject summary = Json(run.out.toUtf8());
        EXPECT_EQ(summary.keys(), QStringList({"antenna", "antenna_real", "f_MHz", "losses",
                                               "networks", "source", "source_file"}));
        EXPECT_EQ(summary["losses"].toObject(),
                  QJsonObject({{"Q_L", 150}, {"Q_C", 1000}, {"Q_coil", 200}}));
        EXPECT_EQ(summary["source"], source);
        EXPECT_EQ(summary["source_file"], file);
        EXPECT_EQ(summary["f_MHz"].toDouble(), 7.1);
        const QJsonObject antenna = summary["antenna"].toObject();
        EXPECT_NEAR(antenna["R_f_Ohm"].toDouble(), r_f, 1e-4 * r_f);
        // No base coil: its Q changes nothing.
        EXPECT_EQ(summary["antenna_real"].toObject()["R_f_Ohm"], antenna["R_f_Ohm"]);
        EXPECT_EQ(summary["antenna_real"].toObject()["eta_f_pct"].isDouble(), efficiency);
        EXPECT_EQ(antenna["eta_tot_pct"].isNull(), !efficiency);
        const QJsonObject networks = summary["networks"].toObject();
        EXPECT_EQ(networks.keys(), QStringList({"HPCL", "HPCLC", "HPLC", "LPCL", "LPCLC", "LPLC"}));
        for (const QString& name : networks.keys()) {
            SCOPED_TRACE(name.toStdString());
            const QJsonObject network = networks[name].toObject();
            const QJsonObject real = network["real"].toObject();
            const bool none = network["verdict"] == "none";
            EXPECT_TRUE(none || network["verdict"] == "ok" || network["verdict"] == "outside");
            EXPECT_EQ(network["C_pF"].isNull(), none);
            EXPECT_EQ(real["SWR"].isNull(), none);
            EXPECT_EQ(real["eta_sys_pct"].isDouble(), !none && efficiency);
            EXPECT_TRUE(none || real["eta_net_pct"].toDouble() < 100) << "the parts lose";
            EXPECT_EQ(network["C2_pF"].isNull() && real["Ploss_C2_W"].isNull(),
                      !name.endsWith("CLC") || none);
            EXPECT_EQ(network["bandwidth"].toObject().keys(),
                      QStringList({"swr1_5_MHz", "swr2_MHz"}));
        }
    }

    // The model's numbers at full precision, to a file; ideal parts lose nothing, and each
    // network's matched bandwidth is the analysis window's.
    const Finished written =
        WaitForEnd(Start({"--summary-json", "summary.json", "--q-inductor", "ideal",
                          "--q-capacitor", "ideal", "--q-coil", "ideal"},
                         dir.path()));
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
    const QJsonObject summary =
        Json(QByteArray::fromStdString(ReadBytes(dir.file("summary.json"))));
    EXPECT_EQ(summary["antenna"].toObject()["X_f_Ohm"].toDouble(), model->x_f);
    EXPECT_EQ(summary["antenna"].toObject()["eta_tot_pct"].toDouble(), model->eta_tot);
    EXPECT_EQ(summary["losses"].toObject(), QJsonObject({{"Q_L", QJsonValue::Null},
                                                         {"Q_C", QJsonValue::Null},
                                                         {"Q_coil", QJsonValue::Null}}));
    for (const ExportNetwork& n : kExportNetworks) {
        SCOPED_TRACE(n.column);
        const QJsonObject network = summary["networks"].toObject()[n.column].toObject();
        const MatchedBandwidth expected =
            FindMatchedBandwidth({&ClosedFormModel(), defaults, {}, n.network}, n.network);
        auto edges = [](const BandEdges& e) {
            return QJsonArray{e.low_MHz ? QJsonValue(*e.low_MHz) : QJsonValue(),
                              e.high_MHz ? QJsonValue(*e.high_MHz) : QJsonValue()};
        };
        EXPECT_EQ(network["bandwidth"].toObject()["swr2_MHz"].toArray(), edges(expected.swr2));
        EXPECT_EQ(network["bandwidth"].toObject()["swr1_5_MHz"].toArray(), edges(expected.swr1_5));
        if (network["verdict"] == "none") continue;
        const QJsonObject real = network["real"].toObject();
        EXPECT_NEAR(real["eta_net_pct"].toDouble(), 100, 1e-9);
        EXPECT_EQ(real["Ploss_L_W"].toDouble(), 0);
        EXPECT_LT(real["SWR"].toDouble(), n.network == Network::HpClc ? 1.2 : 1 + 1e-6);
    }
}
