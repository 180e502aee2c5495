#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "mainwindow/Form1.h"

int main(int argc, char* argv[]) {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const bool headless = platform && *platform && std::string_view(platform) != "xcb" &&
                          std::string_view(platform) != "wayland";
    if (!headless && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        std::fprintf(stderr,
                     "orvane: no display found (DISPLAY is not set); start it on a desktop.\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    Form1 window;
    window.show();
    return app.exec();
}
