// Typing into the input fields, the spin buttons with their repeat, the marker fields and
// the click on the reactance field.
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include "core/Numeric.h"
#include "mainwindow/Form1.h"
#include "mainwindow/InputFields.h"
#include "mainwindow/SpinStep.h"
#include "platform/EventLoop.h"
#include "platform/FieldText.h"
#include "platform/PictureBox.h"

namespace {

struct SpinButtonRole {
    std::size_t field;
    bool plus;
};

SpinButtonRole RoleOf(int button) {
    for (std::size_t i = 0; i < kInputFields.size(); ++i) {
        if (kInputFields[i].plusButton == button) return {i, true};
        if (kInputFields[i].minusButton == button) return {i, false};
    }
    return {0, true};
}

int ButtonNumber(const QObject* object) {
    const QString name = object->objectName();
    return name.startsWith("Command") ? name.mid(7).toInt() : 0;
}

bool IsSpinButton(int number) {
    return (number >= 1 && number <= 12) || (number >= 22 && number <= 31);
}

}  // namespace

void Form1::ConnectInputHandlers() {
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
        inputs_[i]->installEventFilter(this);
        connect(inputs_[i], &QLineEdit::textChanged, this, [this, i] { InputChanged(i); });
        for (int button : {kInputFields[i].plusButton, kInputFields[i].minusButton}) {
            findChild<QPushButton*>(QString("Command%1").arg(button))->installEventFilter(this);
        }
    }
    for (QLineEdit* marker : markers_) {
        connect(marker, &QLineEdit::textChanged, this, [this] { MarkerChanged(); });
    }
    Text6->installEventFilter(this);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseMove:
            // Form_MouseMove: off the diagram the read-out shows the set frequency again.
            if (watched == design_) Text28->setText(Text8->text());
            break;
        case QEvent::ShortcutOverride:
            // Not taken by the field: the shortcut then reaches the menu.
            if (KeyBelongsToMenu(watched, *static_cast<QKeyEvent*>(event))) return true;
            break;
        case QEvent::KeyPress:
            if (const auto field = InputIndex(watched)) {
                return InputKeyPressed(*field, *static_cast<QKeyEvent*>(event));
            }
            break;
        case QEvent::MouseButtonPress:
        // The second press of a double click comes as a double click: it steps as well.
        case QEvent::MouseButtonDblClick:
            if (const int button = ButtonNumber(watched); IsSpinButton(button)) {
                static_cast<QPushButton*>(watched)->setDown(true);
                SpinButtonDown(button);
                return true;
            }
            break;
        case QEvent::MouseButtonRelease:
            if (const int button = ButtonNumber(watched); IsSpinButton(button)) {
                heldFlags_[HeldFlagIndex(button)] = 0;
                static_cast<QPushButton*>(watched)->setDown(false);
                return true;
            }
            if (watched == Text6) Text6_Click();
            break;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::InputChanged(std::size_t field) {
    // A change while this field's pause runs lengthens that pause instead of nesting one of
    // its own, which would grow the stack with every key of a long burst of typing.
    if (pausing_[field]) {
        changedInPause_[field] = true;
        return;
    }
    pausing_[field] = true;
    do {
        changedInPause_[field] = false;
        WaitSeconds(repeatDelay);
    } while (changedInPause_[field] && !closing_);
    pausing_[field] = false;
    if (closing_) return;

    const InputFieldSpec& spec = kInputFields[field];
    if (spec.antennaInput) RetireTuningStrip();
    StoreMatchLimit(field, FieldValue(inputs_[field]));
    for (const int button : {spec.plusButton, spec.minusButton}) {
        const int index = HeldFlagIndex(button);
        // A press during the pause has its step waiting; the recalculation follows that step.
        if (spinStepDue_[index]) return;
        if (heldFlags_[index]) {
            RepeatSteps(button);
            return;
        }
    }
    if (field == kFrequencyField) Text28->setText(Text8->text());
    RecalculateIfIdle();
}

void Form1::StoreMatchLimit(std::size_t field, double value) {
    if (inputs_[field] == Text16) limits_.cmin_pF = value;
    if (inputs_[field] == Text29) limits_.cmax_pF = value;
    if (inputs_[field] == Text33) limits_.lmax_uH = value;
}

void Form1::SpinButtonDown(int button) {
    heldFlags_[HeldFlagIndex(button)] = 1;
    RepeatSteps(button);
}

// Each written value runs the field's change handler, which pauses and then asks for the
// next step while the button is held. The steps run in this loop rather than nested in
// those handlers, so holding a button for thousands of steps does not grow the stack.
void Form1::RepeatSteps(int button) {
    const int index = HeldFlagIndex(button);
    if (spinRepeating_[index]) {
        spinStepDue_[index] = true;
        return;
    }
    spinRepeating_[index] = true;
    do {
        spinStepDue_[index] = false;
        StepOnce(button);
    } while (spinStepDue_[index] && !closing_);
    spinRepeating_[index] = false;
}

void Form1::StepOnce(int button) {
    const SpinButtonRole role = RoleOf(button);
    const SpinStep step =
        NextSpinValue(kInputFields[role.field], role.plus, FieldValue(inputs_[role.field]));
    // The press set the held flag; a release since then has cleared it for good.
    if (step.atBound) {
        heldFlags_[HeldFlagIndex(button)] = 0;
        RecalculateIfIdle();
    }
    inputs_[role.field]->setText(FieldText(step.value));
    StoreMatchLimit(role.field, step.value);
}

void Form1::MarkerChanged() {
    DrawSweepDiagram();
}

void Form1::Text6_Click() {
    const QString text = Text6->text();
    if (text.contains(QString::fromUtf8("\u00b5H")) || text.contains("pF")) {
        Recalculate();
        return;
    }
    const double x = FieldValue(text);
    const double f_Hz = FieldValue(Text8) * 1e6;
    // A frequency of 0 or a value beyond a double leaves the field as it is.
    Checked c;
    if (x < 0) {
        const double perOmegaX = c.Div(1, c.Finite(2 * x * num::PI * f_Hz));
        const double pF = -c.Floor(c.Finite(perOmegaX * 1e12 * 100)) / 100;
        if (c.ok()) Text6->setText(FieldText(pF) + " pF");
    } else if (x > 0) {
        const double henry = c.Div(x, c.Finite(2 * num::PI * f_Hz));
        const double uH = c.Floor(c.Finite(henry * 1e6 * 100)) / 100;
        if (c.ok()) Text6->setText(FieldText(uH) + QString::fromUtf8(" \u00b5H"));
    }
}
