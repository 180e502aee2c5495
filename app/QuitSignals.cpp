#include "app/QuitSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

namespace {

int signalPipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

void MarkSignal(int) {
    const char mark = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &mark, 1);
}

void Handle(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : kSignals) ::sigaction(number, &action, nullptr);
}

}  // namespace

QuitSignals::QuitSignals(std::function<void()> end) {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [end = std::move(end)] {
        char marks[16];
        while (::read(signalPipe[0], marks, sizeof marks) > 0) {
        }
        end();
    });
    Handle(MarkSignal);
}

QuitSignals::~QuitSignals() {
    if (!notifier_) return;
    Handle(SIG_DFL);
    delete notifier_;
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
}
