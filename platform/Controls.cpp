#include "platform/Controls.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <iostream>

#include "platform/BackColor.h"

namespace {

// Option buttons and check boxes take a click anywhere in their rectangle, which shows in
// their back colour; the style would take it only on the box and the caption.
template <typename Button>
class WholeRectButton : public Button {
public:
    using Button::Button;

protected:
    bool hitButton(const QPoint& position) const override {
        return this->rect().contains(position);
    }
};

template <typename Control>
Control* Place(Control* control, const QString& name, const QRect& geometry, const QColor& back) {
    control->setObjectName(name);
    control->setGeometry(geometry);
    SetBackColor(control, back);
    return control;
}

}  // namespace

QLineEdit* NewTextBox(QWidget* parent, const QString& name, const QRect& geometry,
                      const QString& text, const QColor& back, TextBoxFilter::Kind kind) {
    auto* box = Place(new QLineEdit(parent), name, geometry, back);
    box->setTextMargins(0, 0, 0, 0);
    box->setValidator(new TextBoxFilter(kind, box));
    box->setText(text);
    return box;
}

void MakeReadOnly(QLineEdit* box) {
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
}

QLabel* NewLabel(QWidget* parent, const QString& name, const QRect& geometry,
                 const QString& caption, const QColor& back) {
    QLabel* label = Place(new QLabel(caption, parent), name, geometry, back);
    FitCaption(label);
    return label;
}

QPushButton* NewButton(QWidget* parent, const QString& name, const QRect& geometry,
                       const QString& caption, const QColor& back) {
    return Place(new QPushButton(caption, parent), name, geometry, back);
}

QRadioButton* NewOption(QWidget* parent, const QString& name, const QRect& geometry,
                        const QString& caption, const QColor& back) {
    return Place(new WholeRectButton<QRadioButton>(caption, parent), name, geometry, back);
}

QCheckBox* NewCheck(QWidget* parent, const QString& name, const QRect& geometry,
                    const QString& caption, const QColor& back) {
    return Place(new WholeRectButton<QCheckBox>(caption, parent), name, geometry, back);
}

void FitCaption(QLabel* label) {
    QRect room = label->contentsRect().adjusted(label->margin(), 0, -label->margin(), 0);
    if (label->indent() < 0 && label->frameWidth() > 0) {
        room.adjust(label->fontMetrics().horizontalAdvance('x') / 2, 0, 0, 0);
    }
    QFont font = label->font();
    for (int stretch = 99; stretch >= 50; --stretch) {
        if (QFontMetrics(font).horizontalAdvance(label->text()) <= room.width()) break;
        font.setStretch(stretch);
    }
    if (font != label->font()) label->setFont(font);
}

void ReportOnStandardError(const std::string& message) {
    std::cerr << "orvane: " << message << std::endl;
}

void ReportFileProblem(QLabel* statusLine, const std::string& message) {
    ReportOnStandardError(message);
    statusLine->setText(QString::fromStdString(message));
}
