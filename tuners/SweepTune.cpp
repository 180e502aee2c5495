// SWEEP: the button of each tuner window and the sweep they share.
#include "tuners/SweepTune.h"

#include <QPushButton>
#include <cmath>

#include "platform/BackColor.h"
#include "platform/Colors.h"
#include "platform/EventLoop.h"
#include "platform/FieldText.h"
#include "tuners/TunerHost.h"
#include "tuners/TunerWindow.h"
#include "tuners/TunerWindows.h"

namespace {

struct SweepTarget {
    int16_t code;
    TunerKind kind;
    Network network;
};

// Tested in this order; the network is the main window's choice, not the clicked window's.
constexpr SweepTarget kTargets[] = {
    {1, TunerKind::HpCl, Network::HpCl},
    {4, TunerKind::LpCl, Network::LpCl},
    {5, TunerKind::LpLc, Network::LpLc},
};

int16_t SweepCodeOf(Network network) {
    int16_t code = 0;
    for (const SweepTarget& target : kTargets) {
        if (network == target.network) code = target.code;
    }
    return code;
}

// Marks the sweep as running for as long as it is on the stack.
class SweepInProgress {
public:
    explicit SweepInProgress(TunerWindows& tuners) : tuners_(tuners) { tuners_.SetSweeping(true); }
    ~SweepInProgress() { tuners_.SetSweeping(false); }
    SweepInProgress(const SweepInProgress&) = delete;
    SweepInProgress& operator=(const SweepInProgress&) = delete;

private:
    TunerWindows& tuners_;
};

// One tuning of the sweep. When the tuner window is closed on the way (which also stops
// the sweep), the rest of the step is skipped: there is nothing left to tune or mark; nor
// is a run that TUNE refused marked.
void TuneAt(double f, TunerKind kind, TunerHost& host, TunerWindows& tuners) {
    host.SchematicClicked(kind);
    Yield();
    TunerWindow& window = tuners.Window(kind);
    if (!window.isLoaded()) return;
    window.Command1_Click();
    Yield();
    if (!window.isLoaded()) return;
    if (window.tuneIdle() && window.tuned()) {
        host.MarkTuningStrip(static_cast<float>(f * 600 / 30), window.indicatorColour());
    }
}

}  // namespace

void sweeptune(int16_t& code, TunerHost& host, TunerWindows& tuners) {
    const SweepInProgress running(tuners);
    // Repeated addition: after 299 steps f lies just above 30, so 30 MHz is not tuned.
    for (double f = 0.1; f <= 30; f += 0.1) {
        if (host.impedancePlaneMode()) code = 0;
        if (code == 0) {
            tuners.CloseAll();
            return;
        }
        // Adding 1e-5 before rounding down shows a sum just below a tenth as that tenth.
        host.SetFrequencyText(FieldText(std::floor((f + 1e-5) * 100) / 100));
        for (const SweepTarget& target : kTargets) {
            if (code == target.code) TuneAt(f, target.kind, host, tuners);
        }
    }
    tuners.SetSweepIdleColours();
}

void TunerWindow::Command32_Click() {
    sweepCode = 0;
    if (BackColor(Command32) == kSweepRunning || host_.impedancePlaneMode()) {
        SetSweepIdleColour();
        Command32->setText("SWEEP");
        all_.CloseAll();
        return;
    }
    if (BackColor(Command32) != colors::kInput) return;
    // Sweeps do not nest: a second one would drive the same main window.
    if (all_.Busy()) {
        ShowStatus("SWEEP refused: a tuning or a sweep is already running.");
        return;
    }
    host_.RetireTuningStrip();
    sweepCode = SweepCodeOf(host_.selectedNetwork());
    if (sweepCode == 0) return;
    SetBackColor(Command32, kSweepRunning);
    SweepStarting();
    sweeptune(sweepCode, host_, all_);
}
