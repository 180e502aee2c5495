// One TUNE on a shown tuner window (offscreen platform): every evaluation writes five
// fields and yields twice, so this measures the window and the event loop, not the search.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "bench/BenchWindow.h"
#include "mainwindow/Form1.h"
#include "platform/FieldText.h"

namespace {

struct Tuner {
    const char* option;
    TunerKind kind;
    const char* form;
};

// The window of the tuner, opened from the main window at its default antenna.
QWidget& OpenTuner(const Tuner& tuner) {
    Form1& form = BenchWindow();
    form.findChild<QRadioButton*>(tuner.option)->click();
    form.SchematicClicked(tuner.kind);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == tuner.form) return *window;
    }
    qFatal("%s did not open", tuner.form);
}

void BM_Tune(benchmark::State& state, Tuner tuner) {
    QWidget& window = OpenTuner(tuner);
    QApplication::processEvents();
    QPushButton* tune = window.findChild<QPushButton*>("Command1");
    const QLineEdit* operations = window.findChild<QLineEdit*>("Text13");
    double evaluations = 0;
    for (auto _ : state) {
        tune->click();
        evaluations += FieldValue(operations);
    }
    state.counters["evals/run"] =
        benchmark::Counter(evaluations, benchmark::Counter::kAvgIterations);
    state.counters["s/eval"] =
        benchmark::Counter(evaluations, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK_CAPTURE(BM_Tune, LpClDefaults, Tuner{"Option9", TunerKind::LpCl, "Form3"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Tune, LpLcDefaults, Tuner{"Option10", TunerKind::LpLc, "Form4"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Tune, HpClDefaults, Tuner{"Option4", TunerKind::HpCl, "Form2"})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
