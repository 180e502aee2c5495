#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "platform/FileDialogs.h"
#include "platform/SettingsFile.h"
#include "tests/mainwindow/FormAccess.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/TempDir.h"

namespace {

const QString kDenied = std::strerror(EACCES);

// Closes the window with this answer to a question: whether it closed, and what it asked
// (empty: nothing).
template <typename Answer>
std::pair<bool, QString> Close(Form1& form, Answer answer) {
    Answerer answerer(answer);
    const bool closed = form.close();
    return {closed, answerer.asked};
}

const std::pair<bool, QString> kClosedUnasked{true, ""};

}  // namespace

TEST(Startup, DefaultAntennaShowsItsResultsAndNetworksAndAFailedPassItsFields) {
    MainWindow w;
    const std::pair<const char*, const char*> antenna[] = {
        {"Text3", "418"},     {"Text7", "927"},      {"Text5", "9.698"},     {"Text6", "-413.522"},
        {"Text9", "413.634"}, {"Text15", "357.988"}, {"Text44", "1078.909"}, {"Text10", "48.444"},
        {"Text42", "9.022"},  {"Text28", "7.1"}};
    for (const auto& [name, text] : antenna) EXPECT_EQ(TextOf(w.form, name), text) << name;
    for (const char* name : {"Text3", "Text5", "Text6", "Text9", "Text10", "Text15"}) {
        EXPECT_EQ(BackOf(w.form, name), kValid) << name;
    }

    // HP-CL and LP-CL below/above the capacitor limits, LP-CLC above Cmax: shown in red.
    const std::pair<const char*, const char*> networks[] = {
        {"Text11", "23.9"},   {"Text12", "6.4"}, {"Text34", "913.9"}, {"Text35", "9.7"},
        {"Text38", "1418.3"}, {"Text39", "25"},  {"Text40", "6.6"}};
    for (const auto& [name, text] : networks) {
        EXPECT_EQ(TextOf(w.form, name), text) << name;
        EXPECT_EQ(BackOf(w.form, name), kRed) << name;
    }
    // HP-LC, LP-LC and HP-CLC have no solution: empty and red.
    for (const char* name :
         {"Text13", "Text14", "Text36", "Text37", "Text30", "Text31", "Text32"}) {
        EXPECT_EQ(TextOf(w.form, name), "") << name;
        EXPECT_EQ(BackOf(w.form, name), kRed) << name;
    }
    EXPECT_EQ(BackOf(w.form, "Label15"), QColor(0, 176, 176)) << "HP-CL's labels from the start";

    // At 14.2 MHz |Z_f| is valid, HP-CL and HP-CLC lie inside their limits.
    w.field("Text8")->setText("14.2");
    const std::pair<const char*, const char*> inside[] = {{"Text11", "119.7"}, {"Text12", ".5"},
                                                          {"Text30", "68"},    {"Text32", "207"},
                                                          {"Text31", ".8"},    {"Text9", "81.601"}};
    for (const auto& [name, text] : inside) {
        EXPECT_EQ(TextOf(w.form, name), text) << name;
        EXPECT_EQ(BackOf(w.form, name), kValid) << name;
    }

    // Back at 7.1 MHz the limit fields feed the verdicts: 23.9 pF is inside from a Cmin of 20
    // on, 6.4 uH is above an Lmax of 6.
    w.field("Text8")->setText("7.1");
    w.field("Text16")->setText("20");
    EXPECT_EQ(BackOf(w.form, "Text11"), kValid);
    w.field("Text33")->setText("6");
    EXPECT_EQ(BackOf(w.form, "Text11"), kRed);

    w.field("Text33")->setText("35");
    EXPECT_EQ(BackOf(w.form, "Text11"), kValid);

    // A frequency of 0 ends the pass after Zlc and l'/D, a length of 0 before them: every
    // field the pass did not reach keeps its old text in red, the networks too, until a pass
    // computes it again.
    const QString networkFields[] = {"Text11", "Text12", "Text13", "Text14", "Text30",
                                     "Text32", "Text31", "Text34", "Text35", "Text36",
                                     "Text37", "Text38", "Text39", "Text40"};
    const int passes = w.form.recalculationCount();
    const std::tuple<const char*, const char*, std::vector<const char*>> failures[] = {
        {"Text8",
         "0",
         {"Text3", "Text5", "Text6", "Text9", "Text15", "Text44", "Text10", "Text42"}},
        {"Text1", "0", {"Text3", "Text7", "Text5", "Text44", "Text42"}},
        {"Text1", "9", {"Text5", "Text6", "Text9", "Text15", "Text44", "Text10", "Text42"}}};
    for (const auto& [input, text, red] : failures) {
        SCOPED_TRACE(std::string(input) + " " + text);
        Find(w.form, input)->setText(text);
        for (const char* name : red) EXPECT_EQ(BackOf(w.form, name), kRed) << name;
        for (const QString& name : networkFields) {
            EXPECT_EQ(BackOf(w.form, name), kRed) << name.toStdString();
        }
        EXPECT_EQ(TextOf(w.form, "Text5"), "9.698") << "old text stays";
        EXPECT_EQ(TextOf(w.form, "Text11"), "23.9") << "networks are not evaluated";
    }
    EXPECT_EQ(TextOf(w.form, "Text3"), "459") << "Zlc of 9 m is written before the pass stops";
    EXPECT_EQ(BackOf(w.form, "Text7"), kValid) << "and l'/D, which the pass reached";
    EXPECT_EQ(w.form.recalculationCount(), passes);

    Find(w.form, "Text1")->setText("4.5");
    Find(w.form, "Text8")->setText("7.1");
    for (const char* name : {"Text3", "Text7", "Text5", "Text44", "Text10", "Text42", "Text11"}) {
        EXPECT_EQ(BackOf(w.form, name), kValid) << name;
    }
    EXPECT_EQ(BackOf(w.form, "Text13"), kRed) << "HP-LC has no solution";
}

TEST(Startup, FieldsLoadWithTheNumberRulesAndGoBackAsTypedOnClose) {
    std::vector<std::string> lines = DefaultsWith(0, "antenlen 3");
    lines[1] = "ANTENDIA   04.50  ";
    lines[2] = "FREQUMHZ 14,2";
    lines[4] = "ANTENRLO";
    lines[21] = "hpclxc01 3";
    lines[48] = "LPLCLNUM 12";
    // An editor's byte-order mark and blank last line make no other file of it.
    MainWindow w("\xEF\xBB\xBF" + CrLfLines(lines) + "\r\n");
    EXPECT_EQ(TextOf(w.form, "Text1"), "3");
    EXPECT_EQ(TextOf(w.form, "Text2"), "4.5");
    EXPECT_EQ(TextOf(w.form, "Text8"), "14");
    EXPECT_EQ(TextOf(w.form, "Text4"), "0");
    EXPECT_EQ(ProblemOf(w.form), "");

    Find(w.form, "Text18")->setText("");
    Find(w.form, "Text41")->setText("7,5x");
    Find(w.form, "Text43")->setText("100\u00b5");
    w.form.close();

    std::vector<std::string> expected = lines;
    expected[1] = "ANTENDIA 4.5";
    expected[2] = "FREQUMHZ 14";
    expected[4] = "ANTENRLO 0";
    expected[6] = "TXPOWERW 100\xB5";  // one byte, as the file's 8-bit text holds it
    expected[7] = "FMARKER0 ";
    expected[20] = "MATCHRLO 7.5x";
    EXPECT_EQ(ReadBytes(w.dir.file("ORVANE.INI")), CrLfLines(expected));
}

// Without a settings file to write, closing loses only what was changed: then it asks, and
// the inputs may go to a new file instead.
TEST(Startup, UnwritableFolderIsReportedAndClosingAsksOnlyForChangedInputs) {
    AsOrdinaryUser([] {
        WorkingDirectory dir;
        ASSERT_EQ(::chmod(dir.path().toStdString().c_str(), 0555), 0);
        QTemporaryDir elsewhere;
        const QString saved = elsewhere.filePath("rod.ini");
        SetFileAsker([&saved](const FileQuestion&) { return saved; });
        const QString question =
            "Orvane could not save its settings to ORVANE.INI: cannot create: " + kDenied +
            ". Close anyway?";
        {
            testing::internal::CaptureStderr();
            Form1 form;
            const std::string stderrText = testing::internal::GetCapturedStderr();
            EXPECT_EQ(ProblemOf(form), "ORVANE.INI: cannot create: " + kDenied);
            EXPECT_NE(stderrText.find("orvane: " + ProblemOf(form).toStdString() + "\n"),
                      std::string::npos)
                << stderrText;
            EXPECT_EQ(TextOf(form, "Text5"), "9.698") << "defaults are used";
            EXPECT_EQ(Close(form, QMessageBox::No), kClosedUnasked) << "the defaults lose nothing";
        }
        {
            Form1 form;
            form.repeatDelay = 0;
            Find(form, "Text1")->setText("6");
            EXPECT_EQ(Close(form, QMessageBox::No), std::pair(false, question));
            SetFileAsker([](const FileQuestion&) { return QString(); });
            EXPECT_FALSE(Close(form, "Save settings as...").first) << "a cancelled save";
            SetFileAsker([&saved](const FileQuestion&) { return saved; });
            EXPECT_EQ(Close(form, "Save settings as..."), std::pair(true, question));
        }
        SetFileAsker(nullptr);
        SetSettingsFilePath(kSettingsFileName, SettingsOrigin::Own);
        EXPECT_EQ(ReadBytes(saved.toStdString()), CrLfLines(DefaultsWith(0, "ANTENLEN 6")));
        EXPECT_FALSE(QDir(dir.path()).exists("ORVANE.INI"));
        ASSERT_EQ(::chmod(dir.path().toStdString().c_str(), 0755), 0);
    });
}

// A file made anywhere but in the working folder is said where it went; a file that cannot
// serve is left as it is, and closing asks only where changed inputs would be lost.
TEST(Startup, ANewFileElsewhereIsToldAndAFileThatCannotServeIsLeftAlone) {
    const std::string made = ", made now with the defaults";
    // Whose file, where, its content (empty: none) and the problem shown.
    const std::tuple<SettingsOrigin, std::string, std::string, QString> cases[] = {
        {SettingsOrigin::Own, "ORVANE.INI", "", ""},
        {SettingsOrigin::Own, "config/orvane/ORVANE.INI", "",
         QString::fromStdString("Settings are kept in config/orvane/ORVANE.INI" + made)},
        {SettingsOrigin::Named, "whip40.ini", "",
         QString::fromStdString("Settings are kept in whip40.ini" + made)},
        {SettingsOrigin::Named, "notes.txt", "my notes\r\n",
         "notes.txt: not a settings file (1 line, not 49), left as it is"},
    };
    for (const auto& [origin, path, content, problem] : cases) {
        SCOPED_TRACE(path);
        WorkingDirectory dir;
        QDir(dir.path()).mkpath("config/orvane");
        if (!content.empty()) WriteBytes(path, content);
        SetSettingsFilePath(path, origin);
        {
            Form1 form;
            form.repeatDelay = 0;
            EXPECT_EQ(ProblemOf(form), problem);
            EXPECT_EQ(TextOf(form, "Text1"), "4.5");
            EXPECT_EQ(Close(form, QMessageBox::No), kClosedUnasked);
        }
        if (content.empty()) {
            EXPECT_EQ(ReadBytes(path), CrLfLines(DefaultSettingsLines()));
        } else {
            // The window would lose changed inputs: it asks.
            Form1 form;
            form.repeatDelay = 0;
            Find(form, "Text1")->setText("6");
            const auto [closed, asked] = Close(form, QMessageBox::Yes);
            EXPECT_TRUE(closed && asked.contains(problem.section(": ", 1))) << asked.toStdString();
            EXPECT_EQ(ReadBytes(path), content) << "left as it was";
            QStringList entries = {"config", QString::fromStdString(path)};
            entries.sort();
            EXPECT_EQ(dir.entries(), entries);
        }
        SetSettingsFilePath(kSettingsFileName, SettingsOrigin::Own);
    }
}

TEST(Startup, CloseAsksBeforeValuesAreLostAndNoKeepsEveryWindowOpen) {
    AsOrdinaryUser([] {
        WorkingDirectory dir;
        const std::string path = dir.file("ORVANE.INI");
        const std::string content = CrLfLines(DefaultsWith(0, "ANTENLEN 6"));
        WriteBytes(path, content);
        ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
        Form1 form;
        form.repeatDelay = 0;
        EXPECT_EQ(TextOf(form, "Text1"), "6");
        EXPECT_EQ(ProblemOf(form), "") << "a read-only file is read without a word";
        QWidget* tuner = OpenTuner(form);
        ASSERT_TRUE(tuner && tuner->isVisible());

        Find(form, "Text1")->setText("7");
        const std::tuple<mode_t, const char*, QString> failures[] = {
            {0444, "100", "cannot write: " + kDenied},
            {0644, "100\u20ac",
             "cannot write TXPOWERW: the character \"\u20ac\" cannot be stored in this file"}};
        for (const auto& [mode, power, reason] : failures) {
            ASSERT_EQ(::chmod(path.c_str(), mode), 0);
            Find(form, "Text43")->setText(power);
            EXPECT_EQ(Close(form, QMessageBox::No),
                      std::pair(false, "Orvane could not save its settings to ORVANE.INI: " +
                                           reason + ". Close anyway?"));
            EXPECT_EQ(ProblemOf(form), "ORVANE.INI: " + reason);
            EXPECT_TRUE(tuner->isVisible()) << "nothing closes before the user agrees";
            EXPECT_EQ(ReadBytes(path), content);
        }

        // Mended, it closes without a question.
        Find(form, "Text43")->setText("100");
        EXPECT_EQ(Close(form, QMessageBox::No), kClosedUnasked);
        EXPECT_FALSE(tuner->isVisible());
        EXPECT_EQ(ReadBytes(path), CrLfLines(DefaultsWith(0, "ANTENLEN 7")));
    });
}
