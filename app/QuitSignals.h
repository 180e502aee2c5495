#pragma once

#include <QObject>

class QSocketNotifier;

// SIGINT, SIGTERM and SIGHUP close the windows as their close buttons do, so the inputs are
// written back when a terminal or the session ends the program. The signal only marks a
// pipe; the closing runs in the event loop.
class QuitSignals : public QObject {
public:
    QuitSignals();
    ~QuitSignals() override;

private:
    QSocketNotifier* notifier_ = nullptr;
};
