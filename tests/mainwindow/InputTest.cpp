#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "tests/mainwindow/FormAccess.h"
#include "tests/support/TempDir.h"

namespace {

// A main window in a fresh folder whose pauses are short enough for tests.
struct Window {
    WorkingDirectory dir;
    Form1 form;
    explicit Window(float delay = 0) { form.repeatDelay = delay; }

    QLineEdit* field(const char* name) { return Find(form, name); }
    QPushButton* button(int number) {
        return Find<QPushButton>(form, QString("Command%1").arg(number));
    }
    // A quick click on a spin button: the release is already queued when the press
    // arrives, so it is seen during the first pause.
    void click(int number) {
        QPushButton* b = button(number);
        const QPointF centre = QRectF(b->rect()).center();
        QCoreApplication::postEvent(
            b, new QMouseEvent(QEvent::MouseButtonRelease, centre, b->mapToGlobal(centre),
                               Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
        QTest::mousePress(b, Qt::LeftButton);
    }
    QString stepped(const char* name, const char* from, int number) {
        field(name)->setText(from);
        click(number);
        return field(name)->text();
    }
    // Holds a button until `ms` have passed (the release arrives during a pause).
    void hold(int number, int ms) {
        QTimer::singleShot(ms, button(number),
                           [b = button(number)] { QTest::mouseRelease(b, Qt::LeftButton); });
        QTest::mousePress(button(number), Qt::LeftButton);
    }
};

}  // namespace

TEST(Inputs, CommaTypedBecomesAPoint) {
    Window w;
    QLineEdit* f = w.field("Text8");
    f->clear();
    QTest::keyClicks(f, "7,1");
    EXPECT_EQ(f->text(), "7.1");
    EXPECT_EQ(TextOf(w.form, "Text28"), "7.1");
    EXPECT_EQ(TextOf(w.form, "Text6"), "-413.522");
}

TEST(Inputs, SpinButtonsStepWithinTheirBounds) {
    Window w;
    EXPECT_EQ(w.stepped("Text1", "29.9", 1), "30");
    EXPECT_EQ(w.stepped("Text1", "30", 1), "30");
    EXPECT_EQ(w.stepped("Text1", "0.5", 1), "1.1");
    EXPECT_EQ(w.stepped("Text1", "", 1), "1.1");
    EXPECT_EQ(w.stepped("Text1", "4.5", 2), "4.4");
    EXPECT_EQ(w.stepped("Text2", "1", 4), "1");
    EXPECT_EQ(w.stepped("Text2", "0.5", 4), "1");
    EXPECT_EQ(w.stepped("Text43", "9000", 9), "5000");
    EXPECT_EQ(w.stepped("Text43", "9000", 10), "4999");
    EXPECT_EQ(w.stepped("Text43", "", 10), "0");
    EXPECT_EQ(w.stepped("Text29", "250", 24), "251");
    EXPECT_EQ(w.stepped("Text45", "0", 31), "0");

    EXPECT_EQ(w.stepped("Text8", "7.15", 7), "7.2");
    EXPECT_EQ(w.stepped("Text8", "7.15", 8), "7.1");
    EXPECT_EQ(w.stepped("Text8", "7.14", 8), "7.1");
    EXPECT_EQ(w.stepped("Text8", "7.13", 8), "7");
    EXPECT_EQ(w.stepped("Text8", "0.2", 8), ".1");
    EXPECT_EQ(w.stepped("Text8", "0.1", 8), ".1");
    EXPECT_EQ(w.stepped("Text8", "999.95", 7), "1000");
    EXPECT_EQ(w.stepped("Text8", "7.1", 7), "7.2");
    EXPECT_EQ(w.stepped("Text8", "29.9", 7), "30");

    // Numbers beyond a double or too large to scale still step to a defined bound.
    EXPECT_EQ(w.stepped("Text8", "1e999", 7), "1000");
    EXPECT_EQ(w.stepped("Text8", "1e999", 8), "999.9");
    EXPECT_EQ(w.stepped("Text8", "-1e999", 8), ".1");
    EXPECT_EQ(w.stepped("Text1", "1e999", 1), "30");
    EXPECT_EQ(w.stepped("Text1", "-1e999", 2), "1");
    EXPECT_EQ(w.stepped("Text16", "1e308", 22), "10000");
}

TEST(Inputs, SpinButtonsIgnoreTheKeyboard) {
    Window w;
    w.field("Text1")->setText("4.5");
    w.button(1)->click();  // what the space key would do
    QTest::keyClick(w.button(1), Qt::Key_Space);
    EXPECT_EQ(TextOf(w.form, "Text1"), "4.5");
}

TEST(Inputs, HeldButtonRepeatsAndRecalculatesOnceAfterRelease) {
    Window w(0.01f);
    w.field("Text43")->setText("100");
    QTimer::singleShot(25, w.button(1), [&] { w.field("Text1")->setText("5"); });
    const int before = w.form.recalculationCount();
    w.hold(9, 120);
    const double reached = TextOf(w.form, "Text43").toDouble();
    EXPECT_GT(reached, 102) << "repeated while held";
    EXPECT_LT(reached, 100 + 40);
    EXPECT_EQ(w.form.recalculationCount(), before + 1)
        << "no recalculation while held, not even for the other field";
    EXPECT_EQ(TextOf(w.form, "Text1"), "5");
    // The one pass after the release used both new values.
    EXPECT_EQ(TextOf(w.form, "Text7"), "1030");
}

TEST(Inputs, HeldButtonStopsAtItsBoundAndRecalculatesThere) {
    Window w(0.005f);
    w.field("Text1")->setText("29.7");
    const int before = w.form.recalculationCount();
    w.hold(1, 5000);  // still held when the bound is reached
    EXPECT_EQ(TextOf(w.form, "Text1"), "30");
    EXPECT_EQ(w.form.recalculationCount(), before + 1);
    // The flag is cleared although the button is down: typing recalculates again.
    w.field("Text2")->setText("6");
    EXPECT_EQ(w.form.recalculationCount(), before + 2);
}

TEST(Inputs, LongRepeatDoesNotGrowTheStack) {
    Window w;
    w.field("Text16")->setText("1");
    w.hold(22, 600000);
    EXPECT_EQ(TextOf(w.form, "Text16"), "10000");
    EXPECT_EQ(w.form.matchLimits().cmin_pF, 10000);
}

TEST(Inputs, ReactanceClickShowsTheEquivalentComponentAndBack) {
    Window w;
    QLineEdit* x = w.field("Text6");
    x->setText("-100");
    QTest::mouseClick(x, Qt::LeftButton);
    EXPECT_EQ(x->text(), "224.17 pF");
    QTest::mouseClick(x, Qt::LeftButton);
    EXPECT_EQ(x->text(), "-413.522");
    x->setText("100");
    QTest::mouseClick(x, Qt::LeftButton);
    EXPECT_EQ(x->text(), QString::fromUtf8("2.24 \u00b5H"));

    x->setText("0");
    QTest::mouseClick(x, Qt::LeftButton);
    EXPECT_EQ(x->text(), "0");
    x->setText("abc");
    QTest::mouseClick(x, Qt::LeftButton);
    EXPECT_EQ(x->text(), "abc");

    // No frequency: nothing to convert, the field stays as it is.
    w.field("Text8")->setText("0");
    x->setText("-100");
    QTest::mouseClick(x, Qt::LeftButton);
    EXPECT_EQ(x->text(), "-100");
    w.field("Text8")->setText("1e999");
    QTest::mouseClick(x, Qt::LeftButton);
    EXPECT_EQ(x->text(), "-100");
}

TEST(Inputs, LimitFieldsFeedTheMatchingVerdicts) {
    Window w;
    w.field("Text16")->setText("20");
    EXPECT_EQ(w.form.matchLimits().cmin_pF, 20);
    EXPECT_EQ(BackOf(w.form, "Text11"), kValid) << "23.9 pF is now inside the limits";
    w.field("Text33")->setText("6");
    EXPECT_EQ(BackOf(w.form, "Text11"), kRed) << "6.4 uH is above Lmax";
}
