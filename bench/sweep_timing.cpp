// Times one full sweep-tune with the normal 0.15 s pause on shown windows and splits it into
// the pauses, the main window's recalculation with its diagram, and the tuning; then the
// comparison with every bank setting that follows it, against the sweep's own time.
// --no-pause sweeps without the pause, the fastest sweep and so the largest share.
//
//   sweep_timing [--no-pause] [hpcl|lpcl|lplc]...    (all three when none is named)
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstring>
#include <vector>

#include "mainwindow/Form1.h"

namespace {

// The main window, timing each frequency the sweep writes into it: the change handler's
// pause, then the recalculation.
class TimedForm : public Form1 {
public:
    void SetFrequencyText(const QString& text) override {
        QElapsedTimer clock;
        clock.start();
        Form1::SetFrequencyText(text);
        frequencyNs += clock.nsecsElapsed();
        frequencies.push_back(text);
    }

    qint64 frequencyNs = 0;
    std::vector<QString> frequencies;
};

struct Tuner {
    const char* name;
    const char* option;
    TunerKind kind;
    const char* form;
};

constexpr Tuner kTuners[] = {
    {"hpcl", "Option4", TunerKind::HpCl, "Form2"},
    {"lpcl", "Option9", TunerKind::LpCl, "Form3"},
    {"lplc", "Option10", TunerKind::LpLc, "Form4"},
};

QWidget* TopLevel(const char* name) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name) return window;
    }
    return nullptr;
}

// The recalculation and diagram of each frequency again, without the change handler.
double RecalculationSeconds(TimedForm& form) {
    QLineEdit* frequency = form.findChild<QLineEdit*>("Text8");
    QElapsedTimer clock;
    qint64 ns = 0;
    for (const QString& text : form.frequencies) {
        {
            const QSignalBlocker quiet(frequency);
            frequency->setText(text);
        }
        clock.start();
        form.Recalculate();
        ns += clock.nsecsElapsed();
    }
    return ns / 1e9;
}

void TimeSweep(const Tuner& tuner, bool pause) {
    TimedForm form;
    if (!pause) form.repeatDelay = 0;
    form.show();
    form.findChild<QRadioButton*>(tuner.option)->click();
    form.SchematicClicked(tuner.kind);
    QWidget* window = TopLevel(tuner.form);
    QApplication::processEvents();

    QElapsedTimer clock;
    clock.start();
    window->findChild<QPushButton*>("Command32")->click();
    const double total = clock.nsecsElapsed() / 1e9;
    const QPushButton* exportButton = window->findChild<QPushButton*>("ExportSweepTune");
    if (!QTest::qWaitFor([&] { return !exportButton->isHidden(); }, 600000)) {
        std::printf("%s: the comparison did not end\n", tuner.name);
    }
    const double comparison = clock.nsecsElapsed() / 1e9 - total;

    const double steps = static_cast<double>(form.frequencies.size());
    const double frequencySteps = form.frequencyNs / 1e9;
    const double recalculation = RecalculationSeconds(form);
    const double pauses = frequencySteps - recalculation;
    const double nominal = steps * form.repeatDelay;
    std::printf("%s: %.0f steps in %.2f s = %.1f %% over the %.2f s of nominal pauses\n",
                tuner.name, steps, total, 100 * (total / nominal - 1), nominal);
    std::printf(
        "  pauses %.2f s, recalculation and diagram %.2f s (%.1f ms a step), "
        "tuning %.2f s (%.1f ms a step)\n",
        pauses, recalculation, 1000 * recalculation / steps, total - frequencySteps,
        1000 * (total - frequencySteps) / steps);
    std::printf(
        "  then the comparison with every bank setting %.2f s = %.1f %% of the sweep:\n  %s\n",
        comparison, 100 * comparison / total,
        qPrintable(window->findChild<QLabel*>("SweepComparison")->text()));
    form.close();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    bool pause = true;
    int named = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-pause") == 0) {
            pause = false;
        } else {
            ++named;
        }
    }
    for (const Tuner& tuner : kTuners) {
        bool wanted = named == 0;
        for (int i = 1; i < argc; ++i) wanted = wanted || std::strcmp(argv[i], tuner.name) == 0;
        if (wanted) TimeSweep(tuner, pause);
    }
    return 0;
}
