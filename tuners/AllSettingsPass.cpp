#include "tuners/AllSettingsPass.h"

#include <QMetaObject>
#include <QObject>
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
    Stop();
    const uint64_t pass = pass_;
    // Runs `hand` on the receiver's thread, unless this pass was stopped meanwhile.
    auto handBack = [this, pass](std::function<void()> hand) {
        QMetaObject::invokeMethod(
            receiver_,
            [this, pass, hand = std::move(hand)] {
                if (pass == pass_) hand();
            },
            Qt::QueuedConnection);
    };
    worker_ = std::jthread([kind, budgetSeconds, progress, finished, handBack,
                            rows = std::move(rows)](std::stop_token stop) mutable {
        // The clock is read every so many rows of settings: reading it costs a system call.
        const double start = ThreadSeconds();
        int asked = 0;
        bool spent = false;
        const StopRequest enough = [&] {
            if (!spent && asked++ % 64 == 0) spent = ThreadSeconds() - start >= budgetSeconds;
            return spent || stop.stop_requested();
        };
        const int total = static_cast<int>(rows.size());
        int compared = 0;
        for (SweepTuneRow& row : rows) {
            if (!CompareWithAllSettings(kind, row, enough)) break;
            ++compared;
            handBack([progress, compared, total] { progress(compared, total); });
        }
        if (stop.stop_requested()) return;
        auto done = std::make_shared<std::vector<SweepTuneRow>>(std::move(rows));
        handBack([finished, done, complete = compared == total] {
            finished(std::move(*done), complete);
        });
    });
}

void AllSettingsPass::Stop() {
    ++pass_;
    if (worker_.joinable()) {
        worker_.request_stop();
        worker_.join();
    }
}
