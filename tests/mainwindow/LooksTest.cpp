// What the user sees of the controls: their colours on screen, where they take a click,
// whole captions, the X_f check box's picture.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>

#include "tests/support/Pixels.h"
#include "tests/tuners/TunerSession.h"

namespace {

// The width a caption has and the width it needs; none for controls without one.
std::pair<int, int> RoomAndNeed(QWidget* control) {
    QString text;
    int room = 0;
    if (auto* label = qobject_cast<QLabel*>(control); label && !label->wordWrap()) {
        text = label->text();
        QRect area = label->contentsRect().adjusted(label->margin(), 0, -label->margin(), 0);
        if (label->frameWidth() > 0)
            area.adjust(label->fontMetrics().horizontalAdvance('x') / 2, 0, 0, 0);
        // A box label's caption ends where the first control inside it begins.
        for (QWidget* child : label->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->y() < label->fontMetrics().height())
                area.setRight(std::min(area.right(), child->x()));
        }
        room = area.width();
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        text = button->text();
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = text;
        const auto contents = qobject_cast<QPushButton*>(button) ? QStyle::SE_PushButtonContents
                              : qobject_cast<QCheckBox*>(button) ? QStyle::SE_CheckBoxContents
                                                                 : QStyle::SE_RadioButtonContents;
        room = button->style()->subElementRect(contents, &option, button).width();
    }
    return {room, text.isEmpty() ? 0 : control->fontMetrics().horizontalAdvance(text)};
}

}  // namespace

TEST(Looks, EveryCaptionOfEveryWindowShowsWhole) {
    tuner_test::Session s;
    QList<QWidget*> windows = {s.form.get()};
    for (TunerKind kind : {TunerKind::HpCl, TunerKind::LpCl, TunerKind::LpLc})
        windows << &s.Open(kind);
    for (QWidget* window : windows) {
        for (QWidget* control : window->findChildren<QWidget*>()) {
            const auto [room, need] = RoomAndNeed(control);
            // A control without a caption (the menu bar's overflow button) cuts none.
            if (need == 0) continue;
            EXPECT_LE(need, room) << window->objectName().toStdString() << " "
                                  << control->objectName().toStdString();
        }
    }
}

// Options and check boxes show their back colours and take a click anywhere; the X_f check
// box's picture reads at full size: -X in white on blue, f+ in black on orange, each on a
// field of 18 x 14 pixels.
TEST(Looks, OptionsAndCheckBoxesShowTheirBackColoursAndTakeAClickAnywhere) {
    MainWindow w;
    const QImage shot = w.form.grab().toImage();
    const QImage reactance = Find<QCheckBox>(w.form, "Check2")->grab().toImage();
    const std::pair<QColor, QColor> halves[] = {{QColor(0, 128, 255), Qt::white},
                                                {QColor(255, 96, 0), Qt::black}};
    for (const auto& [field, letters] : halves) {
        const Ink back = InkOf(reactance, field);
        EXPECT_EQ(back.bounds.size(), QSize(18, 14)) << field.name().toStdString();
        EXPECT_GT(back.count, 18 * 14 / 2);
        EXPECT_GT(InkOf(reactance, letters, back.bounds).count, 15) << field.name().toStdString();
    }
    // The check boxes first: the diagram-type options disable the marker switch.
    QList<QAbstractButton*> choices;
    for (QCheckBox* box : w.form.findChildren<QCheckBox*>()) choices << box;
    for (QRadioButton* option : w.form.findChildren<QRadioButton*>()) choices << option;
    EXPECT_EQ(choices.size(), 10 + 10);
    for (QAbstractButton* choice : choices) {
        const std::string name = choice->objectName().toStdString();
        // The top right corner: clear of the box, the caption and the picture.
        EXPECT_EQ(shot.pixelColor(choice->mapTo(&w.form, QPoint(choice->width() - 2, 1))),
                  BackOf(w.form, choice->objectName()))
            << name;
        // Clicked in the bottom right corner, far from the box and the caption.
        const bool was = choice->isChecked();
        if (qobject_cast<QRadioButton*>(choice) && was) continue;
        QTest::mouseClick(choice, Qt::LeftButton, {},
                          QPoint(choice->width() - 2, choice->height() - 2));
        EXPECT_NE(choice->isChecked(), was) << name;
    }
    EXPECT_EQ(TextOf(w.form, "Text10"), "-3.2") << "dB, clicked right of its caption";
    w.click("Option12");
    EXPECT_EQ(TextOf(w.form, "Text10"), "48.444") << "back in per cent";
}
