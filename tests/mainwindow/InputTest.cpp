#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/mainwindow/FormAccess.h"
#include "tests/support/SimulatedTime.h"

namespace {

// A main window in a fresh folder whose pauses pass in simulated time.
struct Window : MainWindow {
    SimulatedTime time;
    explicit Window(float delay = 0.15f) { form.repeatDelay = delay; }
    QPushButton* button(int number) {
        return Find<QPushButton>(form, QString("Command%1").arg(number));
    }
    void mouse(int number, QEvent::Type type) {
        QPushButton* b = button(number);
        const QPointF centre = QRectF(b->rect()).center();
        const Qt::MouseButtons down =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, centre, b->mapToGlobal(centre), Qt::LeftButton, down,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(b, &event);
    }
    // Holds a spin button for `seconds` from now and plays everything up to its end.
    void hold(int number, double seconds) {
        const double start = time.now();
        time.At(start, [this, number] { mouse(number, QEvent::MouseButtonPress); });
        time.At(start + seconds, [this, number] { mouse(number, QEvent::MouseButtonRelease); });
        time.Run();
    }
};

}  // namespace

// A click on the reactance shows its equivalent component and back (with no frequency there
// is nothing to convert). A click on a spin button and Up or Down in its field make the same
// step; numbers beyond a double or too large to scale still step to a defined bound.
TEST(Inputs, StepsTypingAndTheReactanceClickKeepTheirRules) {
    Window w;
    QLineEdit* x = w.field("Text6");
    const std::tuple<const char*, const char*, const char*> clicks[] = {
        {"0", "-100", "-100"},        {"1e999", "-100", "-100"},
        {"7.1", "-100", "224.17 pF"}, {"7.1", "224.17 pF", "-413.522"},
        {"7.1", "100", "2.24 µH"},    {"7.1", "0", "0"},
        {"7.1", "abc", "abc"}};
    for (const auto& [frequency, shown, afterClick] : clicks) {
        w.field("Text8")->setText(frequency);
        x->setText(QString::fromUtf8(shown));
        QTest::mouseClick(x, Qt::LeftButton);
        EXPECT_EQ(x->text(), QString::fromUtf8(afterClick)) << shown;
    }
    w.time.Run();  // the frequency's pause

    // Fields by number: Text1 is 1.
    const std::tuple<int, const char*, int, const char*> steps[] = {
        {1, "29.9", 1, "30"},     {1, "30", 1, "30"},        {1, "0.5", 1, "1.1"},
        {1, "", 1, "1.1"},        {1, "4.5", 2, "4.4"},      {2, "1", 4, "1"},
        {2, "0.5", 4, "1"},       {43, "9000", 9, "5000"},   {43, "9000", 10, "4999"},
        {43, "", 10, "0"},        {29, "250", 24, "251"},    {45, "0", 31, "0"},
        {8, "7.15", 7, "7.2"},    {8, "7.15", 8, "7.1"},     {8, "7.14", 8, "7.1"},
        {8, "7.13", 8, "7"},      {8, "0.2", 8, ".1"},       {8, "0.1", 8, ".1"},
        {8, "999.95", 7, "1000"}, {8, "29.9", 7, "30"},      {8, "1e999", 7, "1000"},
        {8, "1e999", 8, "999.9"}, {8, "-1e999", 8, ".1"},    {1, "1e999", 1, "30"},
        {1, "-1e999", 2, "1"},    {16, "1e308", 22, "10000"}};
    for (const auto& [number, from, button, to] : steps) {
        SCOPED_TRACE("Text" + std::to_string(number) + " from " + from);
        QLineEdit* field = w.field(QString("Text%1").arg(number));
        field->setText(from);
        w.hold(button, 0);
        EXPECT_EQ(field->text(), to);

        field->setText(from);
        const int before = w.form.recalculationCount();
        // The "+" buttons are Command1, 3, .. 11 and Command22, 24, .. 30.
        const bool plus = button % 2 == (button <= 12 ? 1 : 0);
        QTest::keyClick(field, plus ? Qt::Key_Up : Qt::Key_Down);
        EXPECT_EQ(field->text(), to);
        EXPECT_EQ(w.form.recalculationCount(), before + 1);
    }
    // The spin buttons themselves take no keyboard, nor do read-only fields; a typed comma
    // is a point.
    w.field("Text1")->setText("4.5");
    w.button(1)->click();
    QTest::keyClick(w.button(1), Qt::Key_Space);
    EXPECT_EQ(TextOf(w.form, "Text1"), "4.5");
    w.field("Text8")->clear();
    QTest::keyClicks(w.field("Text8"), "7,1");
    for (const char* readOnly : {"Text6", "Text28", "Text11"}) {
        const QString before = TextOf(w.form, readOnly);
        QTest::keyClicks(w.field(readOnly), "1,2");
        EXPECT_EQ(TextOf(w.form, readOnly), before) << readOnly;
    }
    EXPECT_EQ(TextOf(w.form, "Text28"), "7.1");
}

TEST(Inputs, HeldButtonRepeatsAndRecalculatesOnceAfterRelease) {
    Window w;
    w.field("Text43")->setText("100");
    w.time.At(0.5, [&] { w.field("Text1")->setText("5"); });
    const int before = w.form.recalculationCount();
    w.hold(9, 1.0);
    EXPECT_EQ(TextOf(w.form, "Text43"), "107") << "a step at once, then one per pause";
    EXPECT_EQ(w.form.recalculationCount(), before + 1)
        << "no recalculation while held, not even for the other field";
    // The one pass after the release used both new values.
    EXPECT_EQ(TextOf(w.form, "Text7"), "1030");

    // At its bound the repeat stops although the button is still down, and recalculates;
    // so does typing into another field then.
    w.field("Text1")->setText("29.7");
    const int atBound = w.form.recalculationCount();
    w.time.At(w.time.now() + 2, [&] { w.field("Text2")->setText("6"); });
    w.hold(1, 5);
    EXPECT_EQ(TextOf(w.form, "Text1"), "30");
    EXPECT_EQ(w.form.recalculationCount(), atBound + 2);
    // Thousands of steps do not grow the stack.
    w.form.repeatDelay = 0;
    w.field("Text16")->setText("1");
    w.hold(22, 1);
    EXPECT_EQ(TextOf(w.form, "Text16"), "10000");
    EXPECT_EQ(w.form.matchLimits().cmin_pF, 10000);
}

// Qt reports a double click as press, release, double click, release: each click steps once,
// nothing repeats after the last release, and one recalculation follows it. The clicks come
// as xdotool sends them (40 ms apart), as a hand does, and six of them 200 ms apart (every
// second press a double click).
TEST(Inputs, EveryClickOfADoubleClickOnASpinButtonSteps) {
    using Clicks = std::vector<std::pair<double, QEvent::Type>>;
    auto clicks = [](int count, double apart, double held) {
        Clicks sequence;
        for (int i = 0; i < count; ++i) {
            sequence.emplace_back(i * apart,
                                  i % 2 ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress);
            sequence.emplace_back(i * apart + held, QEvent::MouseButtonRelease);
        }
        return sequence;
    };
    const std::tuple<const char*, int, const char*, const char*, Clicks> cases[] = {
        {"Text1", 1, "4.5", "4.7", clicks(2, 0.04, 0.005)},
        {"Text1", 1, "4.5", "4.7", clicks(2, 0.2, 0.08)},
        {"Text43", 10, "100", "98", clicks(2, 0.12, 0.1)},
        {"Text1", 1, "4.5", "5.1", clicks(6, 0.2, 0.05)},
        {"Text8", 8, "7.1", "6.5", clicks(6, 0.2, 0.05)}};
    for (const auto& [field, button, from, to, sequence] : cases) {
        SCOPED_TRACE(std::string(field) + " " + std::to_string(sequence.size() / 2) + " clicks " +
                     std::to_string(sequence[2].first) + " s apart");
        Window w;
        w.field(field)->setText(from);
        const double start = w.time.now();
        int atLastRelease = 0;
        for (const auto& [at, type] : sequence) {
            w.time.At(start + at, [&, type = type] {
                w.mouse(button, type);
                // A press returns only when its steps are done: releases count.
                if (type == QEvent::MouseButtonRelease) atLastRelease = w.form.recalculationCount();
            });
        }
        w.time.Run();
        EXPECT_EQ(TextOf(w.form, field), QString(to));
        EXPECT_EQ(w.form.recalculationCount(), atLastRelease + 1);
        EXPECT_FALSE(w.button(button)->isDown());
    }
}

// A change while its field's pause runs lengthens that pause; a change of another field
// runs its own pause and recalculation inside; Enter does not wait for the pause.
TEST(Inputs, LongBurstOfTypingRecalculatesOnceAfterTheLastKey) {
    Window w;
    QLineEdit* length = w.field("Text1");
    const int before = w.form.recalculationCount();
    for (int i = 0; i < 10000; ++i) {
        w.time.At(i * 0.005, [length, i] {
            if (i % 2 == 0) {
                QTest::keyClick(length, Qt::Key_Backspace);
            } else {
                QTest::keyClick(length, char('0' + i / 2 % 10));
            }
        });
    }
    w.time.At(10, [&] { w.field("Text2")->setText("6"); });
    w.time.Run();
    EXPECT_EQ(length->text(), "4.9");
    EXPECT_EQ(TextOf(w.form, "Text7"), "841");
    EXPECT_EQ(w.form.recalculationCount(), before + 2);
    EXPECT_EQ(w.time.deepestNesting(), 2);

    // Enter recalculates at once, within the pause.
    QString atEnter;
    w.time.At(w.time.now(), [&] { QTest::keyClick(w.field("Text8"), Qt::Key_Backspace); });
    w.time.At(w.time.now() + 0.05, [&] {
        QTest::keyClick(w.field("Text8"), Qt::Key_Enter, Qt::KeypadModifier);
        atEnter = TextOf(w.form, "Text28");
    });
    w.time.Run();
    EXPECT_EQ(atEnter, "7.");
}

// Closing ends the repeat and the pause at once and keeps the values they reached.
TEST(Inputs, ClosingEndsEveryRepeatAndPauseAtOnce) {
    const std::tuple<const char*, std::function<void(Window&)>, double, const char*> cases[] = {
        {"Text29", [](Window& w) { w.mouse(24, QEvent::MouseButtonPress); }, 1, "MATCHC99 257"},
        {"Text1", [](Window& w) { QTest::keyClicks(w.field("Text1"), "1"); }, 0.05,
         "ANTENLEN 4.51"}};
    for (const auto& [field, start, closeAt, saved] : cases) {
        Window w;
        w.form.show();
        const int before = w.form.recalculationCount();
        QString shownAtClose;
        w.time.At(0, [&] { start(w); });
        w.time.At(closeAt, [&] {
            w.form.close();
            shownAtClose = TextOf(w.form, field);
        });
        w.time.Run();
        EXPECT_LE(w.time.now(), closeAt + w.form.repeatDelay) << field;
        EXPECT_EQ(TextOf(w.form, field), shownAtClose);
        EXPECT_EQ(w.form.recalculationCount(), before);
        EXPECT_NE(ReadBytes(w.dir.file("ORVANE.INI")).find(saved), std::string::npos);
    }
}

// Tab visits the controls in the order of the window, passes the read-only results by,
// and each stop shows that it has the focus.
TEST(Inputs, TabFollowsTheWindowAndShowsTheFocus) {
    Window w;
    w.form.show();
    w.form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.form));
    // An option group is one stop, at its selected option; the arrow keys choose within it.
    const QStringList order = {
        "Text1",     "Text2",     "Text8",     "Text45",    "Text17",    "Text4",     "Text43",
        "Text16",    "Text29",    "Text33",    "Text41",    "Text18",    "Text19",    "Text20",
        "Text21",    "Text22",    "Text23",    "Text24",    "Text25",    "Text26",    "Text27",
        "Check6",    "Option4",   "Option7",   "Check1",    "Check2",    "Check3",    "Check4",
        "Check10",   "Check5",    "Check7",    "Check8",    "Check9",    "Command13", "Command14",
        "Command16", "Command17", "Command18", "Command15", "Command19", "Command20", "Command21",
        "Option12",  "Text1"};
    w.field("Text1")->setFocus();
    QStringList visited;
    for (int i = 0; i < order.size(); ++i) {
        QWidget* focus = QApplication::focusWidget();
        visited << focus->objectName();
        const QRect around(focus->mapTo(&w.form, QPoint(-3, -3)), focus->size() + QSize(6, 6));
        const QImage focused = w.form.grab(around).toImage();
        QTest::keyClick(focus, Qt::Key_Tab);
        // Plain to see: at least half a line around the control changes with the focus.
        EXPECT_GE(ColoursApart(w.form.grab(around).toImage(), focused).size(),
                  std::size_t(focus->width() + focus->height()))
            << visited.back().toStdString();
    }
    EXPECT_EQ(visited, order);

    // A check box switched by the keyboard hands the focus to the diagram, which shows it
    // around its picture.
    QWidget* diagram = Find<QWidget>(w.form, "Picture1");
    const QRect around(diagram->mapTo(&w.form, QPoint(-3, -3)), diagram->size() + QSize(6, 6));
    const QImage unfocused = w.form.grab(around).toImage();
    Find<QWidget>(w.form, "Check3")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    ASSERT_EQ(QApplication::focusWidget(), diagram);
    EXPECT_GE(
        ColoursApart(w.form.grab(around).toImage(), unfocused, QRect(QPoint(3, 3), diagram->size()))
            .size(),
        std::size_t(diagram->width() + diagram->height()));
}
