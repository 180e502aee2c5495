// The comparison with NEC-2: a switch in the View menu. While it is on, every redraw shows
// NEC-2's feed point beside the model's; nec2c runs in the background once per rod, and a
// change of anything but the rod only redoes the arithmetic.
#include <QAction>
#include <QMenu>

#include "core/NumberFormat.h"
#include "diagrams/NecOverlay.h"
#include "mainwindow/Form1.h"
#include "mainwindow/StatusLine.h"
#include "nec/ConvergedRuns.h"

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

ConvergedNecRuns& Form1::NecRuns() {
    if (!necRuns_) {
        necRuns_ = std::make_unique<ConvergedNecRuns>();
        connect(necRuns_.get(), &ConvergedNecRuns::progressed, this, [this] {
            const QString note = necRuns_->progressNote();
            if (antennaChoice_ == AntennaChoice::Nec2 && !necSourceRod_) {
                necState_ = note;
                statusLine_->SetNote(StatusLine::Note::Source, note);
            }
            if (necSwitch_->isChecked()) statusLine_->SetNote(StatusLine::Note::Nec, note);
        });
        connect(necRuns_.get(), &ConvergedNecRuns::finished, this, [this] {
            // The pass redraws, the comparison with it.
            if (antennaChoice_ == AntennaChoice::Nec2) {
                RecalculateIfIdle();
            } else if (necSwitch_->isChecked()) {
                QueueRedraw();
            }
        });
    }
    necRuns_->setTimeout(necTimeout_ms);
    return *necRuns_;
}

void Form1::DrawNecComparison(const SweepDiagramInput& input, const ImpedanceViews& views) {
    const AntennaInput& antenna = input.antenna;
    // The same converged run as the NEC-2 source's.
    const ConvergedOutcome* outcome = NecRuns().request({antenna.length_m, antenna.diameter_mm});
    QString note;
    if (!outcome) {
        note = NecRuns().progressNote();
    } else if (!outcome->run) {
        note = outcome->fault;
    } else {
        const std::vector<NecPoint>& points = outcome->run->points;
        const std::vector<NecComparisonRow> rows = CompareWithModel(points, antenna);
        DrawNecCurves(*Picture1, input, rows);
        if (input.impedancePlane) PlotNecLocus(views, rows);
        const NecPoint* at = NearestNecPoint(points, input.operating_MHz);
        note = at ? QString::fromStdString(ComparisonStatusLine(rows[at - points.data()]))
                  : QString("NEC-2: nothing at %1 MHz, its sweep is 0.1 to 30 MHz")
                        .arg(Number(input.operating_MHz));
    }
    statusLine_->SetNote(StatusLine::Note::Nec, note);
}
