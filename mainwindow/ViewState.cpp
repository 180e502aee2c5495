// The view as the user left it, kept in the platform's settings store between starts. The
// settings file holds the inputs only; its format stays as it is.
#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalBlocker>
#include <algorithm>

#include "analysis/Analysis.h"
#include "mainwindow/CurveColumns.h"
#include "mainwindow/Form1.h"
#include "mainwindow/ViewStore.h"
#include "platform/Controls.h"

namespace {

QString ViewKey(const QObject* control) {
    return "view/" + control->objectName();
}

}  // namespace

void Form1::KeepViewState() {
    QString problem;
    const std::unique_ptr<QSettings> opened = OpenViewStore(&problem);
    if (!opened) {
        ReportFileProblem(QString("The view is not kept this run: %1").arg(problem).toStdString());
        return;
    }
    keepViewState_ = true;
    QSettings& store = *opened;
    RestoreLossQ(store);
    restoreGeometry(store.value("window/geometry").toByteArray());
    for (QCheckBox* check : curveChecks_) {
        const QVariant shown = store.value(ViewKey(check));
        const QSignalBlocker quiet(check);
        if (shown.isValid()) check->setChecked(shown.toBool());
    }
    for (std::size_t i = 0; i < rangeButtons_.size(); ++i) {
        const QString caption = store.value(ViewKey(rangeButtons_[i])).toString();
        const auto& cycle = kCurveColumns[i].cycle;
        // A caption from another version of the program would scale the curve wrongly.
        if (std::find(cycle.begin(), cycle.end(), caption) != cycle.end()) {
            rangeButtons_[i]->setText(caption);
        }
    }
    const int network = store.value("view/network", 0).toInt();
    if (network >= 0 && network < static_cast<int>(networks_.size())) {
        networks_[static_cast<std::size_t>(network)].option->setChecked(true);
    }
    ApplyNetworkLabelColours();
    (store.value("view/decibel").toBool() ? Option13 : Option12)->setChecked(true);
    ApplyEfficiencyUnitCaptions();
    {
        // The redraw below runs the comparison.
        const QSignalBlocker quiet(necSwitch_);
        necSwitch_->setChecked(store.value("view/necCompare").toBool());
        UpdateNecAvailability();
    }
    (store.value("view/impedancePlane").toBool() ? Option8 : Option7)->setChecked(true);
    DiagramTypeClicked();
    RestoreAntennaState(store);
}

void Form1::SaveViewState() const {
    // Something may have taken the file's place since the start.
    QString problem;
    const std::unique_ptr<QSettings> opened = OpenViewStore(&problem);
    if (!opened) {
        ReportOnStandardError(QString("The view was not kept: %1").arg(problem).toStdString());
        return;
    }
    QSettings& store = *opened;
    store.setValue("window/geometry", saveGeometry());
    for (const QCheckBox* check : curveChecks_) store.setValue(ViewKey(check), check->isChecked());
    for (const QPushButton* button : rangeButtons_) {
        store.setValue(ViewKey(button), button->text());
    }
    for (std::size_t i = 0; i < networks_.size(); ++i) {
        if (networks_[i].option->isChecked()) store.setValue("view/network", static_cast<int>(i));
    }
    store.setValue("view/decibel", Option13->isChecked());
    store.setValue("view/impedancePlane", Option8->isChecked());
    store.setValue("view/necCompare", necSwitch_->isChecked());
    if (analysis_) store.setValue("analysis/geometry", analysis_->saveGeometry());
    SaveAntennaState(store);
}
