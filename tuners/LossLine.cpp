// The tuner's found setting built from real parts.
#include <QLabel>

#include "losses/LossText.h"
#include "tuners/TunerLayout.h"
#include "tuners/TunerWindow.h"
#include "tuners/search/TunerLosses.h"

using namespace tuner_layout;

void TunerWindow::BuildLossLine() {
    lossLine_ = AddLabel(
        "LossLine", QRect(kLeftX, kDesignHeight, kWindowWidth - 2 * kLeftX, kLossLineHeight), "");
}

void TunerWindow::ShowLosses() {
    const LossQ q = host_.lossQ();
    const double ptx_W = host_.transmitterPower_W();
    const std::optional<NetworkPowers> powers = TunedSettingLosses(state_, q, ptx_W);
    if (!powers) return;
    const QString text = QString::fromStdString(TunerLossText(*powers, q, ptx_W));
    lossLine_->setText(text);
    lossLine_->setToolTip(
        "The setting found, built from parts of the Qs set in the main "
        "window's Options > Losses, at its transmitter power: " +
        text);
}
