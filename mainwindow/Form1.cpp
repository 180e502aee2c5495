#include "mainwindow/Form1.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "analysis/Analysis.h"
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
    if (settingsUse_ == SettingsUse::File) PrepareSettings();
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

void Form1::PrepareSettings() {
    const std::string& path = SettingsFilePath();
    std::error_code error;
    const bool existed = std::filesystem::symlink_status(path, error).type() !=
                         std::filesystem::file_type::not_found;
    std::string restored;
    const FileResult prepared = PrepareSettingsFile(restored);
    settingsReady_ = prepared.ok();
    if (!prepared.ok()) ReportFileProblem(prepared.error);
    if (!restored.empty()) ReportFileProblem(restored);
    // A new file anywhere but the working folder is where nobody would look for it.
    if (prepared.ok() && !existed && path != kSettingsFileName) {
        statusLine_->ShowProblem(QString("Settings are kept in %1, made now with the defaults")
                                     .arg(QFile::decodeName(path.c_str())));
    }
}

bool Form1::MayCloseUnsaved(const FileResult& failure) {
    QMessageBox box(QMessageBox::Question, windowTitle(),
                    QString("Orvane could not save its settings to %1: %2. Close anyway?")
                        .arg(QFile::decodeName(SettingsFilePath().c_str()),
                             QString::fromStdString(failure.reason)),
                    QMessageBox::Yes | QMessageBox::No, this);
    const QPushButton* saveAs = box.addButton("Save settings as...", QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::No);
    box.exec();
    if (box.clickedButton() == saveAs) return SaveSettingsAs();
    return box.clickedButton() == box.button(QMessageBox::Yes);
}

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
        // Inputs as they were loaded lose nothing; changed ones would be lost, so the user may
        // rather save them elsewhere, copy them or mend the folder.
        if (!endingSession_ && MainFieldTexts() != loadedTexts_ && !MayCloseUnsaved(saved)) {
            event->ignore();
            return;
        }
    }
    // Every repeat loop, pause, search and sweep still on the stack ends at once, so the
    // program quits now with the values just saved.
    closing_ = true;
    if (keepViewState_) SaveViewState();
    tuners_->CloseAll();
    if (analysis_) analysis_->close();
    event->accept();
}
