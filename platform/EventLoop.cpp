#include "platform/EventLoop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

void Yield() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitSeconds(float seconds) {
    QElapsedTimer clock;
    clock.start();
    const qint64 total_ns = seconds > 0 ? static_cast<qint64>(double(seconds) * 1e9) : 0;
    // The timer only wakes the blocking pass below when no other event arrives first.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    do {
        const qint64 remaining_ns = total_ns - clock.nsecsElapsed();
        if (remaining_ns <= 0) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            break;
        }
        const qint64 remaining_ms = std::min<qint64>((remaining_ns + 999999) / 1000000, 1 << 30);
        wake.start(static_cast<int>(remaining_ms));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    } while (clock.nsecsElapsed() < total_ns);
}
