#include "bench/BenchWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "mainwindow/Form1.h"

namespace {

// Both live only while the application does.
std::unique_ptr<QTemporaryDir> folder;
std::unique_ptr<Form1> window;

}  // namespace

Form1& BenchWindow() {
    if (!window) {
        folder = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(folder->path());
        window = std::make_unique<Form1>();
        window->show();
        QApplication::processEvents();
    }
    return *window;
}

int RunWindowBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    window.reset();
    folder.reset();
    return 0;
}
