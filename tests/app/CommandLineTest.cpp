// The real program started as a user starts it, with its options.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRadioButton>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <memory>

#include "antenna/MeasuredSource.h"
#include "core/Antenna.h"
#include "core/Version.h"
#include "exports/SweepCsv.h"
#include "exports/Touchstone.h"
#include "nec/Comparison.h"
#include "nec/Runner.h"
#include "platform/SettingsFile.h"
#include "tests/mainwindow/FormAccess.h"
#include "tests/nec/NecData.h"
#include "tests/support/NecStandIn.h"
#include "tests/support/TempDir.h"

namespace {

struct Finished {
    int exitCode = -1;
    QString out;
    QString err;
};

// Empty `platform`: no display at all, so a window could not even start.
QProcess* Start(const QStringList& arguments, const QString& folder, const QString& platform,
                const QString& path = {}) {
    auto* process = new QProcess;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    if (!platform.isEmpty()) environment.insert("QT_QPA_PLATFORM", platform);
    if (!path.isEmpty()) environment.insert("PATH", path);
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(folder);
    process->start(ORVANE_PROGRAM, arguments);
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
Finished RunWindowAndTerminate(const QStringList& arguments, const QString& folder) {
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
        {{"--export-sweep"}, "", 2, "", "Missing value after '--export-sweep'"},
        {{"--export-png", "pics", "--network", "hp-cl"}, "", 2, "", "Unknown network 'hp-cl'"},
        {{"--export-png", "pics", "--scale", "0"}, "", 2, "", "above 0 and up to 10, not '0'"},
        {{"--export-png", "pics", "--scale", "1e9"}, "", 2, "", "above 0 and up to 10"},
        {{"--scale", "2"}, "", 2, "", "'scale' goes with --export-png"},
        {{"--export-sweep", "a.csv", "--export-touchstone", "b.s1p"}, "", 2, "", "one of"},
        {{"--sweep-tune", "hplc", "out.csv"}, "", 2, "", "takes hpcl, lpcl or lplc"},
        {{"--sweep-tune", "lpcl"}, "", 2, "", "needs the CSV file"},
        {{"--antenna", "modle"}, "offscreen", 2, "", "Unknown antenna 'modle'"},
        {{"--summary-json", "-", "--export-sweep", "a.csv"}, "", 2, "", "one of"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const Finished run = WaitForEnd(Start(c.arguments, dir.path(), c.platform));
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        if (c.exitCode == 0) {
            EXPECT_TRUE(run.out.contains(c.out)) << run.out.toStdString();
        } else {
            EXPECT_TRUE(run.out.isEmpty());
            EXPECT_TRUE(run.err.contains(c.err)) << run.err.toStdString();
            EXPECT_TRUE(run.err.contains("Usage:")) << "the usage goes with the error";
        }
    }
    EXPECT_FALSE(QFile::exists(dir.path() + "/ORVANE.INI")) << "no settings without a window";
}

// Without options the settings are ORVANE.INI in the working directory; --settings puts them
// elsewhere under the same rules, the backup of a damaged file beside it.
TEST(CommandLine, SettingsOptionPutsTheFileWhereItIsToldWithTheSameRules) {
    const std::string defaults = CrLfLines(DefaultSettingsLines());
    const std::string padded = CrLfLines(DefaultsWith(1, "ANTENDIA   04.50  "));
    const std::string tidied = CrLfLines(DefaultsWith(1, "ANTENDIA 4.5"));
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
        {{"--settings", "rod.ini"}, padded, tidied, "", ""},
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

        const Finished run = RunWindowAndTerminate(c.arguments, dir.path());
        EXPECT_EQ(run.exitCode, 0) << "the window ran and was closed";
        EXPECT_TRUE(run.err.contains(c.error)) << run.err.toStdString();
        const std::string where = c.error.isEmpty() ? file : dir.file("locked/rod.ini");
        EXPECT_EQ(QFile::exists(QString::fromStdString(where)), !c.after.empty());
        EXPECT_EQ(ReadBytes(where), c.after);
        EXPECT_EQ(ReadBytes(file + ".bak"), c.backup);
        EXPECT_EQ(QFile::exists(dir.path() + "/ORVANE.INI"), c.arguments.isEmpty());
    }
}

// The exports read the settings as they find them, change nothing there, and write their
// file whole or not at all.
TEST(CommandLine, ExportsReadTheSettingsUntouchedAndWriteWholeFilesOnly) {
    const QString kDenied = std::strerror(EACCES);
    std::vector<std::string> rod = DefaultsWith(0, "ANTENLEN 3");
    rod[6] = "TXPOWERW 400";
    rod[17] = "matchc01 20";
    const AntennaInput rodInput{.length_m = 3, .ptx_W = 400};
    const MatchLimits rodLimits{20, 250, 35};
    std::vector<std::string> damaged = DefaultSettingsLines();
    damaged.push_back("ANTENLEN 9");
    // Small LP-LC banks keep a whole sweep-tune short.
    std::vector<std::string> smallBanks = rod;
    smallBanks[46] = "LPLCCNUM 3";
    smallBanks[48] = "LPLCLNUM 3";

    const QStringList csv = {"--export-sweep", "out"};
    const std::string ok = CrLfLines(rod);
    const QString unreadable = "rod.ini: cannot read: " + kDenied + "\n";
    const QString unwritable = "locked/f: cannot write: " + kDenied + "\n";
    const struct {
        QStringList arguments;
        std::string settings;  // rod.ini; empty: none
        mode_t mode;
        std::string written;  // empty: no file, exit code 1
        QString err;
    } cases[] = {
        {csv, "", 0644, SweepCsv(ClosedFormModel(), {}, {}), ""},
        {csv, ok, 0644, SweepCsv(ClosedFormModel(), rodInput, rodLimits), ""},
        {{"--export-touchstone", "out"},
         ok,
         0644,
         TouchstoneText(ClosedFormModel(), rodInput, kOrvaneVersion),
         ""},
        {csv, CrLfLines(damaged), 0644, SweepCsv(ClosedFormModel(), {}, {}),
         "rod.ini has 50 lines, not 49: the defaults are used, the file stays as it is\n"},
        {csv, ok, 0, "", unreadable},
        {{"--export-sweep", "locked/f"}, ok, 0644, "", unwritable},
        {{"--export-png", "locked/pics"}, ok, 0644, "", "locked/pics: cannot create the folder\n"},
        // The comparison and the sweep-tune read and write through the same paths.
        {{"--nec-compare", "out"}, ok, 0, "", unreadable},
        {{"--nec-compare", "locked/f"}, ok, 0644, "", unwritable},
        {{"--sweep-tune", "lplc", "out"}, ok, 0, "", unreadable},
        {{"--sweep-tune", "lplc", "locked/f"}, CrLfLines(smallBanks), 0644, "", unwritable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        WorkingDirectory dir;
        ASSERT_EQ(::mkdir(dir.file("locked").c_str(), 0555), 0);
        QStringList arguments = c.arguments;
        if (!c.settings.empty()) {
            WriteBytes(dir.file("rod.ini"), c.settings);
            ASSERT_EQ(::chmod(dir.file("rod.ini").c_str(), c.mode), 0);
            arguments += {"--settings", "rod.ini"};
        }
        const Finished run = WaitForEnd(Start(arguments, dir.path(), ""));
        EXPECT_EQ(run.exitCode, c.written.empty() ? 1 : 0) << run.err.toStdString();
        EXPECT_EQ(run.err, c.err.isEmpty() ? "" : "orvane: " + c.err) << "one line";
        EXPECT_EQ(ReadBytes(dir.file("out")), c.written);
        EXPECT_EQ(dir.entries("locked"), QStringList()) << "nothing half written";
        QStringList entries = {"locked"};
        if (!c.settings.empty()) entries << "rod.ini";
        if (!c.written.empty()) entries << "out";
        entries.sort();
        EXPECT_EQ(dir.entries(), entries);
        if (!c.settings.empty()) {
            ASSERT_EQ(::chmod(dir.file("rod.ini").c_str(), 0644), 0);
            EXPECT_EQ(ReadBytes(dir.file("rod.ini")), c.settings) << "left as it was";
        }
    }
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
    const struct {
        QStringList options;
        const char* option;  // nullptr: only the size is checked
    } cases[] = {
        {{}, "Option4"},
        {{"--network", "lpclc"}, "Option11"},
        {{"--network", "hplc", "--scale", "2"}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        WorkingDirectory dir;
        const std::string settings = CrLfLines(DefaultsWith(2, "FREQUMHZ 14.2"));
        WriteBytes(dir.file("ORVANE.INI"), settings);
        const Finished run =
            WaitForEnd(Start(QStringList{"--export-png", "pics"} + c.options, dir.path(), ""));
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(ReadBytes(dir.file("ORVANE.INI")), settings);
        const QImage sweep = picture(dir.path() + "/pics/sweep.png");
        const QImage fine = picture(dir.path() + "/pics/impedance-fine.png");
        const QImage coarse = picture(dir.path() + "/pics/impedance-coarse.png");
        if (!c.option) {
            EXPECT_EQ(sweep.size(), QSize(1200, 800));
            EXPECT_EQ(coarse.size(), QSize(552, 848));
            continue;
        }
        Form1 form;
        Find<QRadioButton>(form, c.option)->click();
        EXPECT_EQ(sweep, grab(form, "Picture1"));
        Find<QRadioButton>(form, "Option8")->click();
        EXPECT_EQ(fine, grab(form, "Picture5_1"));
        EXPECT_EQ(coarse, grab(form, "Picture5_10"));
    }
}

// ORVANE.INI is only read; when nec2c is missing or fails, an
// earlier CSV stays as it was.
TEST(CommandLine, NecCompareWritesTheModelAgainstNec2OrNothing) {
    const struct {
        std::string settings;  // empty: no ORVANE.INI
        QString csv;
        bool nec2c;       // on the PATH
        double length_m;  // of the rod compared; 0: nothing written, exit 1
        QString error;
    } cases[] = {
        {"", "cmp.csv", true, 4.5, ""},
        {CrLfLines(DefaultsWith(0, "ANTENLEN 2.5")), "cmp.csv", true, 2.5, ""},
        {CrLfLines(DefaultsWith(1, "ANTENDIA 3000")), "cmp.csv", true, 0, "too thick"},
        {"", "cmp.csv", false, 0, "orvane: NEC-2: nec2c is not installed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error.toStdString());
        WorkingDirectory dir;
        // Each case computes, none takes an earlier case's run from the cache.
        const ScopedEnv cache("XDG_CACHE_HOME", dir.path() + "/cache");
        ASSERT_EQ(::mkdir(dir.file("locked").c_str(), 0555), 0);
        WriteBytes(dir.file("cmp.csv"), "earlier\r\n");
        if (!c.settings.empty()) WriteBytes(dir.file("ORVANE.INI"), c.settings);
        const Finished run = WaitForEnd(
            Start({"--nec-compare", c.csv}, dir.path(), "", c.nec2c ? "" : dir.path() + "/locked"));
        EXPECT_EQ(run.exitCode, c.length_m > 0 ? 0 : 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(c.error)) << run.err.toStdString();
        EXPECT_EQ(ReadBytes(dir.file("ORVANE.INI")), c.settings);
        const QStringList lines =
            QString::fromStdString(ReadBytes(dir.file("cmp.csv"))).split("\r\n");
        if (c.length_m == 0) {
            EXPECT_EQ(lines, QStringList({"earlier", ""}));
            continue;
        }
        ASSERT_EQ(lines.size(), 302);
        EXPECT_EQ(lines[0], "f_MHz,R_model_Ohm,X_model_Ohm,R_nec_Ohm,X_nec_Ohm,dR_pct,dX_pct");
        const QStringList at7_1 = lines[71].split(',');
        ASSERT_EQ(at7_1.size(), 7);
        EXPECT_EQ(at7_1[0], "7.1");
        const AntennaResult model = FeedPointImpedance({.length_m = c.length_m}).value();
        EXPECT_NEAR(at7_1[1].toDouble(), model.r_f, 1e-9 * model.r_f);
        EXPECT_NEAR(at7_1[2].toDouble(), model.x_f, 1e-9 * std::abs(model.x_f));

        // The run is cached: without nec2c the same comparison comes from the cache.
        const std::string written = ReadBytes(dir.file("cmp.csv"));
        WriteBytes(dir.file("cmp.csv"), "earlier\r\n");
        const Finished cached =
            WaitForEnd(Start({"--nec-compare", c.csv}, dir.path(), "", dir.path() + "/locked"));
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
    const struct {
        QStringList arguments;
        std::string written;
    } files[] = {
        {{"--export-sweep", "out"}, SweepCsv(*whip, {}, {})},
        {{"--export-touchstone", "out"}, TouchstoneText(*whip, {}, kOrvaneVersion)},
    };
    for (const auto& c : files) {
        const Finished run = WaitForEnd(Start(c.arguments + antenna, dir.path(), ""));
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(ReadBytes(dir.file("out")), c.written);
    }

    Finished run = WaitForEnd(Start(QStringList{"--export-png", "pics"} + antenna, dir.path(), ""));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    Form1 form(Form1::SettingsUse::Given);
    form.ShowSettingsValues({});
    form.SetAntennaSource(whip);
    const Form1::Pictures drawn = form.DrawPictures(Network::HpCl, 1);
    EXPECT_EQ(QImage(dir.path() + "/pics/sweep.png").convertToFormat(QImage::Format_RGB32),
              drawn.sweep.convertToFormat(QImage::Format_RGB32));

    // Outside the three points' span every step is refused, as where the pass fails.
    run = WaitForEnd(
        Start(QStringList{"--sweep-tune", "lplc", "tune.csv"} + antenna, dir.path(), ""));
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("frequencies: no antenna values")) << run.err.toStdString();
    EXPECT_FALSE(ReadBytes(dir.file("tune.csv")).empty());

    for (const QStringList& arguments : {QStringList{"--export-sweep", "bad.csv"},
                                         QStringList{"--summary-json", "-"}, QStringList{}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const Finished bad = WaitForEnd(
            Start(arguments + QStringList{"--antenna", "bad.s1p"}, dir.path(), "offscreen"));
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
    const struct {
        QStringList arguments;
        const char* source;
        QJsonValue file;
        double r_f;
        bool efficiency;
    } cases[] = {
        {{}, "model", QJsonValue::Null, model->r_f, true},
        {{"--antenna", "model"}, "model", QJsonValue::Null, model->r_f, true},
        {{"--antenna", "whip.s1p"}, "measured", "whip.s1p", measured->r_f, false},
        {{"--antenna", "nec2"}, "nec2", QJsonValue::Null, nec.r, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        const Finished run =
            WaitForEnd(Start(QStringList{"--summary-json", "-"} + c.arguments, dir.path(), ""));
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QJsonObject summary = Json(run.out.toUtf8());
        EXPECT_EQ(summary.keys(),
                  QStringList({"antenna", "f_MHz", "networks", "source", "source_file"}));
        EXPECT_EQ(summary["source"], c.source);
        EXPECT_EQ(summary["source_file"], c.file);
        EXPECT_EQ(summary["f_MHz"].toDouble(), 7.1);
        const QJsonObject antenna = summary["antenna"].toObject();
        EXPECT_EQ(antenna.size(), 7);
        EXPECT_NEAR(antenna["R_f_Ohm"].toDouble(), c.r_f, 1e-4 * c.r_f);
        EXPECT_EQ(antenna["eta_f_pct"].isDouble(), c.efficiency);
        EXPECT_EQ(antenna["eta_tot_pct"].isNull(), !c.efficiency);
        const QJsonObject networks = summary["networks"].toObject();
        EXPECT_EQ(networks.keys(), QStringList({"HPCL", "HPCLC", "HPLC", "LPCL", "LPCLC", "LPLC"}));
        for (const QString& name : networks.keys()) {
            const QJsonObject network = networks[name].toObject();
            EXPECT_EQ(network.size(), 7) << name.toStdString();
            const QString verdict = network["verdict"].toString();
            EXPECT_TRUE(verdict == "ok" || verdict == "outside" || verdict == "none")
                << name.toStdString();
            EXPECT_EQ(network["C_pF"].isNull(), verdict == "none") << name.toStdString();
            if (!name.endsWith("CLC")) {
                EXPECT_TRUE(network["C2_pF"].isNull() && network["VC2_kVpk"].isNull());
            }
        }
    }

    // The model's numbers at full precision, to a file.
    const Finished written = WaitForEnd(Start({"--summary-json", "summary.json"}, dir.path(), ""));
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
    const QJsonObject summary =
        Json(QByteArray::fromStdString(ReadBytes(dir.file("summary.json"))));
    EXPECT_EQ(summary["antenna"].toObject()["X_f_Ohm"].toDouble(), model->x_f);
    EXPECT_EQ(summary["antenna"].toObject()["eta_tot_pct"].toDouble(), model->eta_tot);
}
