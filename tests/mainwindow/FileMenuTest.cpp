// The File menu: settings files, the exports, the picture and the results for a spreadsheet.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QClipboard>
#include <QRegularExpression>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <tuple>

#include "core/Version.h"
#include "exports/CsvText.h"
#include "exports/Touchstone.h"
#include "platform/FileDialogs.h"
#include "platform/SettingsFile.h"
#include "tests/mainwindow/FormAccess.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/TempDir.h"

namespace {

const QString kDenied = std::strerror(EACCES);

void Choose(Form1& form, const QString& item, const std::string& file) {
    SetFileAsker([file](const FileQuestion&) { return QString::fromStdString(file); });
    MenuAction(*Find<QMenu>(form, "FileMenu"), item)->trigger();
}

// Opening or saving settings makes another file the one in use for the whole program.
struct SettingsFileKept {
    ~SettingsFileKept() { SetSettingsFilePath(kSettingsFileName, SettingsOrigin::Own); }
};

QStringList Split(const std::string& text, const char* separator) {
    return QString::fromStdString(text).split(separator);
}

}  // namespace

TEST(FileMenu, SweepDataHasTheVerdictsOfTheNetworkBoxes) {
    MainWindow w;
    Choose(w.form, "Export sweep data...", w.dir.file("sweep.csv"));
    const QStringList records = Split(ReadBytes(w.dir.file("sweep.csv")), "\r\n");
    EXPECT_EQ(records.front(), "# source: model");
    const QStringList header = records[1].split(',');
    const char* const boxes[][2] = {{"HPCL", "Text11"}, {"HPLC", "Text13"}, {"HPCLC", "Text30"},
                                    {"LPCL", "Text34"}, {"LPLC", "Text36"}, {"LPCLC", "Text38"}};
    for (const char* f : {"1.9", "3.7", "7.1", "14.2", "21.3", "28.3"}) {
        Find(w.form, "Text8")->setText(f);
        QStringList row;
        for (const QString& record : records) {
            if (record.startsWith(QString(f) + ",")) row = record.split(',');
        }
        ASSERT_EQ(row.size(), header.size()) << f;
        for (const auto& [network, field] : boxes) {
            const QString verdict = TextOf(w.form, field).isEmpty()   ? "none"
                                    : BackOf(w.form, field) == kValid ? "ok"
                                                                      : "outside";
            EXPECT_EQ(row[header.indexOf(QString(network) + "_verdict")], verdict)
                << network << " at " << f;
        }
    }

    Choose(w.form, "Export Touchstone...", w.dir.file("rod.s1p"));
    EXPECT_EQ(ReadBytes(w.dir.file("rod.s1p")),
              TouchstoneText(ClosedFormModel(), {}, kOrvaneVersion));
    Choose(w.form, "Save picture...", w.dir.file("sweep.png"));
    EXPECT_EQ(
        QImage(w.dir.path() + "/sweep.png").convertToFormat(QImage::Format_RGB32),
        Find<QWidget>(w.form, "Picture1")->grab().toImage().convertToFormat(QImage::Format_RGB32));
}

// Another settings file comes into use; a file that is none is refused and left alone
// (not repaired, not backed up), and the file in use stays in use.
TEST(FileMenu, OpenSettingsTakesASettingsFileAndLeavesAnyOtherAlone) {
    const std::string good = CrLfLines(DefaultsWith(0, "ANTENLEN 6"));
    // Each case: the file, its mode, Text1 after opening (the inputs stay on a refusal) and
    // the problem shown; the settings file's own tests give every reason for a refusal.
    const std::tuple<std::string, mode_t, QString, QString> cases[] = {
        {good, 0644, "6", ""},
        {"my notes\r\n", 0644, "7", "not a settings file (1 line, not 49), left as it is"},
        {good, 0, "7", "rod.ini: cannot read: " + kDenied}};
    for (const auto& [content, mode, length, problem] : cases) {
        const auto open = [&] {
            SettingsFileKept kept;
            MainWindow w;
            const std::string rod = w.dir.file("rod.ini");
            WriteBytes(rod, content);
            ASSERT_EQ(::chmod(rod.c_str(), mode), 0);
            Find(w.form, "Text1")->setText("7");
            Choose(w.form, "Open settings...", rod);
            EXPECT_EQ(TextOf(w.form, "Text1"), length);
            EXPECT_TRUE(problem.isEmpty() ? ProblemOf(w.form).isEmpty()
                                          : ProblemOf(w.form).endsWith(problem))
                << ProblemOf(w.form).toStdString();
            EXPECT_EQ(ReadBytes(w.dir.file("ORVANE.INI")), CrLfLines(DefaultsWith(0, "ANTENLEN 7")))
                << "the inputs so far are kept in their own file";

            // From now on the inputs go where they came from.
            Find(w.form, "Text1")->setText("5");
            w.form.close();
            const bool opened = problem.isEmpty();
            EXPECT_EQ(SettingsFilePath(), opened ? rod : kSettingsFileName);
            ASSERT_EQ(::chmod(rod.c_str(), 0644), 0);
            if (!opened) {
                EXPECT_EQ(ReadBytes(rod), content) << "left as it was";
            }
            EXPECT_EQ(Split(ReadBytes(opened ? rod : w.dir.file("ORVANE.INI")), "\r\n").front(),
                      "ANTENLEN 5");
            EXPECT_EQ(w.dir.entries(), (QStringList{"ORVANE.INI", "rod.ini"})) << "no backup";
        };
        // Root reads an unreadable file.
        mode == 0 ? AsOrdinaryUser(open) : open();
    }
}

TEST(FileMenu, SaveSettingsAsKeepsInputsAndBanksOrSaysWhyNot) {
    SettingsFileKept kept;
    const std::string before = CrLfLines(DefaultsWith(21, "HPCLXC01 3"));
    MainWindow w(before);
    Find(w.form, "Text1")->setText("6");
    AsOrdinaryUser([&] {
        ASSERT_EQ(::mkdir(w.dir.file("locked").c_str(), 0555), 0);
        Answerer ok(QMessageBox::Ok);
        Choose(w.form, "Save settings as...", w.dir.file("locked/rod.ini"));
        const QString failure =
            QString::fromStdString(w.dir.file("locked/rod.ini")) + ": cannot write: " + kDenied;
        EXPECT_EQ(ok.asked, "Orvane could not save the settings to " + failure + ".");
        EXPECT_EQ(ProblemOf(w.form), failure);
        EXPECT_EQ(w.dir.entries("locked"), QStringList());
        EXPECT_EQ(SettingsFilePath(), kSettingsFileName)
            << "nothing is lost: the file stays in use";
    });

    Choose(w.form, "Save settings as...", w.dir.file("rod.ini"));
    std::vector<std::string> saved = DefaultsWith(21, "HPCLXC01 3");
    saved[0] = "ANTENLEN 6";
    EXPECT_EQ(ReadBytes(w.dir.file("rod.ini")), CrLfLines(saved));
    EXPECT_EQ(ProblemOf(w.form), "");
    Find(w.form, "Text1")->setText("8");
    w.form.close();
    saved[0] = "ANTENLEN 8";
    EXPECT_EQ(ReadBytes(w.dir.file("rod.ini")), CrLfLines(saved));
    EXPECT_EQ(ReadBytes(w.dir.file("ORVANE.INI")), before);
}

TEST(FileMenu, CtrlCCopiesTheResultsUnlessAFieldHasASelection) {
    MainWindow w;
    w.form.show();
    w.form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.form));
    QLineEdit* length = Find(w.form, "Text1");
    length->setFocus();
    QClipboard* clipboard = QGuiApplication::clipboard();

    QTest::keyClick(length, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = clipboard->text().split('\n');
    const AntennaResult antenna = FeedPointImpedance({}).value();
    for (const QString& line :
         {QString("Length\t4.5\tm"),
          "R_f\t" + QString::fromStdString(ExportNumber(antenna.r_f)) + "\tOhm",
          QString("HP-LC\t\t\t\tnone\t\t\t")}) {
        EXPECT_TRUE(lines.contains(line)) << line.toStdString();
    }
    EXPECT_TRUE(
        clipboard->text().contains(QRegularExpression("\nHP-CL\t23.9\\d*\t\t6.4\\d*\toutside\t")));

    length->selectAll();
    QTest::keyClick(length, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), "4.5") << "the field copies its selection";

    int asked = 0;
    SetFileAsker([&asked](const FileQuestion&) {
        ++asked;
        return QString();
    });
    QTest::keyClick(length, Qt::Key_E, Qt::ControlModifier);
    SetFileAsker(nullptr);
    EXPECT_EQ(asked, 1) << "Ctrl+E exports from a field too";
}
