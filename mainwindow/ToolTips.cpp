// What each control of the main window shows and what its colours say, in its tooltip.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <iterator>

#include "mainwindow/CurveColumns.h"
#include "mainwindow/Form1.h"
#include "mainwindow/InputFields.h"
#include "mainwindow/NetworkBoxes.h"
#include "platform/PictureBox.h"

namespace {

const QString kAntennaRed =
    "\nRed: the last calculation failed (for example at a frequency of 0); the value is from "
    "an earlier one.";
const QString kNetworkRed =
    "\nRed: outside the matching limits Cmin, Cmax and Lmax, or the last calculation failed "
    "(then the antenna fields are red too). Red and empty: this network has no solution here.";

QString InputToolTip(const InputFieldSpec& spec) {
    const QString quantity = QString::fromUtf8(spec.quantity);
    return QString("%1%2, %3 to %4.\n\"+\" and \"-\" step it by %5 within that range.")
        .arg(quantity.left(1).toUpper(), quantity.mid(1), QString::number(spec.lower),
             QString::number(spec.upper), QString::number(spec.step));
}

struct ResultTip {
    const char* field;
    const char* text;
};

constexpr ResultTip kResultTips[] = {
    {"Text3", "Characteristic impedance Zlc of the rod, in Ohm."},
    {"Text7", "Slenderness l'/D of the rod: its corrected length over its diameter."},
    {"Text5", "Feed-point resistance R_f in Ohm, with the antenna and earth loss."},
    {"Text6",
     "Feed-point reactance X_f in Ohm.\nClick to show it as the capacitor (pF) or inductor "
     "(\u00b5H) of the same reactance; click again for Ohm."},
    {"Text9", "Magnitude of the feed-point impedance Z_f, in Ohm."},
    {"Text15", "Standing-wave ratio SWR_f at the feed point against 50 Ohm."},
    {"Text44", "Feed-point voltage U_f at the transmitter power, in V."},
    {"Text10", "Radiation efficiency eta_f, in % or dB."},
    {"Text42", "Overall efficiency eta_tot with the matching loss, in % or dB."},
};

// The elements of each network from the transmitter to the antenna, in box order.
constexpr const char* kSchematics[] = {
    "series C, shunt L",
    "shunt L, series C",
    "series C, shunt L, series C' (differential capacitor)",
    "shunt C, series L",
    "series L, shunt C",
    "shunt C, series L, shunt C' (pi-filter)",
};

// What each curve column shows, in the order of kCurveColumns.
constexpr const char* kCurves[] = {
    "feed-point resistance R_f",
    "feed-point reactance |X_f| (orange: positive, blue: negative)",
    "feed-point impedance Z_f",
    "standing-wave ratio SWR_f",
    "feed-point voltage U_f",
    "radiation efficiency eta_f in %",
    "capacitors C_m and C'_m (dotted) of the selected network",
    "inductor L_m of the selected network",
    "overall efficiency eta_tot in %",
};
static_assert(std::size(kCurves) == kCurveColumns.size());

}  // namespace

void Form1::SetToolTips() {
    for (std::size_t i = 0; i < kInputFields.size(); ++i) {
        inputs_[i]->setToolTip(InputToolTip(kInputFields[i]));
    }
    for (std::size_t i = 0; i < markers_.size(); ++i) {
        markers_[i]->setToolTip(
            QString("Frequency marker %1 in MHz, a brown line in the sweep diagram while SHOW is "
                    "on.")
                .arg(i));
    }
    Check6->setToolTip("Shows the ten frequency markers in the sweep diagram.");
    for (const ResultTip& tip : kResultTips) {
        findChild<QLineEdit*>(tip.field)->setToolTip(QString::fromUtf8(tip.text) + kAntennaRed);
    }

    for (std::size_t i = 0; i < kNetworkBoxes.size(); ++i) {
        const NetworkBoxSpec& spec = kNetworkBoxes[i];
        const NetworkControls& controls = networks_[i];
        const QString name = QString(spec.caption).trimmed().section(' ', 0, 0);
        QString schematic =
            QString("%1: %2, from the transmitter to the antenna.").arg(name, kSchematics[i]);
        if (spec.network == Network::HpCl || spec.network == Network::LpCl ||
            spec.network == Network::LpLc) {
            schematic += QString("\nWhile %1 is selected, a click opens its tuner.").arg(name);
        }
        schematicTips_[i] = schematic;
        controls.picture->setToolTip(schematic);
        controls.option->setToolTip(
            QString("Selects %1: its values are drawn in the diagrams.").arg(name));
        controls.c->setToolTip(QString("C_m of %1 in pF.").arg(name) + kNetworkRed);
        if (controls.c2)
            controls.c2->setToolTip(QString("C'_m of %1 in pF.").arg(name) + kNetworkRed);
        controls.l->setToolTip(QString::fromUtf8("L_m of %1 in \u00b5H.").arg(name) + kNetworkRed);
    }

    for (std::size_t i = 0; i < kCurveColumns.size(); ++i) {
        const QString curve = kCurves[i];
        curveChecks_[kCurveColumns[i].check - 1]->setToolTip(QString("Shows the %1.").arg(curve));
        rangeButtons_[i]->setToolTip(
            QString("Full scale of the %1; click for the next range.").arg(curve));
    }
    Picture1->setToolTip(
        "Sweep diagram from 0 to 30 MHz. Click to set the frequency; the frequency under the "
        "pointer shows in f(MHz) above.");
    Text28->setToolTip(
        "Frequency under the pointer in the sweep diagram, in MHz; the set frequency elsewhere.");
    Picture9->setToolTip(
        "Last sweep-tune: one mark per frequency in the colour of the tuner's SWR lamp.");
    Picture10->setToolTip("The sweep-tune before the last one.");
    Picture5_1->setToolTip(
        "Impedance plane, R and X in Ohm: the antenna's locus, the region the selected network "
        "cannot match and its matching path at the set frequency.");
    Picture5_10->setToolTip("The impedance plane at ten times the scale.");
}
