#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

// SIGINT, SIGTERM and SIGHUP run `end` in the event loop (the signal itself only marks a
// pipe), so that a terminal or the session ending the program still has its inputs
// written back.
class QuitSignals : public QObject {
public:
    explicit QuitSignals(std::function<void()> end);
    ~QuitSignals() override;

private:
    QSocketNotifier* notifier_ = nullptr;
};
