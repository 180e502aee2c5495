// What the status line tells besides problems: the part stress of the selected network after
// each pass, and the diagrams' values under the pointer.
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

QString StressText(Network network, const PartStress& stress, double ptx_W) {
    auto kilovolts = [](double value) {
        return QString::fromStdString(SignificantText(value, 3)) + " kV peak";
    };
    QString text =
        QString("%1 at %2 W: C %3")
            .arg(QString(NetworkName(network)), QString::fromStdString(SignificantText(ptx_W, 6)),
                 kilovolts(stress.vc_kVpk));
    if (HasSecondCapacitor(network)) text += ", C' " + kilovolts(stress.vc2_kVpk);
    return text + ", L " + QString::fromStdString(SignificantText(stress.il_A, 3)) + " A";
}

}  // namespace

void Form1::ShowPartStress() {
    QString note;
    for (std::size_t i = 0; i < networks_.size(); ++i) {
        const Network network = kNetworkBoxes[i].network;
        const QString text =
            partStress_[i] ? StressText(network, *partStress_[i], stressPower_W_) : QString();
        // The box is the parent of its option.
        networks_[i].option->parentWidget()->setToolTip(text);
        if (networks_[i].option->isChecked()) note = text;
    }
    statusLine_->SetNote(StatusLine::Note::PartStress, note);
}

void Form1::ShowModelCoverage(double frequency_MHz) {
    const bool covered = frequency_MHz >= kModelLowest_MHz && frequency_MHz <= kModelHighest_MHz;
    auto number = [](double value) { return QString::fromStdString(SignificantText(value, 6)); };
    statusLine_->SetNote(StatusLine::Note::Coverage,
                         covered ? QString()
                                 : QString("f %1 MHz: the model covers %2 to %3 MHz, results "
                                           "outside are extrapolated")
                                       .arg(number(frequency_MHz), number(kModelLowest_MHz),
                                            number(kModelHighest_MHz)));
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
