#include "mainwindow/StatusLine.h"

#include <QLabel>
#include <QStringList>

StatusLine::StatusLine(QLabel* label) : label_(label) {}

void StatusLine::ShowProblem(const QString& text) {
    problem_ = text;
    Show();
}

void StatusLine::SetNote(Note note, const QString& text) {
    notes_[static_cast<std::size_t>(note)] = text;
    Show();
}

void StatusLine::ShowReadout(const QString& text) {
    readout_ = text;
    Show();
}

void StatusLine::EndReadout() {
    readout_.clear();
    Show();
}

QString StatusLine::text() const {
    if (!readout_.isEmpty()) return readout_;
    QStringList parts;
    if (!problem_.isEmpty()) parts << problem_;
    for (const QString& note : notes_) {
        if (!note.isEmpty()) parts << note;
    }
    return parts.join("   |   ");
}

void StatusLine::Show() {
    const QString shown = text();
    if (label_->text() == shown) return;
    label_->setText(shown);
    // The line may be wider than the window: the whole of it in the tooltip.
    label_->setToolTip(shown);
}
