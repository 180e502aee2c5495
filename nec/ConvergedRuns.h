#pragma once

#include <QObject>
#include <QString>
#include <deque>
#include <optional>
#include <utility>

#include "nec/Convergence.h"
#include "nec/Runner.h"

// What a converged run of a rod gave, or one line for the status line why there is none.
struct ConvergedOutcome {
    std::optional<ConvergedNec> run;
    QString fault;
};

// NEC-2 runs of a rod that are close to converged: the sweep at the chosen segmentation, then
// the check at half the segments, one after the other in the background. Each result is kept
// on disk per length, diameter and segmentation, so that a later start (or a machine without
// nec2c) shows it at once.
class ConvergedNecRuns : public QObject {
    Q_OBJECT
public:
    // The cache goes into `cacheFolder`; none: the user's cache location.
    explicit ConvergedNecRuns(const QString& cacheFolder = {}, QObject* parent = nullptr);

    // Each of the two runs that takes longer is ended.
    void setTimeout(int milliseconds) { runner_.setTimeout(milliseconds); }

    // The rod's outcome when it is known (valid until the next request). Otherwise starts or
    // goes on with its runs and returns nullptr; finished() follows.
    const ConvergedOutcome* request(const NecRod& rod);
    // While a request is under way: what is being computed, for the status line.
    QString progressNote() const;

signals:
    // The runs of the last rod requested have ended; request() now gives its outcome.
    void finished();
    // The first run has ended and the check run begun: progressNote() says so.
    void progressed();

private:
    const ConvergedOutcome* Known(const NecRod& rod) const;
    const ConvergedOutcome* Store(const NecRod& rod, ConvergedOutcome outcome);
    std::optional<ConvergedNec> ReadCache(const NecRod& rod, RodSegmentation segmentation) const;
    void WriteCache(const ConvergedNec& run) const;
    void RunFinished();

    NecRunner runner_;
    QString cacheFolder_;
    std::deque<std::pair<NecRod, ConvergedOutcome>> outcomes_;
    std::optional<NecRod> pending_;
    int pendingStep_ = 0;
    int pendingSegments_ = 0;
    ConvergedOutcome fault_;
};
