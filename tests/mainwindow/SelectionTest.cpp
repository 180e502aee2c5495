#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <clocale>
#include <functional>
#include <thread>
#include <tuple>

#include "platform/PictureBox.h"
#include "tests/mainwindow/FormAccess.h"

namespace {

const int kComponentLabels[] = {15, 16, 46, 47, 51, 52, 53, 78, 79, 80, 81, 83, 84, 85};

}  // namespace

TEST(Selections, NetworkChoiceColoursItsComponentLabels) {
    MainWindow w;
    // Labels by number: Label15 is 15.
    const std::tuple<const char*, Network, std::vector<int>, int> cases[] = {
        {"Option4", Network::HpCl, {15}, 16},  {"Option6", Network::HpClc, {51, 53}, 52},
        {"Option5", Network::HpLc, {46}, 47},  {"Option9", Network::LpCl, {78}, 79},
        {"Option10", Network::LpLc, {80}, 81}, {"Option11", Network::LpClc, {83, 84}, 85}};
    for (const auto& [option, network, capacitors, inductor] : cases) {
        w.click(option);
        for (const int number : kComponentLabels) {
            const QString label = QString("Label%1").arg(number);
            QColor expected(178, 178, 178);
            if (std::count(capacitors.begin(), capacitors.end(), number))
                expected = QColor(0, 176, 176);
            if (number == inductor) expected = QColor(255, 128, 0);
            EXPECT_EQ(BackOf(w.form, label), expected) << option << " " << number;
        }
        EXPECT_EQ(w.form.selectedNetwork(), network) << option;
    }
}

TEST(Selections, MouseOverTheDiagramReadsOutAndAClickSetsTheFrequencyInAnyLocale) {
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    QLocale::setDefault(QLocale(QLocale::German));
    MainWindow w;
    QWidget* diagram = Find<QWidget>(w.form, "Picture1");
    // The frequency set is clamped to 0.1 .. 30 MHz.
    const std::tuple<int, const char*, const char*> cases[] = {
        {2, "00.10", ".1"},   {143, "07.15", "7.15"}, {-40, "-02.00", ".1"},
        {600, "30.00", "30"}, {300, "15.00", "15"},   {0, "00.00", ".1"}};
    for (const auto& [x, readOut, set] : cases) {
        MoveOver(diagram, QPoint(x, 100));
        EXPECT_EQ(TextOf(w.form, "Text28"), readOut) << x;
        QTest::mouseClick(diagram, Qt::LeftButton, {}, QPoint(x, 200));
        EXPECT_EQ(TextOf(w.form, "Text8"), set) << x;
        EXPECT_EQ(TextOf(w.form, "Text28"), set) << x;
    }
    MoveOver(diagram, QPoint(143, 100));
    MoveOver(Find<QWidget>(w.form, "Design"), QPoint(5, 685));
    EXPECT_EQ(TextOf(w.form, "Text28"), ".1") << "the set frequency off the diagram";
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_ALL, "C");
}

// R/X mode disables the markers and gives them back; every redraw in it ends with one inner
// pass, which draws the matching path.
TEST(Selections, ImpedancePlaneModeTakesTheMarkersAndRecalculatesOnceMoreOnEveryRedraw) {
    MainWindow w;
    Find(w.form, "Text20")->setText("8.5");
    for (const bool impedancePlane : {true, false}) {
        w.click(impedancePlane ? "Option8" : "Option7");
        EXPECT_EQ(Find<QWidget>(w.form, "Frame2")->isVisibleTo(&w.form), impedancePlane);
        for (int i = 18; i <= 27; ++i) {
            EXPECT_EQ(Find(w.form, QString("Text%1").arg(i))->isEnabled(), !impedancePlane);
        }
        EXPECT_EQ(Find<QCheckBox>(w.form, "Check6")->isEnabled(), !impedancePlane);
    }
    EXPECT_TRUE(Find<QCheckBox>(w.form, "Check6")->isChecked());
    EXPECT_EQ(TextOf(w.form, "Text20"), "8.5");
    EXPECT_EQ(TextOf(w.form, "Text18"), "1.9");
    int passes = w.form.recalculationCount();
    w.click("Option8");
    EXPECT_EQ(w.form.recalculationCount(), passes + 2) << "the pass and its inner pass";
    passes = w.form.recalculationCount();
    w.click("Check1");
    EXPECT_EQ(w.form.recalculationCount(), passes + 1) << "a redraw runs one inner pass";
    passes = w.form.recalculationCount();
    w.click("Option7");
    EXPECT_EQ(w.form.recalculationCount(), passes + 1) << "sweep mode: no inner pass";

    // A fault in the diagram skips the inner pass.
    w.click("Option8");
    Find(w.form, "Text2")->setText("0");
    passes = w.form.recalculationCount();
    w.click("Check1");
    EXPECT_EQ(w.form.recalculationCount(), passes);

    // An inner pass that fails (no frequency) must not keep later redraws away: the picture
    // then equals that of a fresh start with the same inputs.
    Find(w.form, "Text2")->setText("5");
    Find(w.form, "Text8")->setText("");
    w.click("Option9");
    MainWindow fresh;
    fresh.click("Option8");
    fresh.click("Option9");
    for (MainWindow* window : {&w, &fresh}) {
        Find(window->form, "Text1")->setText("9");
        Find(window->form, "Text8")->setText("7");
    }
    for (const char* view : {"Picture5_1", "Picture5_10"}) {
        EXPECT_EQ(Find<PictureBox>(w.form, view)->image(),
                  Find<PictureBox>(fresh.form, view)->image())
            << view;
    }
}

// The program's own start brings the view and the parts' Qs back as the user left them; a
// window built plainly, as every test builds it, starts from the design whatever was kept.
TEST(Selections, TheProgramsOwnStartKeepsTheViewBetweenRuns) {
    QSettings().clear();
    {
        MainWindow w;
        w.form.KeepViewState();
        w.click("Check3");
        // Round its cycle of three and one on.
        for (int i = 0; i < 4; ++i) w.click("Command13");
        w.click("Option9");
        w.click("Option13");
        w.click("Option8");
        Find<QAction>(w.form, "NecCompare")->setChecked(true);
        w.form.SetLossQ({90, kIdealQ, 300});
        w.form.close();
    }
    const auto viewOf = [](const Form1& form) {
        return QStringList{Find<QCheckBox>(form, "Check3")->isChecked() ? "Z_f" : "no Z_f",
                           TextOf<QPushButton>(form, "Command13"),
                           Find<QRadioButton>(form, "Option9")->isChecked() ? "LP-CL" : "HP-CL",
                           TextOf<QLabel>(form, "Label10"),
                           TextOf<QLabel>(form, "Label88"),
                           TextOf(form, "Text10"),
                           TextOf(form, "Text42"),
                           Find<QWidget>(form, "Frame2")->isVisibleTo(&form) ? "R/X" : "f/y",
                           Find<QAction>(form, "NecCompare")->isChecked() ? "NEC-2" : "model"};
    };
    const QStringList design = {"Z_f",    "1 K",   "HP-CL", "eta_f (%)", "eta_tot (%)",
                                "48.444", "9.022", "f/y",   "model"};
    const QStringList kept = {"no Z_f", "10 K",  "LP-CL", "eta_f (dB)", "eta_tot dB",
                              "-3.2",   "-10.5", "R/X",   "NEC-2"};
    MainWindow plain;
    EXPECT_EQ(viewOf(plain.form), design);
    EXPECT_EQ(plain.form.lossQ(), LossQ{});
    MainWindow restored;
    restored.form.KeepViewState();
    EXPECT_EQ(viewOf(restored.form), kept);
    EXPECT_EQ(BackOf(restored.form, "Label78"), QColor(0, 176, 176));
    EXPECT_EQ(restored.form.lossQ(), (LossQ{90, kIdealQ, 300}));

    // A caption this program does not cycle through, or a Q it would not take, is not taken.
    QSettings().setValue("view/Command13", "7 K");
    QSettings().setValue("losses/qInductor", "0");
    MainWindow guarded;
    guarded.form.KeepViewState();
    EXPECT_EQ(TextOf<QPushButton>(guarded.form, "Command13"), "1 K");
    EXPECT_EQ(guarded.form.lossQ(), (LossQ{150, kIdealQ, 300}));
    QSettings().clear();
}

// The view state's file gets the settings file's rules: a link is followed only to a regular
// file; anything else is refused unopened, so that the start never waits on it and nothing
// there is replaced, and the view is then not kept for the run.
TEST(Selections, TheViewIsKeptOnlyInARegularFileAndTheStartNeverWaitsForIt) {
    QSettings().clear();
    const QString store = QSettings().fileName();
    const std::string path = store.toStdString();
    WorkingDirectory dir;
    const std::string document = dir.file("document.txt");
    const auto kind = [](const std::string& name) {
        struct stat info;
        return ::lstat(name.c_str(), &info) == 0 ? info.st_mode & S_IFMT : 0;
    };
    const auto refused = [](const std::string& file) {
        return QString::fromStdString("The view is not kept this run: " + file +
                                      ": not a regular file");
    };
    // What is put in the store's place, how, and the problem told.
    const std::tuple<const char*, std::function<void()>, QString> cases[] = {
        {"a link to a document", [&] { ::symlink(document.c_str(), path.c_str()); }, ""},
        {"a FIFO", [&] { ::mkfifo(path.c_str(), 0600); }, refused(path)},
        {"a link to a device", [&] { ::symlink("/dev/null", path.c_str()); }, refused(path)},
        {"a FIFO as its lock", [&] { ::mkfifo((path + ".lock").c_str(), 0600); },
         refused(path + ".lock")},
    };
    for (const auto& [what, make, problem] : cases) {
        SCOPED_TRACE(what);
        QSettings().clear();
        QSettings().sync();
        QFile::remove(store);
        WriteBytes(document, "my document\n");
        make();
        const mode_t before = kind(path), lockBefore = kind(path + ".lock");
        // Whoever opens a FIFO to read would wait for a writer: one comes if that happens.
        const std::string fifo = before == S_IFIFO       ? path
                                 : lockBefore == S_IFIFO ? path + ".lock"
                                                         : "";
        std::atomic<bool> started = false, unblocked = false;
        std::thread writer([&] {
            while (!started && !fifo.empty()) {
                const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    ::close(fd);
                    unblocked = true;
                    return;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
        {
            MainWindow w;
            w.form.KeepViewState();
            started = true;
            writer.join();
            EXPECT_FALSE(unblocked) << "the start waited for the FIFO";
            EXPECT_EQ(ProblemOf(w.form), problem);
            w.click("Check3");
            w.form.close();
        }
        EXPECT_EQ(kind(path), before) << "it stays what it was";
        EXPECT_EQ(kind(path + ".lock"), lockBefore);
        EXPECT_EQ(kind("/dev/null"), S_IFCHR);
        // Through the link the document now holds the view; otherwise it is untouched.
        EXPECT_EQ(ReadBytes(document).find("[view]") != std::string::npos, problem.isEmpty());
        QFile::remove(store + ".lock");
        ::unlink(path.c_str());
    }
    QSettings().clear();
}
