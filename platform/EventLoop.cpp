#include "platform/EventLoop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

// About one screen refresh.
constexpr qint64 kFrameNs = 16'000'000;

// A search yields twice per evaluated setting, thousands of times a second, and each field
// it writes asks for a repaint. Painting them all would cost far more than the search, so
// inside Yield a window's repaint request that comes sooner than a frame after the last
// repaint is held back and handed in again when the frame is over (by a timer, so it is
// painted even if no further Yield comes). Every other event, input and close requests
// included, is delivered at once. A held-back window asks for no further repaints until
// its request is handed in, so the latest state is what gets painted.
class RepaintThrottle : public QObject {
public:
    explicit RepaintThrottle(QObject* parent) : QObject(parent) {
        sincePaint_.start();
        release_.setSingleShot(true);
        connect(&release_, &QTimer::timeout, this, [this] { Release(); });
        QCoreApplication::instance()->installEventFilter(this);
    }

    void ProcessPendingEvents() {
        ++depth_;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        --depth_;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::UpdateRequest || !watched->isWidgetType()) return false;
        if (depth_ == 0 || sincePaint_.nsecsElapsed() >= kFrameNs) {
            sincePaint_.restart();
            return false;
        }
        QPointer<QWidget> window(static_cast<QWidget*>(watched));
        if (std::find(held_.begin(), held_.end(), window) == held_.end()) held_.push_back(window);
        if (!release_.isActive()) {
            const qint64 remainingNs = kFrameNs - sincePaint_.nsecsElapsed();
            release_.start(static_cast<int>(std::max<qint64>(remainingNs / 1'000'000, 1)));
        }
        return true;
    }

private:
    void Release() {
        for (const QPointer<QWidget>& window : held_) {
            if (window) {
                QCoreApplication::postEvent(window, new QEvent(QEvent::UpdateRequest),
                                            Qt::LowEventPriority);
            }
        }
        held_.clear();
    }

    QElapsedTimer sincePaint_;
    QTimer release_;
    std::vector<QPointer<QWidget>> held_;
    int depth_ = 0;
};

// One per application, destroyed with it.
RepaintThrottle& Throttle() {
    static QPointer<RepaintThrottle> throttle;
    if (!throttle) throttle = new RepaintThrottle(QCoreApplication::instance());
    return *throttle;
}

WaitClock* installedClock = nullptr;

}  // namespace

void SetWaitClock(WaitClock* clock) {
    installedClock = clock;
}

void Yield() {
    Throttle().ProcessPendingEvents();
}

void WaitSeconds(float seconds) {
    if (installedClock) {
        installedClock->Wait(seconds);
        return;
    }
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
