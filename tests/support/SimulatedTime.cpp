#include "tests/support/SimulatedTime.h"

#include <QCoreApplication>
#include <algorithm>
#include <utility>

void SimulatedTime::At(double seconds, std::function<void()> event) {
    events_.emplace(seconds, std::move(event));
}

void SimulatedTime::Run() {
    while (!events_.empty()) RunNext();
    QCoreApplication::processEvents();
}

void SimulatedTime::Wait(double seconds) {
    deepest_ = std::max(deepest_, ++depth_);
    const double deadline = now_ + seconds;
    while (!events_.empty() && events_.begin()->first <= deadline) RunNext();
    now_ = std::max(now_, deadline);
    QCoreApplication::processEvents();
    --depth_;
}

void SimulatedTime::RunNext() {
    auto next = events_.begin();
    now_ = std::max(now_, next->first);
    std::function<void()> event = std::move(next->second);
    events_.erase(next);
    event();
}
