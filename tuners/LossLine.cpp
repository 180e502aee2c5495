// The tuner's found setting built from real parts.
#include "losses/LossText.h"
#include "tuners/TunerWindow.h"
#include "tuners/search/TunerLosses.h"

void TunerWindow::ShowLosses() {
    const LossQ q = host_.lossQ();
    const double ptx_W = host_.transmitterPower_W();
    if (const std::optional<NetworkPowers> powers = TunedSettingLosses(state_, q, ptx_W)) {
        ShowStatus(QString::fromStdString(TunerLossText(*powers, q, ptx_W)));
    }
}
