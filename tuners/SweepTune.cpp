// SWEEP: the button of each tuner window and the sweep they share.
#include "tuners/SweepTune.h"

#include <QPushButton>
#include <chrono>
#include <optional>
#include <vector>

#include "core/NumberText.h"
#include "platform/BackColor.h"
#include "platform/Colors.h"
#include "platform/EventLoop.h"
#include "tuners/TunerHost.h"
#include "tuners/TunerWindow.h"
#include "tuners/TunerWindows.h"
#include "tuners/search/SweepTuneRows.h"

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

// One tuning of the sweep and what the tuner shows after it. When the tuner window is
// closed on the way (which also stops the sweep), the rest of the step is skipped: there
// is nothing left to tune or mark; nor is a run that TUNE refused marked.
std::optional<SweepTuneRow> TuneAt(const SweepTunePoint& point, TunerKind kind, TunerHost& host,
                                   TunerWindows& tuners) {
    host.SchematicClicked(kind);
    Yield();
    TunerWindow& window = tuners.Window(kind);
    if (!window.isLoaded()) return std::nullopt;
    window.Command1_Click();
    Yield();
    if (!window.isLoaded()) return std::nullopt;
    if (window.tuneIdle() && window.tuned()) {
        host.MarkTuningStrip(static_cast<float>(point.f * 600 / 30), window.indicatorColour());
    }
    return RowOf(window.tuning(), ParseLeadingNumber(point.text), host.lossQ(),
                 host.transmitterPower_W());
}

}  // namespace

void sweeptune(int16_t& code, TunerHost& host, TunerWindows& tuners) {
    const SweepInProgress running(tuners);
    const auto started = std::chrono::steady_clock::now();
    const std::vector<SweepTunePoint> points = SweepTunePoints();
    std::optional<TunerKind> tuned;
    std::vector<SweepTuneRow> rows;
    for (const SweepTunePoint& point : points) {
        if (host.impedancePlaneMode()) code = 0;
        if (code == 0) {
            tuners.CloseAll();
            return;
        }
        host.SetFrequencyText(QString::fromStdString(point.text));
        for (const SweepTarget& target : kTargets) {
            if (code != target.code) continue;
            tuned = target.kind;
            if (std::optional<SweepTuneRow> row = TuneAt(point, target.kind, host, tuners)) {
                rows.push_back(std::move(*row));
            }
        }
    }
    tuners.SetSweepIdleColours();
    // A window closed during the last step has no whole sweep to show.
    if (!tuned || rows.size() != points.size() || !tuners.Window(*tuned).isLoaded()) return;
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    tuners.Window(*tuned).SweepFinished(std::move(rows), took.count());
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
    all_.DropSweepResults();
    SetBackColor(Command32, kSweepRunning);
    SweepStarting();
    host_.KeepUserFrequency();
    sweeptune(sweepCode, host_, all_);
    host_.RestoreUserFrequency();
}
