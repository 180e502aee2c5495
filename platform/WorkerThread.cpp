#include "platform/WorkerThread.h"

#include <QMetaObject>
#include <QObject>

void WorkerThread::Start(Work work) {
    Cancel();
    const uint64_t current = work_;
    HandBack handBack = [this, current](std::function<void()> step) {
        QMetaObject::invokeMethod(
            receiver_,
            [this, current, step = std::move(step)] {
                if (current == work_) step();
            },
            Qt::QueuedConnection);
    };
    thread_ = std::jthread([work = std::move(work), handBack = std::move(handBack)](
                               std::stop_token stop) { work(stop, handBack); });
}

void WorkerThread::RequestStop() {
    thread_.request_stop();
}

void WorkerThread::Cancel() {
    ++work_;
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
}
