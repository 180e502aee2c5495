// The Antenna menu: where the antenna's feed point comes from (the closed-form model, NEC-2 or
// a measured file), and what the window shows of that choice.
#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>

#include "antenna/SourceText.h"
#include "mainwindow/Form1.h"
#include "mainwindow/MeasuredFileReader.h"
#include "mainwindow/StatusLine.h"
#include "nec/ConvergedRuns.h"
#include "nec/NecSource.h"
#include "platform/FileDialogs.h"

namespace {

constexpr int kRecentFiles = 5;
const QString kMeasuredFilter =
    "Measured impedance (*.s1p *.s2p *.csv *.S1P *.S2P *.CSV);;All files (*)";
// The tooltip a field has without a source that changes its meaning.
constexpr char kOwnToolTip[] = "toolTipOfTheModel";

const QString kBaseElementsUnused =
    "Not used: a measured file is the feed point as measured, with the coil, base capacitance "
    "and losses already in it.\nAntenna > \"The file is the bare rod\" adds them.";
const QString kEfficiencyUnknown =
    "Empty: a measurement cannot tell the power radiated from the power lost.";

// The fields whose values a measured file already holds, with their spin buttons.
constexpr const char* kBaseElementControls[] = {"Text45", "Command30", "Command31",
                                                "Text17", "Command11", "Command12",
                                                "Text4",  "Command5",  "Command6"};

void SetSourceToolTip(QWidget* widget, const QString& reason) {
    if (!widget->property(kOwnToolTip).isValid()) {
        widget->setProperty(kOwnToolTip, widget->toolTip());
    }
    widget->setToolTip(reason.isEmpty() ? widget->property(kOwnToolTip).toString() : reason);
}

// A source that has no value anywhere: NEC-2 while its run is under way or failed.
const std::shared_ptr<const AntennaSource>& NoNecValues() {
    static const std::shared_ptr<const AntennaSource> none = std::make_shared<TabulatedSource>(
        std::make_shared<const ImpedanceTable>(std::vector<ImpedancePoint>{}),
        TabulatedSource::Meaning::NecRod, TabulatedSource::Label{"NEC-2", {}, {}});
    return none;
}

}  // namespace

void Form1::BuildAntennaMenu() {
    antennaMenu_ = menuBar()->addMenu("&Antenna");
    antennaMenu_->setObjectName("AntennaMenu");
    antennaMenu_->setToolTipsVisible(true);
    auto* group = new QActionGroup(antennaMenu_);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    modelAction_ =
        antennaMenu_->addAction("Closed-form model", this, [this] { UseClosedFormModel(); });
    modelAction_->setObjectName("AntennaModel");
    necAction_ =
        antennaMenu_->addAction("NEC-2 model of this rod", this, [this] { UseNecModel(); });
    necAction_->setObjectName("AntennaNec");
    for (QAction* choice : {modelAction_, necAction_}) {
        choice->setCheckable(true);
        group->addAction(choice);
    }
    modelAction_->setChecked(true);
    QAction* measured =
        antennaMenu_->addAction("Measured impedance...", this, [this] { AskMeasuredFile(); });
    measured->setObjectName("AntennaMeasured");
    measured->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    menuActions_ << measured;
    antennaMenu_->addSeparator()->setObjectName("AntennaRecentEnd");
    bareRodAction_ = antennaMenu_->addAction(
        "The file is the bare rod: add the coil, base capacitance and losses");
    bareRodAction_->setObjectName("AntennaBareRod");
    bareRodAction_->setCheckable(true);
    bareRodAction_->setEnabled(false);
    connect(bareRodAction_, &QAction::toggled, this, &Form1::BareRodToggled);
    const auto necAvailability = [this] {
        const bool available = NecAvailable();
        // A choice in use stays at hand.
        necAction_->setEnabled(available || necAction_->isChecked());
        necAction_->setToolTip(
            available ? "The rod as NEC-2 (nec2c) computes it, with the coil, base capacitance "
                        "and losses added"
                      : QString("Needs NEC-2: install the Debian package %1").arg(kNecPackage));
    };
    necAvailability();
    // nec2c may be installed or removed while the program runs.
    connect(antennaMenu_, &QMenu::aboutToShow, this, necAvailability);
}

void Form1::UseClosedFormModel() {
    antennaChoice_ = AntennaChoice::Model;
    pendingRead_.clear();
    necSourceRod_.reset();
    ShowAntennaChoice();
    SetAntennaSource(
        std::shared_ptr<const AntennaSource>(std::shared_ptr<void>(), &ClosedFormModel()));
}

void Form1::UseNecModel() {
    antennaChoice_ = AntennaChoice::Nec2;
    pendingRead_.clear();
    necSourceRod_.reset();
    ShowAntennaChoice();
    Recalculate();
}

void Form1::UseMeasuredAntenna(MeasuredAntenna antenna) {
    antennaChoice_ = AntennaChoice::Measured;
    pendingRead_.clear();
    necSourceRod_.reset();
    // The list holds files, wherever the program is started from later.
    RememberRecentFile(QFileInfo(QFile::decodeName(antenna.path.c_str())).absoluteFilePath());
    measured_ = std::move(antenna);
    ShowAntennaChoice();
    SetAntennaSource(MeasuredSource(*measured_, bareRodAction_->isChecked()));
}

void Form1::AskMeasuredFile() {
    const QString folder =
        measured_ ? QFileInfo(QFile::decodeName(measured_->path.c_str())).path() : QString();
    const QString chosen =
        AskFileName(this, {false, "Measured impedance", kMeasuredFilter, folder});
    if (!chosen.isEmpty()) OpenMeasuredFile(chosen);
}

void Form1::OpenMeasuredFile(const QString& path) {
    if (!reader_) {
        reader_ = std::make_unique<MeasuredFileReader>();
        connect(
            reader_.get(), &MeasuredFileReader::progress, this,
            [this](const QString& file, int percent) {
                statusLine_->SetNote(
                    StatusLine::Note::Source,
                    QString("Reading %1 ... %2 %").arg(QFileInfo(file).fileName()).arg(percent));
            });
        connect(reader_.get(), &MeasuredFileReader::done, this, &Form1::MeasuredFileRead);
    }
    pendingRead_ = path;
    reader_->Start(path);
}

void Form1::MeasuredFileRead(const QString& path, const MeasuredFileResult& result) {
    if (path != pendingRead_) return;
    pendingRead_.clear();
    if (!result.antenna) {
        // The source in use stays.
        ReportFileProblem(result.fault);
        ShowSourceNote(ReadAntennaInput().frequency_MHz);
        return;
    }
    UseMeasuredAntenna(*result.antenna);
}

void Form1::BareRodToggled(bool) {
    if (antennaChoice_ != AntennaChoice::Measured || !measured_) return;
    ShowAntennaChoice();
    SetAntennaSource(MeasuredSource(*measured_, bareRodAction_->isChecked()));
}

void Form1::RememberRecentFile(const QString& path) {
    recentFiles_.removeAll(path);
    recentFiles_.prepend(path);
    while (recentFiles_.size() > kRecentFiles) recentFiles_.removeLast();
    ShowRecentFiles();
}

void Form1::ShowRecentFiles() {
    qDeleteAll(recentActions_);
    recentActions_.clear();
    QAction* end = antennaMenu_->findChild<QAction*>("AntennaRecentEnd");
    for (qsizetype i = 0; i < recentFiles_.size(); ++i) {
        const QString path = recentFiles_[i];
        auto* recent =
            new QAction(QString("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), antennaMenu_);
        recent->setObjectName(QString("AntennaRecent%1").arg(i + 1));
        recent->setToolTip(path);
        connect(recent, &QAction::triggered, this, [this, path] { OpenMeasuredFile(path); });
        antennaMenu_->insertAction(end, recent);
        recentActions_ << recent;
    }
}

void Form1::FollowNecRod(const AntennaInput& input) {
    if (antennaChoice_ != AntennaChoice::Nec2) return;
    const std::pair<double, double> rod{input.length_m, input.diameter_mm};
    if (necSourceRod_ == rod) return;
    const ConvergedOutcome* outcome = NecRuns().request({rod.first, rod.second});
    if (outcome && outcome->run) {
        source_ = NecSource(*outcome->run);
        necSourceRod_ = rod;
        necState_.clear();
        return;
    }
    source_ = NoNecValues();
    necState_ = outcome ? outcome->fault : NecRuns().progressNote();
}

void Form1::ShowAntennaChoice() {
    const bool measured = antennaChoice_ == AntennaChoice::Measured;
    modelAction_->setChecked(antennaChoice_ == AntennaChoice::Model);
    necAction_->setChecked(antennaChoice_ == AntennaChoice::Nec2);
    necAction_->setEnabled(necAction_->isChecked() || NecAvailable());
    bareRodAction_->setEnabled(measured);
    QString title = "ORVANE";
    if (antennaChoice_ == AntennaChoice::Nec2) title += " - NEC-2 model";
    if (measured) title += " - measured: " + QFileInfo(measured_->path.c_str()).fileName();
    setWindowTitle(title);

    const bool unused = measured && !bareRodAction_->isChecked();
    for (const char* name : kBaseElementControls) {
        QWidget* control = design_->findChild<QWidget*>(name);
        control->setEnabled(!unused);
        if (qobject_cast<QLineEdit*>(control)) {
            SetSourceToolTip(control, unused ? kBaseElementsUnused : QString());
        }
    }
    for (QLineEdit* efficiency : {Text10, Text42}) {
        SetSourceToolTip(efficiency, measured ? kEfficiencyUnknown : QString());
    }
}

void Form1::ShowSourceNote(double f_MHz) {
    QString note;
    if (antennaChoice_ == AntennaChoice::Nec2 && !necSourceRod_) {
        note = necState_;
    } else {
        note = QString::fromStdString(SourceNote(*source_));
        const QString outside = QString::fromStdString(OutsideSpanNote(*source_, f_MHz));
        if (!outside.isEmpty()) note = outside + "; " + note;
    }
    statusLine_->SetNote(StatusLine::Note::Source, note);
}

void Form1::ShowNoAntennaValues() {
    for (QLineEdit* field : {Text5, Text6, Text9, Text15, Text44, Text10, Text42}) {
        field->setText("");
    }
    for (const NetworkControls& controls : networks_) {
        for (QLineEdit* field : {controls.c, controls.c2, controls.l}) {
            if (field) field->setText("");
        }
    }
}

void Form1::SaveAntennaState(QSettings& store) const {
    const char* choice = antennaChoice_ == AntennaChoice::Nec2       ? "nec2"
                         : antennaChoice_ == AntennaChoice::Measured ? "measured"
                                                                     : "model";
    store.setValue("antenna/source", choice);
    // The file in use is always the first of the last files.
    store.setValue("antenna/file", recentFiles_.value(0));
    store.setValue("antenna/bareRod", bareRodAction_->isChecked());
    store.setValue("antenna/recent", recentFiles_);
}

void Form1::RestoreAntennaState(QSettings& store) {
    recentFiles_ = store.value("antenna/recent").toStringList().mid(0, kRecentFiles);
    ShowRecentFiles();
    {
        const QSignalBlocker quiet(bareRodAction_);
        bareRodAction_->setChecked(store.value("antenna/bareRod").toBool());
    }
    const QString choice = store.value("antenna/source").toString();
    if (choice == "nec2") UseNecModel();
    // A file that is gone or changed is told in the status line; the model stays meanwhile.
    if (choice == "measured") OpenMeasuredFile(store.value("antenna/file").toString());
}
