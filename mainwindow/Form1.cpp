#include "mainwindow/Form1.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>

#include "core/NumberText.h"
#include "mainwindow/MeasuredFileReader.h"
#include "mainwindow/NetworkBoxes.h"
#include "mainwindow/StatusLine.h"
#include "nec/ConvergedRuns.h"
#include "platform/BackColor.h"
#include "platform/Colors.h"
#include "platform/Controls.h"
#include "platform/FieldText.h"
#include "platform/PictureBox.h"
#include "platform/SettingsFile.h"
#include "tuners/TunerWindows.h"

Form1::Form1(SettingsUse use)
    // The model lives for the whole program: the pointer owns nothing.
    : source_(std::shared_ptr<void>(), &ClosedFormModel()), settingsUse_(use) {
    setObjectName("Form1");
    setWindowTitle("ORVANE");
    BuildMenuBar();
    BuildDesignArea();

    BuildInputs();
    BuildResults();
    BuildDiagramArea();
    BuildImpedancePlaneFrame();
    BuildSelections();
    BuildNetworkBoxes();
    SetToolTips();
    tuners_ = std::make_unique<TunerWindows>(*this);

    repeatDelay = 0.15f;
    if (settingsUse_ == SettingsUse::File) {
        std::string restored;
        const FileResult ensured = EnsureSettingsFile(SettingsFilePath(), restored);
        settingsReady_ = ensured.ok();
        if (!ensured.ok()) ReportFileProblem(ensured.error);
        if (!restored.empty()) ReportFileProblem(restored);
    }
    LoadMainSettings();
    ApplyNetworkLabelColours();
    limits_.cmin_pF = FieldValue(Text16);
    limits_.cmax_pF = FieldValue(Text29);
    Text28->setText(Text8->text());
    RecalculateIfIdle();
    // Only now: filling the fields above must not pay a pause per field.
    ConnectInputHandlers();
    ConnectSelectionHandlers();
    ConnectKeyboard();
}

Form1::~Form1() = default;

void Form1::ReportFileProblem(const std::string& message) {
    ReportOnStandardError(message);
    statusLine_->ShowProblem(QString::fromStdString(message));
}

Network Form1::selectedNetwork() const {
    const int id = networkGroup_->checkedId();
    return kNetworkBoxes[static_cast<std::size_t>(id < 0 ? 0 : id)].network;
}

bool Form1::impedancePlaneMode() const {
    return Option8->isChecked();
}

void Form1::ApplyNetworkLabelColours() {
    for (const NetworkControls& controls : networks_) {
        const bool selected = controls.option->isChecked();
        SetBackColor(controls.cLabel, selected ? colors::kCapacitor : colors::kNeutral);
        if (controls.c2Label) {
            SetBackColor(controls.c2Label, selected ? colors::kCapacitor : colors::kNeutral);
        }
        SetBackColor(controls.lLabel, selected ? colors::kInductor : colors::kNeutral);
    }
}

void Form1::EndSession() {
    endingSession_ = true;
    close();
}

void Form1::closeEvent(QCloseEvent* event) {
    if (FileResult saved = settingsUse_ == SettingsUse::File ? SaveMainSettings() : FileResult{};
        !saved.ok()) {
        ReportFileProblem(saved.error);
        // The values would be lost: the user may rather copy them or mend the folder.
        const QString question =
            QString("Orvane could not save its settings to %1: %2. Close anyway?")
                .arg(QString::fromStdString(SettingsFilePath()),
                     QString::fromStdString(saved.reason));
        if (!endingSession_ &&
            QMessageBox::question(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                                  QMessageBox::No) != QMessageBox::Yes) {
            event->ignore();
            return;
        }
    }
    // Every repeat loop, pause, search and sweep still on the stack ends at once, so the
    // program quits now with the values just saved.
    closing_ = true;
    if (keepViewState_) SaveViewState();
    tuners_->CloseAll();
    event->accept();
}
