// Network, diagram type, efficiency unit, curve switches, ranges and the mouse over the
// sweep diagram.
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/NumberText.h"
#include "mainwindow/CurveColumns.h"
#include "mainwindow/Form1.h"
#include "mainwindow/StatusLine.h"
#include "platform/EventLoop.h"
#include "platform/PictureBox.h"
#include "tuners/TunerWindows.h"

void Form1::ConnectSelectionHandlers() {
    for (std::size_t i = 0; i < networks_.size(); ++i) {
        connect(networks_[i].option, &QRadioButton::clicked, this,
                [this, i] { NetworkOptionClicked(i); });
    }
    connect(Option7, &QRadioButton::clicked, this, [this] { DiagramTypeClicked(); });
    connect(Option8, &QRadioButton::clicked, this, [this] { DiagramTypeClicked(); });
    connect(Option12, &QRadioButton::clicked, this, [this] { EfficiencyUnitClicked(Option12); });
    connect(Option13, &QRadioButton::clicked, this, [this] { EfficiencyUnitClicked(Option13); });
    for (QCheckBox* check : curveChecks_) {
        connect(check, &QCheckBox::toggled, this, [this] {
            Picture1->setFocus();
            DrawSweepDiagram();
        });
    }
    for (std::size_t i = 0; i < rangeButtons_.size(); ++i) {
        connect(rangeButtons_[i], &QPushButton::clicked, this,
                [this, i] { RangeButtonClicked(i); });
    }
    const std::pair<std::size_t, TunerKind> schematics[] = {
        {0, TunerKind::HpCl}, {3, TunerKind::LpCl}, {4, TunerKind::LpLc}};
    for (const auto& [index, kind] : schematics) {
        connect(networks_[index].picture, &PictureBox::clicked, this,
                [this, kind = kind] { SchematicClicked(kind); });
    }
    connect(Picture1, &PictureBox::mousePressed, this,
            [this](QPointF at) { DiagramPressed(at.x()); });
    connect(Picture1, &PictureBox::mouseMoved, this,
            [this](QPointF at) { DiagramHovered(at.x()); });
    for (const auto& [view, k] : {std::pair{Picture5_1, 1.0}, std::pair{Picture5_10, 10.0}}) {
        view->setMouseTracking(true);
        connect(view, &PictureBox::mouseMoved, this,
                [this, view = view, k = k](QPointF at) { ReadOutImpedance(view, k, at); });
    }
    for (PictureBox* picture : {Picture1, Picture5_1, Picture5_10}) {
        connect(picture, &PictureBox::pointerLeft, this, [this] { statusLine_->EndReadout(); });
    }
    for (PictureBox* picture : {Picture1, Picture5_1, Picture5_10}) {
        connect(picture, &PictureBox::pixelRatioChanged, this, [this] { QueueRedraw(); });
    }
}

void Form1::NetworkOptionClicked(std::size_t index) {
    if (networks_[index].option->isChecked()) ApplyNetworkLabelColours();
    ShowPartStress();
    Yield();
    tuners_->CloseAll();
    Yield();
    RetireTuningStrip();
    Picture1->setFocus();
    DrawSweepDiagram();
    emit resultsChanged();
}

void Form1::DiagramTypeClicked() {
    const bool impedancePlane = Option8->isChecked();
    // A sweep needs the sweep diagram: R/X mode disables the SWEEP buttons and closes the
    // tuner windows.
    tuners_->ResetSweepButtons(!impedancePlane);
    if (impedancePlane) tuners_->CloseAll();
    Frame2->setVisible(impedancePlane);
    for (QLineEdit* marker : markers_) marker->setEnabled(!impedancePlane);
    Check6->setEnabled(!impedancePlane);
    Yield();
    RecalculateIfIdle();
}

void Form1::EfficiencyUnitClicked(QRadioButton* option) {
    Yield();
    if (option->isChecked()) {
        ApplyEfficiencyUnitCaptions();
        Recalculate();
    }
    Picture1->setFocus();
}

void Form1::ApplyEfficiencyUnitCaptions() {
    const bool decibel = Option13->isChecked();
    Label10->setText(decibel ? "eta_f (dB)" : "eta_f (%)");
    Label88->setText(decibel ? "eta_tot dB" : "eta_tot (%)");
}

void Form1::RangeButtonClicked(std::size_t column) {
    QPushButton* button = rangeButtons_[column];
    const auto& cycle = kCurveColumns[column].cycle;
    for (std::size_t i = 0; i < cycle.size(); ++i) {
        if (button->text() == cycle[i]) {
            button->setText(cycle[(i + 1) % cycle.size()]);
            break;
        }
    }
    Yield();
    Picture1->setFocus();
    DrawSweepDiagram();
}

void Form1::DiagramPressed(double x) {
    float f = static_cast<float>(x) / 20;
    if (f < 0.1f) f = 0.1f;
    if (f > 30) f = 30;
    Text8->setText(QString::fromStdString(FormatFieldSingle(f)));
}

void Form1::DiagramHovered(double x) {
    Text28->setText(QString::fromStdString(FormatTwoByTwo(static_cast<float>(x) / 20)));
    ReadOutSweep(x);
}
