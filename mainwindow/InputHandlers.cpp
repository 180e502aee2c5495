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
#include "platform/EventLoop.h"
#include "platform/FieldText.h"
#include "platform/PictureBox.h"

namespace {

constexpr int kFrequencyField = 2;  // Text8 in kInputFields

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
        marker->installEventFilter(this);
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
        case QEvent::KeyPress: {
            // Whatever the keyboard's decimal separator, the fields take a point.
            auto* key = static_cast<QKeyEvent*>(event);
            auto* field = qobject_cast<QLineEdit*>(watched);
            if (field && key->text() == ",") {
                field->insert(".");
                return true;
            }
            break;
        }
        case QEvent::MouseButtonPress:
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
    const InputFieldSpec& spec = kInputFields[field];
    WaitSeconds(repeatDelay);
    if (spec.antennaInput) RetireTuningStrip();
    StoreMatchLimit(field, FieldValue(inputs_[field]));
    if (heldFlags_[HeldFlagIndex(spec.plusButton)]) {
        SpinButtonDown(spec.plusButton);
        return;
    }
    if (heldFlags_[HeldFlagIndex(spec.minusButton)]) {
        SpinButtonDown(spec.minusButton);
        return;
    }
    if (field == kFrequencyField) Text28->setText(Text8->text());
    RecalculateIfIdle();
}

void Form1::StoreMatchLimit(std::size_t field, double value) {
    if (inputs_[field] == Text16) limits_.cmin_pF = value;
    if (inputs_[field] == Text29) limits_.cmax_pF = value;
    if (inputs_[field] == Text33) limits_.lmax_uH = value;
}

// Each written value runs the field's change handler, which pauses and then asks for the
// next step while the button is held. The steps run in this loop rather than nested in
// those handlers, so holding a button for thousands of steps does not grow the stack.
void Form1::SpinButtonDown(int button) {
    if (spinRepeating_[button]) {
        spinStepDue_[button] = true;
        return;
    }
    spinRepeating_[button] = true;
    do {
        spinStepDue_[button] = false;
        StepOnce(button);
    } while (spinStepDue_[button]);
    spinRepeating_[button] = false;
}

void Form1::StepOnce(int button) {
    const SpinButtonRole role = RoleOf(button);
    const InputFieldSpec& spec = kInputFields[role.field];
    uint8_t& held = heldFlags_[HeldFlagIndex(button)];
    held = 1;
    double v = FieldValue(inputs_[role.field]);
    bool beyond = false;
    if (role.field == kFrequencyField) {
        // The frequency keeps to a 0.1 MHz grid; a value too large to scale is beyond it.
        Checked c;
        if (role.plus) {
            if (v < spec.lower) v = spec.lower;
            v = c.Floor(c.Finite((v + spec.step) * 10) + 0.0001) / 10;
        } else {
            if (v > spec.upper) v = spec.upper;
            v = c.Floor(c.Finite(v * 10) + 0.6001) / 10 - spec.step;
        }
        beyond = c.faulted();
    } else if (role.plus) {
        if (v < spec.lower) v = spec.lower;
        v += spec.step;
    } else {
        if (v > spec.upper) v = spec.upper;
        v -= spec.step;
    }
    if (role.plus && (beyond || v > spec.upper)) {
        v = spec.upper;
        held = 0;
        RecalculateIfIdle();
    } else if (!role.plus && (beyond || v < spec.lower)) {
        v = spec.lower;
        held = 0;
        RecalculateIfIdle();
    }
    inputs_[role.field]->setText(FieldText(v));
    StoreMatchLimit(role.field, v);
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
