// Opening, feeding, loading and closing the three tuner windows.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QLabel>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "platform/FieldText.h"

#include "tests/tuners/TunerSession.h"

using namespace tuner_test;

// A tuner opens from its schematic, or by Ctrl+T, while its network is selected, and takes
// over the main window's frequency, R_f and X_f; its controls explain themselves.
TEST(TunerWindows, OpenFromTheirSchematicOrByCtrlTWithTheMainWindowsValuesAndExplainThemselves) {
    Session s;
    s.form->show();
    auto ctrlT = [&] {
        s.form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(s.form.get()));
        QTest::keyClick(Find(*s.form, "Text1"), Qt::Key_T, Qt::ControlModifier);
    };
    // Nothing opens while HP-LC, which has no tuner, is selected.
    s.Choose("Option5");
    QTest::mouseClick(Find<QWidget>(*s.form, "Picture2"), Qt::LeftButton);
    ctrlT();
    for (const char* form : {"Form2", "Form3", "Form4"}) EXPECT_FALSE(TopLevel(form)) << form;

    const char* const names[] = {"HP-CL", "LP-CL", "LP-LC"};
    for (const bool byKeyboard : {false, true}) {
        for (const TunerKind kind : kAllKinds) {
            // A new frequency each time: the pass writes the reactance in Ohm.
            const QString f = QString::number(2 + 3 * byKeyboard + static_cast<int>(kind));
            Find(*s.form, "Text8")->setText(f);
            s.Choose(EntryOf(kind).option);
            // The reactance in Ohm, also while the field shows it as a component.
            const QString reactance = TextOf(*s.form, "Text6");
            QTest::mouseClick(Find(*s.form, "Text6"), Qt::LeftButton);
            if (byKeyboard) {
                ctrlT();
            } else {
                s.Open(kind);
            }
            const QWidget& tuner = *TopLevel(EntryOf(kind).form);
            EXPECT_TRUE(tuner.isVisible());
            EXPECT_EQ(tuner.windowTitle(),
                      QString("ORVANE BINARY AUTO TUNER ") + names[static_cast<int>(kind)]);
            EXPECT_EQ(TextOf(tuner, "Text1"), f);
            EXPECT_EQ(TextOf(tuner, "Text2"), TextOf(*s.form, "Text5"));
            EXPECT_EQ(TextOf(tuner, "Text3"), reactance);
            EXPECT_NE(reactance, "");
            EXPECT_EQ(TextOf(tuner, "Text12"), "9999");
        }
    }

    // Every field, button, the lamp, the schematic, the status line and the sweep's comparison
    // of each tuner window explain themselves.
    for (const TunerKind kind : kAllKinds) {
        const QWidget& tuner = s.Open(kind);
        std::vector<QWidget*> controls = {
            Find<QWidget>(tuner, "Shape1"), Find<QWidget>(tuner, "Picture1"),
            Find<QWidget>(tuner, "StatusLine"), Find<QWidget>(tuner, "SweepComparison")};
        for (QLineEdit* field : tuner.findChildren<QLineEdit*>()) controls.push_back(field);
        for (QPushButton* button : tuner.findChildren<QPushButton*>()) controls.push_back(button);
        for (const QWidget* control : controls) {
            EXPECT_FALSE(control->toolTip().isEmpty())
                << EntryOf(kind).form << " " << control->objectName().toStdString();
        }
    }
    // Each window's schematic in its own terms.
    EXPECT_NE(Find<QWidget>(*TopLevel("Form4"), "Picture1")->toolTip(),
              Find<QWidget>(*TopLevel("Form3"), "Picture1")->toolTip());
}

TEST(TunerWindows, BanksComeFromTheSettingsFileWhenShownIfItCanBeRead) {
    Session s(SettingsWith({{22, "hpclxc02  5.5 "},
                            {29, "HPCLXC09 7"},
                            {31, "HPCLXL01 "},
                            {44, "LPCLLNUM 4"},
                            {46, "LPLCCNUM 3"}}));
    QWidget& hpcl = s.Open(TunerKind::HpCl);
    EXPECT_EQ(TextOf(hpcl, "Text4_2"), "5.5");
    EXPECT_EQ(TextOf(hpcl, "Text4_9"), "7");
    EXPECT_EQ(TextOf(hpcl, "Text5_1"), "");
    EXPECT_EQ(TextOf(hpcl, "Text6"), "262.5");
    EXPECT_EQ(TextOf(hpcl, "Text7"), "51");

    QWidget& lpcl = s.Open(TunerKind::LpCl);
    EXPECT_EQ(TextOf(lpcl, "Text8"), "4");
    EXPECT_EQ(TextOf(lpcl, "Text9"), "3.75");
    QWidget& lplc = s.Open(TunerKind::LpLc);
    EXPECT_EQ(TextOf(lplc, "Text5"), "3");
    EXPECT_EQ(TextOf(lplc, "Text6"), "52.5");

    // A file that cannot be read (a FIFO in its place) leaves the fields as loaded, and the
    // window says why.
    const std::string path = s.dir.file("ORVANE.INI");
    ASSERT_EQ(::rename(path.c_str(), (path + ".kept").c_str()), 0);
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    s.Open(TunerKind::HpCl);
    EXPECT_EQ(TextOf(hpcl, "Text4_2"), "4");
    EXPECT_EQ(TextOf(hpcl, "Text6"), "254");
    EXPECT_EQ(Find<QLabel>(hpcl, "StatusLine")->text(),
              "ORVANE.INI: cannot read: not a regular file");
    ASSERT_EQ(::rename((path + ".kept").c_str(), path.c_str()), 0);
}

// The default banks give their totals, and each edit updates its row's total at once. The
// windows close together and open afresh.
TEST(TunerWindows, DefaultBanksGiveTheirTotalsAndWindowsCloseTogetherAndReopenAfresh) {
    Session s;
    QWidget& hpcl = s.Open(TunerKind::HpCl);
    EXPECT_EQ(TextOf(hpcl, "Text6"), "254");
    EXPECT_EQ(TextOf(hpcl, "Text7"), "51.1");
    EXPECT_EQ(TextOf(hpcl, "Text4_8"), "");
    Find(hpcl, "Text15")->setText("50");
    Session::Click(hpcl, "Command1");
    ASSERT_NE(TextOf(hpcl, "Text13"), "");
    ASSERT_NE(TextOf(hpcl, "Text10"), "0");
    Find(hpcl, "Text4_8")->setText("256");
    EXPECT_EQ(TextOf(hpcl, "Text6"), "510");
    Find(hpcl, "Text5_1")->setText("x");
    EXPECT_EQ(TextOf(hpcl, "Text7"), "51");

    s.Choose("Option9");
    // Two windows open at once: the main window's choice changed without its handler.
    QWidget& lpcl = s.Open(TunerKind::LpCl);
    Find<QRadioButton>(*s.form, "Option4")->setChecked(true);
    s.Open(TunerKind::HpCl);
    ASSERT_TRUE(lpcl.isVisible());
    lpcl.close();
    EXPECT_FALSE(hpcl.isVisible());

    s.Open(TunerKind::HpCl);
    EXPECT_EQ(TextOf(hpcl, "Text15"), "20");
    EXPECT_EQ(TextOf(hpcl, "Text6") + " " + TextOf(hpcl, "Text7"), "254 51.1");
    EXPECT_EQ(TextOf(hpcl, "Text12"), "9999");
    EXPECT_EQ(TextOf(hpcl, "Text13"), "");
    EXPECT_EQ(TextOf(hpcl, "Text16"), "");
    EXPECT_EQ(Find<QLabel>(hpcl, "Label19")->text(), "SWR");
    // The best setting starts at zero again: a run in which every evaluation fails ends
    // by evaluating it, and index 0 switches nothing in.
    Find(hpcl, "Text15")->setText("0");
    Session::Click(hpcl, "Command1");
    EXPECT_EQ(TextOf(hpcl, "Text10"), "0");
    EXPECT_EQ(TextOf(hpcl, "Text11"), "0");

    // Opened in R/X mode the window offers no sweep, back in sweep mode it does.
    s.Choose("Option8");
    s.Open(TunerKind::HpCl);
    EXPECT_FALSE(Find<QPushButton>(hpcl, "Command32")->isEnabled());
    s.Choose("Option7");
    EXPECT_TRUE(Find<QPushButton>(hpcl, "Command32")->isEnabled());
    EXPECT_EQ(BackOf(hpcl, "Command32"), kIdle);

    for (const TunerKind kind : {TunerKind::LpCl, TunerKind::LpLc}) {
        QWidget& lp = s.Open(kind);
        EXPECT_EQ(TextOf(lp, "Text6"), "7672.5");
        EXPECT_EQ(TextOf(lp, "Text9"), "127.75");
        // A fractional count gives a fractional power of 2; an empty one 2^0.
        Find(lp, "Text5")->setText("1.5");
        EXPECT_EQ(TextOf(lp, "Text6"), FieldText(7.5 * std::pow(2.0, 1.5) - 7.5));
        Find(lp, "Text8")->setText("");
        EXPECT_EQ(TextOf(lp, "Text9"), "0");
    }
    // Closing the main window closes the tuners, also without a sweep to stop.
    s.form->close();
    EXPECT_FALSE(TopLevel("Form4")->isVisible());
}

// Bank values typed into an LP window are offered for the settings file when it closes,
// however it is closed: "Yes" writes them into the keys the file holds and adds none, "No"
// leaves the file as it was. Values typed back to the file's are not offered, nor are
// HP-CL's, which its SAVE button stores.
TEST(TunerWindows, EditedLpBanksAreOfferedForTheSettingsFileOnClosing) {
    using Close = std::function<void(Session&, QWidget&)>;
    const Close closeTuner = [](Session&, QWidget& tuner) { tuner.close(); };
    const Close closeMain = [](Session& s, QWidget&) { s.form->close(); };
    const Close chooseHpLc = [](Session& s, QWidget&) { s.Choose("Option5"); };
    const auto yes = QMessageBox::Yes, no = QMessageBox::No;
    const struct {
        TunerKind kind;
        const char* field;
        const char* typed;
        Close close;
        QMessageBox::StandardButton answer;
        bool offered;
        std::vector<std::pair<std::size_t, std::string>> before, after;
    } cases[] = {
        {TunerKind::LpCl, "Text4", "12.5", closeTuner, yes, true, {}, {{41, "LPCLCMIN 12.5"}}},
        {TunerKind::LpLc, "Text8", "7", closeMain, yes, true, {}, {{48, "LPLCLNUM 7"}}},
        {TunerKind::LpCl, "Text7", ".5", chooseHpLc, no, true, {}, {}},
        {TunerKind::LpCl, "Text4", "12.5", closeTuner, yes, true, {{41, "REMARK01 x"}}, {}},
        {TunerKind::LpLc, "Text5", "10", closeTuner, yes, false, {}, {}},
        {TunerKind::HpCl, "Text4_1", "3", closeTuner, yes, false, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(EntryOf(c.kind).form) + " " + c.field + " " + c.typed);
        Session s(SettingsWith(c.before));
        QWidget& tuner = s.Open(c.kind);
        QLineEdit* field = Find(tuner, c.field);
        const QString original = field->text();
        field->selectAll();
        QTest::keyClicks(field, c.typed);
        ASSERT_EQ(field->text(), c.typed);
        std::vector<std::pair<std::size_t, std::string>> after = c.before;
        after.insert(after.end(), c.after.begin(), c.after.end());
        {
            Answerer answerer(c.answer);
            c.close(s, tuner);
            QApplication::processEvents();
            EXPECT_EQ(!answerer.asked.isEmpty(), c.offered) << answerer.asked.toStdString();
        }
        EXPECT_FALSE(tuner.isVisible());
        EXPECT_EQ(ReadBytes(s.dir.file("ORVANE.INI")), CrLfLines(SettingsWith(after)));
        // Opened again, the window shows what the file holds.
        EXPECT_EQ(TextOf(s.Open(c.kind), c.field), c.after.empty() ? original : c.typed);
    }
}
