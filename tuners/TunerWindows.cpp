#include "tuners/TunerWindows.h"

#include "tuners/HpClTuner.h"
#include "tuners/LpTuner.h"
#include "tuners/TunerWindow.h"

TunerWindows::TunerWindows(TunerHost& host) : host_(host) {}

TunerWindows::~TunerWindows() = default;

TunerWindow& TunerWindows::Window(TunerKind kind) {
    std::unique_ptr<TunerWindow>& window = windows_[static_cast<int>(kind)];
    if (!window) {
        switch (kind) {
            case TunerKind::HpCl:
                window = std::make_unique<HpClTuner>(host_, *this);
                break;
            case TunerKind::LpCl:
                window = LpTuner::LpCl(host_, *this);
                break;
            case TunerKind::LpLc:
                window = LpTuner::LpLc(host_, *this);
                break;
        }
    }
    return *window;
}

void TunerWindows::Open(TunerKind kind, const QString& f_MHz,
                        const std::optional<FeedPointTexts>& feed) {
    Window(kind).Open(f_MHz, feed);
}

void TunerWindows::CloseAll() {
    for (const std::unique_ptr<TunerWindow>& window : windows_) {
        if (window && window->isLoaded()) window->close();
    }
}

void TunerWindows::ResetSweepButtons(bool enabled) {
    for (const std::unique_ptr<TunerWindow>& window : windows_) {
        if (window) window->ResetSweepButton(enabled);
    }
}

void TunerWindows::DropSweepResults() {
    for (const std::unique_ptr<TunerWindow>& window : windows_) {
        if (window) window->DropSweepResults();
    }
}

void TunerWindows::SetSweepIdleColours() {
    for (const std::unique_ptr<TunerWindow>& window : windows_) {
        if (window) window->SetSweepIdleColour();
    }
}

bool TunerWindows::Busy() const {
    if (sweeping_) return true;
    for (const std::unique_ptr<TunerWindow>& window : windows_) {
        if (window && window->searching()) return true;
    }
    return false;
}
