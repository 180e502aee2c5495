#pragma once

#include <functional>
#include <map>

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

    void At(double seconds, std::function<void()> event);
    // Plays every scheduled event at its time, as the idle event loop would.
    void Run();

    double now() const { return now_; }
    // How deeply pauses were nested inside each other at most.
    int deepestNesting() const { return deepest_; }

    void Wait(double seconds) override;

private:
    void RunNext();

    double now_ = 0;
    int depth_ = 0;
    int deepest_ = 0;
    std::multimap<double, std::function<void()>> events_;
};
