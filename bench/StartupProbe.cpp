// Starts the main window as orvane does and, once the window has been painted for the first
// time, writes one byte to standard output and quits: the end of start-up as a user sees it.
#include <unistd.h>

#include <QApplication>
#include <QTimer>

#include "app/Identity.h"
#include "app/WindowRun.h"
#include "mainwindow/Form1.h"

namespace {

class FirstPaint : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // After the whole window's paint pass, not after its first widget.
            QTimer::singleShot(0, [] {
                const char done = 1;
                [[maybe_unused]] const ssize_t written = ::write(STDOUT_FILENO, &done, 1);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    SetApplicationIdentity();
    QApplication app(argc, argv);
    PrepareWindowApplication();
    FirstPaint firstPaint;
    app.installEventFilter(&firstPaint);
    Form1 window;
    window.show();
    return app.exec();
}
