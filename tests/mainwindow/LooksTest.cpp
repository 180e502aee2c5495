// What the user sees of the controls: their colours on screen, where they take a click,
// whole captions, the X_f check box's picture.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>

#include "tests/mainwindow/FormAccess.h"
#include "tests/tuners/TunerSession.h"

namespace {

// The option buttons and check boxes of the main window.
QList<QAbstractButton*> Choices(const QWidget& window) {
    QList<QAbstractButton*> choices;
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button)) {
            choices << button;
        }
    }
    return choices;
}

// Why a caption does not show whole, or an empty text.
QString CutOff(QWidget* control) {
    const QFontMetrics metrics = control->fontMetrics();
    if (auto* label = qobject_cast<QLabel*>(control)) {
        if (label->text().isEmpty() || label->wordWrap()) return {};
        const int needed = metrics.horizontalAdvance(label->text());
        QRect room = label->contentsRect().adjusted(label->margin(), 0, -label->margin(), 0);
        if (label->indent() < 0 && label->frameWidth() > 0) {
            room.adjust(metrics.horizontalAdvance('x') / 2, 0, 0, 0);
        }
        // A box label's caption ends where its first control inside begins.
        for (QWidget* child : label->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->y() < metrics.height()) room.setRight(std::min(room.right(), child->x()));
        }
        if (needed > room.width()) {
            return QString("\"%1\" needs %2 of %3")
                .arg(label->text())
                .arg(needed)
                .arg(room.width());
        }
        return {};
    }
    auto* button = qobject_cast<QAbstractButton*>(control);
    if (!button || button->text().isEmpty()) return {};
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QStyle::SubElement contents =
        qobject_cast<QPushButton*>(button) ? QStyle::SE_PushButtonContents
        : qobject_cast<QCheckBox*>(button) ? QStyle::SE_CheckBoxContents
                                           : QStyle::SE_RadioButtonContents;
    const int room = button->style()->subElementRect(contents, &option, button).width();
    const int needed = metrics.horizontalAdvance(button->text());
    if (needed > room)
        return QString("\"%1\" needs %2 of %3").arg(button->text()).arg(needed).arg(room);
    return {};
}

}  // namespace

TEST(Looks, EveryCaptionOfEveryWindowShowsWhole) {
    tuner_test::Session s;
    QList<QWidget*> windows = {s.form.get()};
    for (TunerKind kind : {TunerKind::HpCl, TunerKind::LpCl, TunerKind::LpLc}) {
        windows << &s.Open(kind);
    }
    for (QWidget* window : windows) {
        for (QWidget* control : window->findChildren<QWidget*>()) {
            const QString problem = CutOff(control);
            EXPECT_TRUE(problem.isEmpty())
                << window->objectName().toStdString() << " " << control->objectName().toStdString()
                << ": " << problem.toStdString();
        }
    }
}

TEST(Looks, OptionsAndCheckBoxesShowTheirBackColours) {
    WorkingDirectory dir;
    Form1 form;
    const QImage shot = form.grab().toImage();
    const QList<QAbstractButton*> choices = Choices(form);
    EXPECT_EQ(choices.size(), 10 + 10);
    for (QAbstractButton* choice : choices) {
        // The top right corner: clear of the box, the caption and the picture.
        const QPoint corner = choice->mapTo(&form, QPoint(choice->width() - 2, 1));
        EXPECT_EQ(shot.pixelColor(corner), BackOf(form, choice->objectName()))
            << choice->objectName().toStdString();
    }
}

TEST(Looks, AClickAnywhereInAnOptionOrCheckBoxTakes) {
    WorkingDirectory dir;
    Form1 form;
    form.repeatDelay = 0;
    // Check boxes first: the diagram-type options disable the marker switch.
    QList<QAbstractButton*> choices = Choices(form);
    std::stable_partition(choices.begin(), choices.end(),
                          [](QAbstractButton* b) { return qobject_cast<QCheckBox*>(b); });
    for (QAbstractButton* choice : choices) {
        const bool was = choice->isChecked();
        if (qobject_cast<QRadioButton*>(choice) && was) continue;
        QTest::mouseClick(choice, Qt::LeftButton, {},
                          QPoint(choice->width() - 2, choice->height() - 2));
        EXPECT_NE(choice->isChecked(), was) << choice->objectName().toStdString();
    }
    EXPECT_EQ(TextOf(form, "Text10"), "-3.2") << "the dB option clicked right of its caption";
}

TEST(Looks, ReactanceCheckBoxPictureReadsAtFullSize) {
    WorkingDirectory dir;
    Form1 form;
    const QImage shot = Find<QCheckBox>(form, "Check2")->grab().toImage();
    // -X in white on blue, f+ in black on orange, each on a field of 18 x 14 pixels.
    const struct {
        QColor field, letters;
    } halves[] = {{QColor(0, 128, 255), Qt::white}, {QColor(255, 96, 0), Qt::black}};
    for (const auto& half : halves) {
        QRect area;
        int fieldPixels = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                if (shot.pixelColor(x, y) != half.field) continue;
                area |= QRect(x, y, 1, 1);
                ++fieldPixels;
            }
        }
        EXPECT_EQ(area.size(), QSize(18, 14)) << half.field.name().toStdString();
        int letterPixels = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                letterPixels += shot.pixelColor(x, y) == half.letters;
            }
        }
        EXPECT_GT(letterPixels, 15)
            << half.field.name().toStdString() << ": the letters stand out in full contrast";
        EXPECT_GT(fieldPixels, 18 * 14 / 2);
    }
}
