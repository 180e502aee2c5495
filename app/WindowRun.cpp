#include "app/WindowRun.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "app/Identity.h"
#include "app/QuitSignals.h"
#include "app/RunSource.h"
#include "mainwindow/Form1.h"

namespace {

bool DisplayAvailable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const bool headless = platform && *platform && std::string_view(platform) != "xcb" &&
                          std::string_view(platform) != "wayland";
    return headless || std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

}  // namespace

void PrepareWindowApplication() {
    QApplication::setStyle("Fusion");
    SetApplicationIcon();
}

int RunWindow(int& argc, char** argv, const AntennaOption& antenna) {
    if (!DisplayAvailable()) {
        std::fprintf(stderr,
                     "orvane: no display found (DISPLAY is not set); start it on a desktop.\n");
        return 1;
    }
    std::optional<MeasuredAntenna> measured;
    if (antenna.kind == AntennaOption::Kind::File) {
        measured = ReadMeasuredOption(antenna);
        if (!measured) return 1;
    }
    QApplication app(argc, argv);
    PrepareWindowApplication();
    Form1 window;
    window.KeepViewState();
    if (measured) {
        window.UseMeasuredAntenna(std::move(*measured));
    } else if (antenna.given) {
        antenna.kind == AntennaOption::Kind::Nec2 ? window.UseNecModel()
                                                  : window.UseClosedFormModel();
    }
    QuitSignals quitSignals([&window] { window.EndSession(); });
    window.show();
    return app.exec();
}
