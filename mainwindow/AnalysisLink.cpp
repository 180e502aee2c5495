// The main window's side of the analysis window: it follows every pass, and its double click
// sets the frequency here, the one change it makes, which Ctrl+Z in either window takes back.
#include <QAction>
#include <QLineEdit>
#include <QMenu>

#include "analysis/Analysis.h"
#include "mainwindow/Form1.h"
#include "mainwindow/ViewStore.h"
#include "platform/FieldText.h"

void Form1::BuildAnalysisEntry(QMenu& menu) {
    QAction* show = menu.addAction("Analysis", this, [this] { ShowAnalysis(); });
    show->setObjectName("ShowAnalysis");
    show->setShortcut(Qt::Key_F8);
    undoFrequency_ = new QAction(this);
    undoFrequency_->setObjectName("UndoFrequency");
    undoFrequency_->setShortcut(QKeySequence::Undo);
    undoFrequency_->setEnabled(false);
    addAction(undoFrequency_);
    connect(undoFrequency_, &QAction::triggered, this, [this] { UndoFrequencyChange(); });
}

Analysis& Form1::ShowAnalysis() {
    if (!analysis_) {
        analysis_ = std::make_unique<Analysis>(*this);
        if (const std::unique_ptr<QSettings> store = keepViewState_ ? OpenViewStore() : nullptr) {
            analysis_->restoreGeometry(store->value("analysis/geometry").toByteArray());
        }
        connect(this, &Form1::resultsChanged, analysis_.get(), &Analysis::Follow);
    }
    analysis_->show();
    analysis_->raise();
    analysis_->activateWindow();
    return *analysis_;
}

void Form1::SetFrequencyUndoably(double f_MHz) {
    const QString text = FieldText(f_MHz);
    if (text == Text8->text()) return;
    frequencyChanges_.emplace_back(Text8->text(), text);
    undoFrequency_->setEnabled(true);
    SetFrequencyText(text);
}

void Form1::UndoFrequencyChange() {
    if (frequencyChanges_.empty()) return;
    const auto [before, after] = frequencyChanges_.back();
    frequencyChanges_.pop_back();
    // The user has set another frequency since: that one stays, and so do all before it.
    if (Text8->text() != after) frequencyChanges_.clear();
    undoFrequency_->setEnabled(!frequencyChanges_.empty());
    if (Text8->text() == after) SetFrequencyText(before);
}
