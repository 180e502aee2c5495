// The main window's side of the tuner windows and the sweep.
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <utility>

#include "mainwindow/Form1.h"
#include "mainwindow/InputFields.h"
#include "platform/PictureBox.h"
#include "tuners/TunerWindows.h"

void Form1::SetFrequencyText(const QString& text) {
    Text8->setText(text);
    // A pause of the field that was running already took the change over; the caller needs
    // the results at the new frequency now.
    if (pausing_[kFrequencyField]) {
        Text28->setText(text);
        RecalculateIfIdle();
    }
}

void Form1::SchematicClicked(TunerKind kind) {
    const Network network = kind == TunerKind::HpCl   ? Network::HpCl
                            : kind == TunerKind::LpCl ? Network::LpCl
                                                      : Network::LpLc;
    if (selectedNetwork() != network) return;
    tuners_->Open(kind, Text8->text(), feedPoint_);
}

void Form1::OpenSelectedTuner() {
    switch (selectedNetwork()) {
        case Network::HpCl:
            SchematicClicked(TunerKind::HpCl);
            break;
        case Network::LpCl:
            SchematicClicked(TunerKind::LpCl);
            break;
        case Network::LpLc:
            SchematicClicked(TunerKind::LpLc);
            break;
        default:
            break;
    }
}

void Form1::MarkTuningStrip(float x, const QColor& color) {
    Picture9->SetDrawWidth(1);
    Picture9->SetForeColor(color);
    Picture9->Line(x, 0, x, 4);
}

void Form1::RetireTuningStrip() {
    Picture10->SetImage(Picture9->image());
}

void Form1::KeepUserFrequency() {
    userFrequency_ = Text8->text();
}

void Form1::RestoreUserFrequency() {
    if (!userFrequency_) return;
    const QString text = *std::exchange(userFrequency_, std::nullopt);
    {
        // At once rather than after the field's pause, in which another sweep could start.
        const QSignalBlocker quiet(Text8);
        Text8->setText(text);
    }
    Text28->setText(text);
    RecalculateIfIdle();
}
