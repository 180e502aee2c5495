#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "tuners/TunerHost.h"
#include "tuners/search/TunerSearch.h"

class TunerWindow;

// The three tuner windows. They are created on first use and live as long as the main
// window: closing one only hides it, so a handler still running inside it (a search, a
// sweep) never meets a deleted window, and the next showing starts afresh.
class TunerWindows {
public:
    explicit TunerWindows(TunerHost& host);
    ~TunerWindows();

    // Shows the window (loading it first when it is not open) and hands over the main
    // window's frequency, R_f and X_f texts.
    void Open(TunerKind kind, const QString& f_MHz, const std::optional<FeedPointTexts>& feed);
    // Closes HP-CL, LP-CL and LP-LC in that order; a window that is not open is left alone.
    void CloseAll();
    // The SWEEP buttons go idle: idle colour, caption "SWEEP", enabled or not.
    void ResetSweepButtons(bool enabled);

    // The window of a tuner, created (hidden) on first use.
    TunerWindow& Window(TunerKind kind);
    // A sweep starts: every window drops its last sweep's results.
    void DropSweepResults();
    // A sweep that reached its end leaves every SWEEP button in the idle colour.
    void SetSweepIdleColours();
    // A sweep or a search is on the stack; no sweep may start then.
    bool Busy() const;
    void SetSweeping(bool sweeping) { sweeping_ = sweeping; }

private:
    TunerHost& host_;
    std::unique_ptr<TunerWindow> windows_[3];
    bool sweeping_ = false;
};
