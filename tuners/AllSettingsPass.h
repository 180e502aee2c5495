#pragma once

#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "tuners/search/SweepTuneRows.h"

class QObject;

// Compares a finished sweep's searches with every setting of their banks on a worker
// thread that works on its own copy of the rows, so the window stays responsive. Progress
// and the result come back through the event loop of `receiver`'s thread. The pass spends
// at most its budget of processor time; rows it has not compared by then keep no best.
class AllSettingsPass {
public:
    using Progress = std::function<void(int compared, int total)>;
    using Finished = std::function<void(std::vector<SweepTuneRow> rows, bool complete)>;

    explicit AllSettingsPass(QObject* receiver) : receiver_(receiver) {}

    // Stops a pass that still runs, then starts this one.
    void Start(TunerKind kind, std::vector<SweepTuneRow> rows, double budgetSeconds,
               Progress progress, Finished finished);
    // Nothing of a running pass is handed back any more.
    void Stop();

private:
    QObject* receiver_;
    // Counts the passes on the receiver's thread; what an earlier one hands back is dropped.
    uint64_t pass_ = 0;
    // Last, so that it is stopped and joined before the rest goes.
    std::jthread worker_;
};
