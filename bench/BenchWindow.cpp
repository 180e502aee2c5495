#include "bench/BenchWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "mainwindow/Form1.h"

Form1& BenchWindow() {
    static QTemporaryDir folder;
    static const bool entered = QDir::setCurrent(folder.path());
    static std::unique_ptr<Form1> window = [] {
        auto form = std::make_unique<Form1>();
        form->show();
        QApplication::processEvents();
        return form;
    }();
    (void)entered;
    return *window;
}

int RunWindowBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
