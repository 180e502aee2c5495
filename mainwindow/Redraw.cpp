// The main window's side of the diagrams: it gathers their input from the controls.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "diagrams/ImpedancePlane.h"
#include "diagrams/SweepDiagram.h"
#include "mainwindow/CurveColumns.h"
#include "mainwindow/Form1.h"
#include "mainwindow/NetworkBoxes.h"
#include "platform/FieldText.h"
#include "platform/PictureBox.h"

SweepDiagramInput Form1::DiagramInput() const {
    SweepDiagramInput input;
    input.impedancePlane = impedancePlaneMode();
    for (std::size_t i = 0; i < kCurveColumns.size(); ++i) {
        input.range[i] = RangeValue(rangeButtons_[i]->text().toStdString());
        input.shown[i] = curveChecks_[kCurveColumns[i].check - 1]->isChecked();
    }
    input.markersShown = Check6->isChecked();
    for (std::size_t i = 0; i < markers_.size(); ++i)
        input.markers_MHz[i] = FieldValue(markers_[i]);
    input.operating_MHz = FieldValue(Text8);
    input.source = source_.get();
    input.antenna = ReadAntennaInput();
    input.network = selectedNetwork();
    input.limits = limits_;
    return input;
}

void Form1::DrawSweepDiagram() {
    Picture5_1->Clear();
    Picture5_10->Clear();

    const SweepDiagramInput input = DiagramInput();
    const ImpedanceViews views{*Picture5_1, *Picture5_10};
    LocusPoint locus;
    if (input.impedancePlane) {
        DrawImpedanceGrid(views, input.network);
        locus = [&views](double r, double x, double f_Hz) {
            return PlotLocusPoint(views, r, x, f_Hz);
        };
    }
    const bool completed = ::DrawSweepDiagram(*Picture1, input, locus);
    // Below the matching path, which the inner pass draws last.
    if (necSwitch_->isChecked()) DrawNecComparison(input, views);
    // In R/X mode one more pass draws the matching path on the fresh background.
    if (completed && input.impedancePlane && redrawSuppressed_ == 0) {
        redrawSuppressed_ = 1;
        Recalculate();
        // A pass that ends at a fault leaves the flag set, which would keep every later
        // redraw away and let the next pass draw its path over this background.
        redrawSuppressed_ = 0;
    }
}

void Form1::QueueRedraw() {
    if (redrawQueued_) return;
    redrawQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            redrawQueued_ = false;
            DrawSweepDiagram();
        },
        Qt::QueuedConnection);
}

Form1::Pictures Form1::DrawPictures(Network network, qreal ratio) {
    for (PictureBox* picture : {Picture1, Picture5_1, Picture5_10}) picture->SetPixelRatio(ratio);
    for (std::size_t i = 0; i < kNetworkBoxes.size(); ++i) {
        if (kNetworkBoxes[i].network == network) networks_[i].option->setChecked(true);
    }
    ApplyNetworkLabelColours();
    Pictures pictures;
    // The views first: a redraw in sweep mode clears them.
    Option8->setChecked(true);
    DrawSweepDiagram();
    pictures.fine = Picture5_1->image();
    pictures.coarse = Picture5_10->image();
    Option7->setChecked(true);
    DrawSweepDiagram();
    pictures.sweep = Picture1->image();
    return pictures;
}
