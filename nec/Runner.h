#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <memory>
#include <utility>
#include <vector>

#include "nec/Report.h"

// The Debian package that brings NEC-2, for the menu item's tooltip.
inline constexpr char kNecPackage[] = "nec2c";

// Whether nec2c is found on the PATH.
bool NecAvailable();

// A rod as NEC-2 sees it: nothing else changes its base impedance.
struct NecRod {
    double length_m = 0;
    double diameter_mm = 0;
    // Above 1: the check run at that many times fewer segments.
    int segmentDivisor = 1;
    bool operator==(const NecRod&) const = default;
};

// What a run gave: the base impedance at every frequency of the sweep, or one line for
// the status line that says why there is none.
struct NecOutcome {
    std::vector<NecPoint> points;
    QString fault;  // empty exactly when points holds the whole sweep
};

// Runs nec2c in the background, one rod at a time, each run in a temporary folder of its
// own, and keeps the outcomes per rod: a change of frequency, coil or base capacitance needs
// no new run. The event loop keeps running throughout.
class NecRunner : public QObject {
    Q_OBJECT
public:
    explicit NecRunner(QObject* parent = nullptr);
    ~NecRunner() override;

    // A run that takes longer is ended (10 s unless set).
    void setTimeout(int milliseconds) { timeout_ms_ = milliseconds; }

    // The rod's outcome when it is known (valid until the next request). Otherwise starts a
    // run for it, ending one for another rod, and returns nullptr; finished() follows.
    const NecOutcome* request(const NecRod& rod);
    bool running() const { return run_ != nullptr; }

signals:
    // The run of the last rod requested has ended; request() now gives its outcome.
    void finished();

private:
    struct Run;

    const NecOutcome* Cached(const NecRod& rod) const;
    const NecOutcome* Store(const NecRod& rod, NecOutcome outcome);
    // Faults of the machine, not of the rod: not kept, so that a later request tries again.
    const NecOutcome* Unavailable(const QString& fault);
    void Start(const NecRod& rod, const std::string& deck, const QString& program);
    void Finish(NecOutcome outcome);
    NecOutcome ReadReport() const;
    void Abandon();

    int timeout_ms_ = 10000;
    std::unique_ptr<Run> run_;
    QTimer timer_;
    std::deque<std::pair<NecRod, NecOutcome>> outcomes_;
    NecOutcome unavailable_;
};
