#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <random>

#include "tests/mainwindow/FormAccess.h"
#include "tests/support/TempDir.h"

// Whatever is typed into whatever field, the window keeps working: afterwards the default
// inputs give the default results again.
TEST(Robustness, HostileTextsNeverBreakTheWindow) {
    MainWindow w;
    w.form.show();

    const QStringList fields = {"Text1",  "Text2",  "Text4",  "Text8",  "Text16",
                                "Text17", "Text29", "Text33", "Text41", "Text43",
                                "Text45", "Text18", "Text22", "Text27"};
    QStringList defaults;
    for (const QString& name : fields) defaults << TextOf(w.form, name);
    QStringList hostile = {
        "",         "-",     ".",      ",",  "1e999", "-1e999", "nan",  "inf",
        "-inf",     "1e308", "-1e308", "0",  "-0",    "1e-320", "1e38", "1e39",
        "-5",       "4.5.6", "++1",    "1e", "0x10",  "  7 ",   "\t3",  "99999999999999999999999",
        "5\r\n6\tx"};
    hostile << QString(1000, '9') << QString(1000, 'x') << QString::fromUtf8("\u00b5\u00e4");
    std::mt19937 random(20261206);
    std::uniform_real_distribution<double> magnitude(-12, 12);
    for (int i = 0; i < 300; ++i) {
        const double sign = random() % 2 ? 1 : -1;
        hostile << QString::number(sign * std::pow(10.0, magnitude(random)), 'g', 6);
    }
    for (const QString& text : hostile) {
        for (int k = 0; k < 2; ++k) Find(w.form, fields[random() % fields.size()])->setText(text);
    }
    // Some spin steps and selections on top of whatever is in the fields now.
    for (const char* name : {"Command7", "Command8", "Command24", "Command1", "Command31"}) {
        QPushButton* b = Find<QPushButton>(w.form, name);
        const QPointF at = QRectF(b->rect()).center();
        QCoreApplication::postEvent(
            b, new QMouseEvent(QEvent::MouseButtonRelease, at, b->mapToGlobal(at), Qt::LeftButton,
                               Qt::NoButton, Qt::NoModifier));
        QTest::mousePress(b, Qt::LeftButton);
    }
    for (const char* name : {"Option6", "Option8", "Option11", "Option13", "Option7"})
        w.click(name);
    QTest::mouseClick(Find(w.form, "Text6"), Qt::LeftButton);

    w.click("Option12");
    w.click("Option4");
    for (int i = 0; i < fields.size(); ++i) w.field(fields[i])->setText(defaults[i]);
    EXPECT_EQ(TextOf(w.form, "Text5"), "9.698");
    EXPECT_EQ(TextOf(w.form, "Text6"), "-413.522");
    EXPECT_EQ(TextOf(w.form, "Text15"), "357.988");
    EXPECT_EQ(TextOf(w.form, "Text11"), "23.9");
    EXPECT_EQ(TextOf(w.form, "Text10"), "48.444") << "back in per cent";
    EXPECT_EQ(BackOf(w.form, "Text5"), kValid);
    w.form.close();
}
