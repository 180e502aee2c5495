#pragma once

#include <QWidget>
#include <vector>

#include "tuners/AllSettingsPass.h"
#include "tuners/search/SweepTuneRows.h"

class QLabel;
class QPushButton;

// What a tuner window shows after its sweep: how its searches did against the best setting
// of its banks, and the export of the sweep's results. The comparison runs after the sweep,
// never between its steps, and takes at most a quarter of the sweep's time.
class SweepResults : public QWidget {
    Q_OBJECT
public:
    // Problems and confirmations of the export go to `statusLine`.
    SweepResults(TunerKind kind, QLabel* statusLine, QWidget* window);

    // The rows of a whole sweep, which took `sweepSeconds`: starts the comparison.
    void CompareSweep(std::vector<SweepTuneRow> rows, double sweepSeconds);
    // Forgets the last sweep; a comparison still running stops.
    void Clear();

private:
    void Compared(std::vector<SweepTuneRow> rows, bool complete);
    // "Export sweep-tune results...": the CSV of the sweep with the comparison's columns.
    void Export();

    const TunerKind kind_;
    QLabel* statusLine_;
    QLabel* comparison_;
    QPushButton* export_;
    std::vector<SweepTuneRow> rows_;
    AllSettingsPass pass_{this};
};
