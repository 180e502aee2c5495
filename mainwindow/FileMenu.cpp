// The File menu: settings files, the exports, the picture and the results for a spreadsheet.
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

#include "core/Version.h"
#include "exports/ResultsTable.h"
#include "exports/SweepCsv.h"
#include "exports/Touchstone.h"
#include "mainwindow/Form1.h"
#include "mainwindow/MainKeys.h"
#include "mainwindow/StatusLine.h"
#include "platform/FileDialogs.h"
#include "platform/ImageFile.h"
#include "platform/PictureBox.h"
#include "platform/SettingsFile.h"
#include "platform/SettingsTexts.h"
#include "tuners/TunerWindows.h"

namespace {

const QString kSettingsFilter = "Settings files (*.INI *.ini);;All files (*)";

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Dialogs start beside the settings file in use.
QString SettingsFolder() {
    return QFileInfo(QFile::decodeName(SettingsFilePath().c_str())).absolutePath();
}

QString Beside(const QString& name) {
    return SettingsFolder() + "/" + name;
}

}  // namespace

void Form1::BuildFileMenu() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("FileMenu");
    auto add = [&](const QString& text, const QList<QKeySequence>& keys, auto handler) {
        QAction* action = file->addAction(text, this, handler);
        action->setShortcuts(keys);
        if (!keys.isEmpty()) menuActions_ << action;
    };
    add("Open settings...", {QKeySequence(Qt::CTRL | Qt::Key_O)}, [this] { OpenSettings(); });
    add("Save settings as...", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        [this] { SaveSettingsAs(); });
    file->addSeparator();
    add("Export sweep data...", {QKeySequence(Qt::CTRL | Qt::Key_E)},
        [this] { ExportSweepData(); });
    add("Export Touchstone...", {}, [this] { ExportTouchstone(); });
    add("Save picture...", {}, [this] { SavePicture(); });
    file->addSeparator();
    add("Copy results", QKeySequence::keyBindings(QKeySequence::Copy), [this] { CopyResults(); });
    file->addSeparator();
    add("Quit", {QKeySequence(Qt::CTRL | Qt::Key_Q)}, [this] { close(); });
}

bool Form1::KeyBelongsToMenu(QObject* watched, const QKeyEvent& key) const {
    const auto* field = qobject_cast<QLineEdit*>(watched);
    if (!field) return false;
    // A field with a selection copies that; without one, Ctrl+C copies the results.
    if (key.matches(QKeySequence::Copy)) return !field->hasSelectedText();
    // A field with typing to undo takes it back; without, Ctrl+Z undoes the frequency the
    // analysis window set.
    if (key.matches(QKeySequence::Undo)) {
        return !field->isUndoAvailable() && undoFrequency_->isEnabled();
    }
    const QKeySequence pressed(key.keyCombination());
    for (const QAction* action : menuActions_) {
        if (action->shortcuts().contains(pressed)) return true;
    }
    return false;
}

void Form1::ReportFailedSave(const QString& what, const std::string& path,
                             const FileResult& failure) {
    ReportFileProblem(failure.error);
    QMessageBox::warning(
        this, windowTitle(),
        QString("Orvane could not save %1 to %2: %3.")
            .arg(what, QFile::decodeName(path.c_str()), QString::fromStdString(failure.reason)));
}

void Form1::OpenSettings() {
    const QString chosen =
        AskFileName(this, {false, "Open settings", kSettingsFilter, SettingsFolder()});
    if (chosen.isEmpty()) return;
    // The inputs so far go to their own file first, as closing would write them.
    if (FileResult saved = SaveMainSettings(); !saved.ok()) {
        ReportFileProblem(saved.error);
        const QString question =
            QString("Orvane could not save its settings to %1: %2. Open the other file anyway?")
                .arg(QFile::decodeName(SettingsFilePath().c_str()),
                     QString::fromStdString(saved.reason));
        if (QMessageBox::question(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                                  QMessageBox::No) != QMessageBox::Yes) {
            return;
        }
    }
    const std::string path = LocalPath(chosen);
    std::map<std::string, std::string> values;
    // A file that is no settings file stays as it is, and the one in use stays in use.
    FileResult opened = AcceptSettingsFile(path);
    if (opened.ok()) opened = ReadSettingsKeys(path, MainKeyNames(), values);
    if (!opened.ok()) {
        ReportFileProblem(opened.error);
        return;
    }
    SetSettingsFilePath(path, SettingsOrigin::Named);
    settingsReady_ = true;
    // A problem with the file before is over.
    statusLine_->ShowProblem({});
    // They hold banks and results of the file before.
    tuners_->CloseAll();
    ShowSettingsValues(values);
}

bool Form1::SaveSettingsAs() {
    const QString chosen =
        AskFileName(this, {true, "Save settings as", kSettingsFilter, Beside(kSettingsFileName)});
    if (chosen.isEmpty()) return false;
    const std::string path = LocalPath(chosen);
    // The banks come from the file in use; one that cannot be read gives the defaults.
    std::vector<std::string> lines;
    if (!settingsReady_ || !ReadSettingsLines(SettingsFilePath(), lines).ok() ||
        lines.size() != kSettingsLineCount) {
        lines = DefaultSettingsLines();
    }
    const std::map<std::string, QString> texts = MainFieldTexts();
    if (FileResult written = WriteSettingsTexts(path, lines, texts); !written.ok()) {
        ReportFailedSave("the settings", path, written);
        return false;
    }
    SetSettingsFilePath(path, SettingsOrigin::Named);
    settingsReady_ = true;
    loadedTexts_ = texts;
    statusLine_->ShowProblem({});
    return true;
}

void Form1::ExportSweepData() {
    const QString chosen =
        AskFileName(this, {true, "Export sweep data", "CSV files (*.csv)", Beside("sweep.csv")});
    if (chosen.isEmpty()) return;
    const std::string path = LocalPath(chosen);
    const FileResult written = WriteFileAtomically(
        path, SweepCsv(*source_, ReadAntennaInput(), ReadMatchLimits(), losses_));
    if (!written.ok()) ReportFailedSave("the sweep data", path, written);
}

void Form1::ExportTouchstone() {
    const QString chosen = AskFileName(
        this,
        {true, "Export Touchstone", "Touchstone one-port files (*.s1p)", Beside("antenna.s1p")});
    if (chosen.isEmpty()) return;
    const std::string path = LocalPath(chosen);
    const FileResult written =
        WriteFileAtomically(path, TouchstoneText(*source_, ReadAntennaInput(), kOrvaneVersion));
    if (!written.ok()) ReportFailedSave("the Touchstone file", path, written);
}

void Form1::SavePicture() {
    const bool impedancePlane = impedancePlaneMode();
    const QString chosen =
        AskFileName(this, {true, "Save picture", "PNG pictures (*.png)",
                           Beside(impedancePlane ? "impedance.png" : "sweep.png")});
    if (chosen.isEmpty()) return;
    const std::string path = LocalPath(chosen);
    // What the window shows, at the screen's pixel ratio: in R/X mode both views with their
    // scales.
    const QImage picture =
        (impedancePlane ? Frame2 : static_cast<QWidget*>(Picture1))->grab().toImage();
    if (FileResult written = WritePng(path, picture); !written.ok()) {
        ReportFailedSave("the picture", path, written);
    }
}

void Form1::CopyResults() {
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(ResultsTable(*source_, ReadAntennaInput(), ReadMatchLimits())));
}
