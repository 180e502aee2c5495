#pragma once

#include <QCoreApplication>
#include <algorithm>
#include <functional>
#include <map>
#include <utility>

#include "platform/EventLoop.h"

// Simulated time for the program's pauses: events scheduled at given moments run, in their
// order, inside the pauses that span them, as real input arrives during a real pause. Long
// runs of timed input then take no real time and always interleave the same way.
class SimulatedTime : public WaitClock {
public:
    SimulatedTime() { SetWaitClock(this); }
    ~SimulatedTime() override { SetWaitClock(nullptr); }
    SimulatedTime(const SimulatedTime&) = delete;
    SimulatedTime& operator=(const SimulatedTime&) = delete;

    void At(double seconds, std::function<void()> event) {
        events_.emplace(seconds, std::move(event));
    }
    // Plays every scheduled event at its time, as the idle event loop would.
    void Run() {
        while (!events_.empty()) RunNext();
        QCoreApplication::processEvents();
    }
    double now() const { return now_; }
    // How deeply pauses were nested inside each other at most.
    int deepestNesting() const { return deepest_; }

    void Wait(double seconds) override {
        deepest_ = std::max(deepest_, ++depth_);
        const double deadline = now_ + seconds;
        while (!events_.empty() && events_.begin()->first <= deadline) RunNext();
        now_ = std::max(now_, deadline);
        QCoreApplication::processEvents();
        --depth_;
    }

private:
    void RunNext() {
        auto next = events_.begin();
        now_ = std::max(now_, next->first);
        std::function<void()> event = std::move(next->second);
        events_.erase(next);
        event();
    }

    double now_ = 0;
    int depth_ = 0;
    int deepest_ = 0;
    std::multimap<double, std::function<void()>> events_;
};
