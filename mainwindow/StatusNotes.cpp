// What the status line tells besides problems: a frequency outside the model's band, the part
// stress of the selected network after each pass (each network's also in its schematic's
// tooltip), and the diagrams' values under the pointer.
#include <QLabel>
#include <QRadioButton>

#include "core/NumberFormat.h"
#include "diagrams/Readout.h"
#include "mainwindow/Form1.h"
#include "mainwindow/NetworkBoxes.h"
#include "mainwindow/StatusLine.h"
#include "platform/PictureBox.h"

namespace {

// The band the antenna model was made for.
constexpr double kModelLowest_MHz = 0.1;
constexpr double kModelHighest_MHz = 30;

QString Digits(double value, int digits) {
    return QString::fromStdString(SignificantText(value, digits));
}

// "HP-CL at 100 W: C 1.23 kV peak, L 4.56 A rms, 0.789 kV peak"
QString StressNote(Network network, const PartStress& stress, double ptx_W) {
    auto kilovolts = [](double value) { return Digits(value, 3) + " kV peak"; };
    QString text =
        QString("%1 at %2 W: C %3")
            .arg(QString(NetworkName(network)), Digits(ptx_W, 6), kilovolts(stress.vc_kVpk));
    if (HasSecondCapacitor(network)) text += ", C' " + kilovolts(stress.vc2_kVpk);
    return text + ", L " + Digits(stress.il_A, 3) + " A rms, " + kilovolts(stress.vl_kVpk);
}

// The same for the schematic's tooltip, with what the figures assume.
QString StressToolTip(Network network, const PartStress& stress, double ptx_W) {
    QString parts = "C_m " + Digits(stress.vc_kVpk, 3) + " kV";
    if (HasSecondCapacitor(network)) parts += ", C'_m " + Digits(stress.vc2_kVpk, 3) + " kV";
    return QString(
               "\n\nWhat its parts must stand at Ptx = %1 W, the network taken as lossless "
               "(voltages peak, currents rms):\n%2; L_m %3 A, %4 kV across it.")
        .arg(Digits(ptx_W, 6), parts, Digits(stress.il_A, 3), Digits(stress.vl_kVpk, 3));
}

}  // namespace

void Form1::ShowPartStress() {
    QString note;
    for (std::size_t i = 0; i < networks_.size(); ++i) {
        const Network network = kNetworkBoxes[i].network;
        const std::optional<PartStress>& stress = partStress_[i];
        const QString text = stress ? StressNote(network, *stress, stressPower_W_) : QString();
        // The schematic covers most of the box: the stress shows where the pointer is.
        networks_[i].picture->setToolTip(
            schematicTips_[i] +
            (stress ? StressToolTip(network, *stress, stressPower_W_) : QString()));
        // The box is the parent of its option.
        networks_[i].option->parentWidget()->setToolTip(text);
        if (networks_[i].option->isChecked()) note = text;
    }
    statusLine_->SetNote(StatusLine::Note::PartStress, note);
    ShowLosses();
}

void Form1::ShowModelCoverage(double frequency_MHz) {
    // A tabulated source says itself where it has values.
    const bool covered = source_->span() ||
                         (frequency_MHz >= kModelLowest_MHz && frequency_MHz <= kModelHighest_MHz);
    statusLine_->SetNote(StatusLine::Note::Coverage,
                         covered ? QString()
                                 : QString("f %1 MHz: the model covers %2 to %3 MHz, results "
                                           "outside are extrapolated")
                                       .arg(Digits(frequency_MHz, 6), Digits(kModelLowest_MHz, 6),
                                            Digits(kModelHighest_MHz, 6)));
}

void Form1::ReadOutSweep(double x) {
    // The frequency as f(MHz) shows it.
    const float f = static_cast<float>(x) / 20;
    statusLine_->ShowReadout(QString::fromStdString(SweepReadout(DiagramInput(), f)));
}

void Form1::ReadOutImpedance(PictureBox* view, double k, QPointF at) {
    // A view's units are k Ohm.
    const QPointF point = view->ToUser(at);
    statusLine_->ShowReadout(
        QString::fromStdString(ImpedanceReadout(point.x() * k, point.y() * k)));
}
