#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/WorkerThread.h"
#include "tuners/search/lab/LabRuns.h"
#include "tuners/search/lab/RelayCost.h"

class QCustomPlot;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

// What the lab takes from its tuner window, asked each time a run starts.
struct LabInputs {
    TunerKind kind;
    // The banks as TUNE would take them now; nothing, with the reason, where it refuses.
    std::function<std::optional<BankSetup>(std::string& refusal)> banks;
    // The tuner's antenna fields; nothing while they hold no antenna values.
    std::function<std::optional<AntennaFields>()> here;
    // The antenna at any frequency as the main window hands it over, taken now; the run's
    // thread calls it.
    std::function<AntennaAt()> band;
};

// "Compare searches": every search strategy on the tuner's banks and antenna, at the set
// frequency or over the sweep's frequencies on a thread of its own, with what each costs a
// tuner built of relays. The three tuner windows each have one.
class LabWindow : public QWidget {
    Q_OBJECT
public:
    LabWindow(LabInputs inputs, const QString& tunerName, QWidget* tuner);

    // Shows it in front.
    void Open();
    // Its tuner window closed: a run stops and hands nothing back, the results go.
    void CloseLab();

private:
    void closeEvent(QCloseEvent* event) override;
    void BuildControls();
    void Run(bool band);
    void Finished(std::vector<LabPoint> points, bool complete);
    // The table, the plot and the note from the results at the relay times of the fields.
    void ShowResults();
    void ShowTable(const RelayTimes& times);
    void Plot();
    void Export();
    void SetRunning(bool running);
    // The relay times as the fields give them; nothing, said in the note, when one is not a
    // time.
    std::optional<RelayTimes> Times();

    const LabInputs inputs_;
    const QString tunerName_;
    QLineEdit *operate_, *release_, *measure_;
    QPushButton *here_, *band_, *stop_, *export_;
    QProgressBar* progress_;
    QLabel* note_;
    QTableWidget* table_;
    QCustomPlot* plot_;

    // The last run: its banks, frequencies and whether it ran to its end.
    std::optional<BankSetup> banks_;
    std::vector<LabPoint> points_;
    bool overBand_ = false;
    bool complete_ = false;
    bool running_ = false;
    QString ran_;  // what was run, in words
    // Last, so that a run still going stops before the rest goes.
    WorkerThread worker_{this};
};
