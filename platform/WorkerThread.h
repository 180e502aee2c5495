#pragma once

#include <cstdint>
#include <functional>
#include <stop_token>
#include <thread>

class QObject;

// Long work on a thread of its own, so that a window stays responsive. What the work hands
// back runs on the thread of `receiver`, through its event loop.
class WorkerThread {
public:
    // Runs a step on the receiver's thread, unless the work was cancelled meanwhile.
    using HandBack = std::function<void(std::function<void()> step)>;
    using Work = std::function<void(std::stop_token stop, const HandBack& handBack)>;

    explicit WorkerThread(QObject* receiver) : receiver_(receiver) {}
    ~WorkerThread() { Cancel(); }
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Cancels work that still runs, then starts this.
    void Start(Work work);
    // Asks the work to stop and returns at once; what it still hands back arrives.
    void RequestStop();
    // Stops the work and waits for it; nothing of it is handed back any more.
    void Cancel();

private:
    QObject* receiver_;
    // Counts the works on the receiver's thread; what an earlier one hands back is dropped.
    uint64_t work_ = 0;
    // Last, so that it is stopped and joined before the rest goes.
    std::jthread thread_;
};
