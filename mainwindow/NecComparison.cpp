// The comparison with NEC-2: a switch in the View menu. While it is on, every redraw shows
// NEC-2's feed point beside the model's; nec2c runs in the background once per rod, and a
// change of anything but the rod only redoes the arithmetic.
#include <QAction>
#include <QMenu>

#include "core/NumberFormat.h"
#include "diagrams/NecOverlay.h"
#include "mainwindow/Form1.h"
#include "mainwindow/StatusLine.h"
#include "nec/Runner.h"

namespace {

QString Number(double value) {
    return QString::fromStdString(ShortestText(value));
}

}  // namespace

void Form1::BuildNecSwitch(QMenu& menu) {
    necSwitch_ = menu.addAction("Compare with NEC-2");
    necSwitch_->setObjectName("NecCompare");
    necSwitch_->setCheckable(true);
    // F7 is free in every field; Ctrl+K there deletes to the end of the line.
    necSwitch_->setShortcut(Qt::Key_F7);
    menu.setToolTipsVisible(true);
    UpdateNecAvailability();
    // nec2c may be installed or removed while the program runs.
    connect(&menu, &QMenu::aboutToShow, this, &Form1::UpdateNecAvailability);
    connect(necSwitch_, &QAction::toggled, this, &Form1::NecSwitchToggled);
}

void Form1::UpdateNecAvailability() {
    const bool available = NecAvailable();
    // A switch left on stays at hand, so that it can be turned off.
    necSwitch_->setEnabled(available || necSwitch_->isChecked());
    necSwitch_->setToolTip(
        available ? "NEC-2's R_f and X_f beside the model's, computed by nec2c"
                  : QString("Needs NEC-2: install the Debian package %1").arg(kNecPackage));
}

void Form1::NecSwitchToggled(bool on) {
    if (!on) statusLine_->SetNote(StatusLine::Note::Nec, {});
    UpdateNecAvailability();
    DrawSweepDiagram();
}

NecRunner& Form1::NecProcess() {
    if (!necRunner_) {
        necRunner_ = std::make_unique<NecRunner>();
        connect(necRunner_.get(), &NecRunner::finished, this, [this] {
            if (necSwitch_->isChecked()) QueueRedraw();
        });
    }
    necRunner_->setTimeout(necTimeout_ms);
    return *necRunner_;
}

void Form1::DrawNecComparison(const SweepDiagramInput& input, const ImpedanceViews& views) {
    const AntennaInput& antenna = input.antenna;
    const NecOutcome* outcome = NecProcess().request({antenna.length_m, antenna.diameter_mm});
    QString note;
    if (!outcome) {
        note = QString("NEC-2: computing the rod of %1 m, %2 mm ...")
                   .arg(Number(antenna.length_m), Number(antenna.diameter_mm));
    } else if (!outcome->fault.isEmpty()) {
        note = outcome->fault;
    } else {
        const std::vector<NecComparisonRow> rows = CompareWithModel(outcome->points, antenna);
        DrawNecCurves(*Picture1, input, rows);
        if (input.impedancePlane) PlotNecLocus(views, rows);
        const NecPoint* at = NearestNecPoint(outcome->points, input.operating_MHz);
        note = at ? QString::fromStdString(ComparisonStatusLine(rows[at - outcome->points.data()]))
                  : QString("NEC-2: nothing at %1 MHz, its sweep is 0.1 to 30 MHz")
                        .arg(Number(input.operating_MHz));
    }
    statusLine_->SetNote(StatusLine::Note::Nec, note);
}
