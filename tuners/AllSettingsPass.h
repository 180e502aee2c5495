#pragma once

#include <functional>
#include <vector>

#include "platform/WorkerThread.h"
#include "tuners/search/SweepTuneRows.h"

// Compares a finished sweep's searches with every setting of their banks on a worker
// thread that works on its own copy of the rows, so the window stays responsive. Progress
// and the result come back through the event loop of `receiver`'s thread. The pass spends
// at most its budget of processor time; rows it has not compared by then keep no best.
class AllSettingsPass {
public:
    using Progress = std::function<void(int compared, int total)>;
    using Finished = std::function<void(std::vector<SweepTuneRow> rows, bool complete)>;

    explicit AllSettingsPass(QObject* receiver) : worker_(receiver) {}

    // Stops a pass that still runs, then starts this one.
    void Start(TunerKind kind, std::vector<SweepTuneRow> rows, double budgetSeconds,
               Progress progress, Finished finished);
    // Nothing of a running pass is handed back any more.
    void Stop();

private:
    WorkerThread worker_;
};
