#include "app/WindowRun.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "app/Identity.h"
#include "app/QuitSignals.h"
#include "app/RunSource.h"
#include "mainwindow/Form1.h"
#include "platform/SettingsFile.h"

namespace {

bool DisplayAvailable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const bool headless = platform && *platform && std::string_view(platform) != "xcb" &&
                          std::string_view(platform) != "wayland";
    return headless || std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

bool& StyleGiven() {
    static bool given = false;
    return given;
}

}  // namespace

void KeepStyleGiven(bool given) {
    StyleGiven() = given;
}

void PrepareWindowApplication() {
    if (!StyleGiven()) QApplication::setStyle("Fusion");
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
    // An installed program keeps its settings in a folder of their own, made at first start.
    if (SettingsFileOrigin() == SettingsOrigin::Own) {
        const std::filesystem::path folder =
            std::filesystem::path(SettingsFilePath()).parent_path();
        std::error_code error;
        if (!folder.empty()) std::filesystem::create_directories(folder, error);
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
