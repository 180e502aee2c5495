// What each control the three tuner windows share shows and how it is used, in its tooltip;
// the bank fields are explained where each window builds them.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/PictureBox.h"
#include "platform/Shape.h"
#include "tuners/TunerWindow.h"

void TunerWindow::SetToolTips() {
    const QString typedIn =
        "\nTaken over from the main window when it opens the tuner; a value "
        "typed in is tuned as it stands.";
    Text1->setToolTip("Frequency f in MHz at which TUNE matches the antenna." + typedIn);
    Text2->setToolTip("Antenna feed-point resistance R_f in Ohm." + typedIn);
    Text3->setToolTip("Antenna feed-point reactance X_f in Ohm." + typedIn);
    findChild<PictureBox*>("Picture1")
        ->setToolTip(
            QString("The tuner's network: %1. The transmitter (TRX, 50 Ohm) is on the left.")
                .arg(looks_.networkTip));
    Text15->setToolTip(
        "Switching operations per second of the simulated tuner (1/s): the tuning time is the "
        "operations over this rate.");
    Command1->setToolTip(
        "Searches the bank settings for the lowest SWR of the antenna above, counting every "
        "setting tried as one switching operation. Reads \"...\" while it searches.");
    Shape1->setToolTip(QString("SWR lamp: red while TUNE searches, then %1, by the best SWR "
                               "found so far.")
                           .arg(looks_.lampTip));
    Text16->setToolTip("Best SWR when the coarse search ended, rounded down to 0.01.");
    Text17->setToolTip(
        "Capacitance of the coarse search's best setting in pF: its index times the first "
        "capacitor.");
    Text18->setToolTip(QString::fromUtf8(
        "Inductance of the coarse search's best setting in \u00b5H: its index times the first "
        "inductor."));
    const QString last = "\nOnce TUNE has ended: the best setting it found.";
    Text10->setToolTip("Capacitance of the setting evaluated last, in pF." + last);
    Text11->setToolTip(QString::fromUtf8("Inductance of the setting evaluated last, in \u00b5H.") +
                       last);
    Text12->setToolTip(
        "SWR of the setting evaluated last against 50 Ohm, rounded down to 0.01; "
        "9999: no match." +
        last);
    Text13->setToolTip("Switching operations: the settings evaluated since TUNE started.");
    Text14->setToolTip(
        "Tuning time in s that a real tuner would need: the operations over the rate.");
    Command32->setToolTip(
        "Tunes the main window's network at every 0.1 MHz from 0.1 to 29.9 MHz and marks each "
        "result in the colour of the lamp on the strip above the sweep diagram. Click again, "
        "or close a tuner window, to stop; the main window's frequency then comes back.");
    statusLine_->setToolTip(
        "Why a TUNE or SWEEP was refused, or a settings file could not be read or written.");
}
