#include "tuners/AllSettingsPass.h"

#include <ctime>
#include <memory>

namespace {

// Processor time of the calling thread: time it waited for a core does not count.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

}  // namespace

void AllSettingsPass::Start(TunerKind kind, std::vector<SweepTuneRow> rows, double budgetSeconds,
                            Progress progress, Finished finished) {
    auto shared = std::make_shared<std::vector<SweepTuneRow>>(std::move(rows));
    worker_.Start([kind, budgetSeconds, progress, finished, shared](
                      std::stop_token stop, const WorkerThread::HandBack& handBack) {
        // The clock is read every so many rows of settings: reading it costs a system call.
        const double start = ThreadSeconds();
        int asked = 0;
        bool spent = false;
        const StopRequest enough = [&] {
            if (!spent && asked++ % 64 == 0) spent = ThreadSeconds() - start >= budgetSeconds;
            return spent || stop.stop_requested();
        };
        std::vector<SweepTuneRow>& rows = *shared;
        const int total = static_cast<int>(rows.size());
        int compared = 0;
        for (SweepTuneRow& row : rows) {
            if (!CompareWithAllSettings(kind, row, enough)) break;
            ++compared;
            handBack([progress, compared, total] { progress(compared, total); });
        }
        if (stop.stop_requested()) return;
        handBack([finished, shared, complete = compared == total] {
            finished(std::move(*shared), complete);
        });
    });
}

void AllSettingsPass::Stop() {
    worker_.Cancel();
}
