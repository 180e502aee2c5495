// The keyboard: the window's tab order, a visible focus, Up and Down as one spin step, Enter
// for a recalculation at once, and Ctrl+T for the tuner of the selected network.
#include <QAction>
#include <QFocusFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

#include "mainwindow/Form1.h"
#include "mainwindow/InputFields.h"
#include "mainwindow/SpinStep.h"
#include "platform/FieldText.h"
#include "platform/PictureBox.h"

namespace {

// As the window reads: the inputs top to bottom, the matching limits, the markers, the
// network options, then the diagram controls. The sweep diagram, which the selections
// give the focus to, leads into the diagram controls.
constexpr const char* kTabOrder[] = {
    "Text1",     "Text2",     "Text8",     "Text45",    "Text17",    "Text4",     "Text43",
    "Text16",    "Text29",    "Text33",    "Text41",    "Text18",    "Text19",    "Text20",
    "Text21",    "Text22",    "Text23",    "Text24",    "Text25",    "Text26",    "Text27",
    "Check6",    "Option4",   "Option5",   "Option6",   "Option9",   "Option10",  "Option11",
    "Picture1",  "Option7",   "Option8",   "Check1",    "Check2",    "Check3",    "Check4",
    "Check10",   "Check5",    "Check7",    "Check8",    "Check9",    "Command13", "Command14",
    "Command16", "Command17", "Command18", "Command15", "Command19", "Command20", "Command21",
    "Option12",  "Option13",
};

// The style marks a control that has the focus once the keyboard moves it, but not a
// picture, such as the sweep diagram that the selections give the focus to: this frames it
// then. It lives and dies with the picture, so it never outlives what it looks at.
class FocusMark : public QObject {
public:
    explicit FocusMark(QWidget* picture)
        : QObject(picture), frame_(new QFocusFrame(picture->parentWidget())) {
        QPalette highlight = frame_->palette();
        highlight.setColor(QPalette::WindowText, highlight.color(QPalette::Highlight));
        frame_->setPalette(highlight);
        picture->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if ((type == QEvent::FocusIn || type == QEvent::FocusOut) && frame_) {
            auto* picture = static_cast<QWidget*>(watched);
            const bool byKeyboard = picture->window()->testAttribute(Qt::WA_KeyboardFocusChange);
            frame_->setWidget(type == QEvent::FocusIn && byKeyboard ? picture : nullptr);
        }
        return false;
    }

private:
    QPointer<QFocusFrame> frame_;
};

}  // namespace

void Form1::ConnectKeyboard() {
    QWidget* previous = nullptr;
    for (const char* name : kTabOrder) {
        QWidget* next = findChild<QWidget*>(name);
        if (previous) setTabOrder(previous, next);
        previous = next;
    }
    new FocusMark(Picture1);
    // Every field lets the File menu's keys through (see KeyBelongsToMenu).
    for (QLineEdit* field : design_->findChildren<QLineEdit*>()) field->installEventFilter(this);

    auto* openTuner = new QAction(this);
    openTuner->setObjectName("OpenTuner");
    openTuner->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    addAction(openTuner);
    connect(openTuner, &QAction::triggered, this, [this] { OpenSelectedTuner(); });
}

std::optional<std::size_t> Form1::InputIndex(const QObject* watched) const {
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
        if (inputs_[i] == watched) return i;
    }
    return std::nullopt;
}

bool Form1::InputKeyPressed(std::size_t field, const QKeyEvent& key) {
    if ((key.modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier)) != Qt::NoModifier) {
        return false;
    }
    switch (key.key()) {
        case Qt::Key_Up:
            KeyStep(field, true);
            return true;
        case Qt::Key_Down:
            KeyStep(field, false);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            StoreMatchLimit(field, FieldValue(inputs_[field]));
            if (field == kFrequencyField) Text28->setText(Text8->text());
            RecalculateIfIdle();
            return true;
        default:
            return false;
    }
}

// One step as a click on the spin button makes it, but without its held flag: no repeat,
// and one recalculation, by the field's change handler or, when the text stays as it is
// (at a bound), at once.
void Form1::KeyStep(std::size_t field, bool plus) {
    QLineEdit* input = inputs_[field];
    const double value = NextSpinValue(kInputFields[field], plus, FieldValue(input)).value;
    StoreMatchLimit(field, value);
    const QString text = FieldText(value);
    if (input->text() != text) {
        input->setText(text);
    } else {
        RecalculateIfIdle();
    }
}
