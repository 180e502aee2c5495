#pragma once

#include <QRect>
#include <QString>
#include <string>

#include "platform/TextBoxFilter.h"

class QCheckBox;
class QColor;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// Controls placed at fixed positions, each carrying its numbered name as object name.

// See TextBoxFilter for what a text box takes.
QLineEdit* NewTextBox(QWidget* parent, const QString& name, const QRect& geometry,
                      const QString& text, const QColor& back,
                      TextBoxFilter::Kind kind = TextBoxFilter::Kind::Text);
// A box the user reads but does not edit; a click can still select its text, Tab passes it.
void MakeReadOnly(QLineEdit* box);
QLabel* NewLabel(QWidget* parent, const QString& name, const QRect& geometry,
                 const QString& caption, const QColor& back);
QPushButton* NewButton(QWidget* parent, const QString& name, const QRect& geometry,
                       const QString& caption, const QColor& back);
QRadioButton* NewOption(QWidget* parent, const QString& name, const QRect& geometry,
                        const QString& caption, const QColor& back);
QCheckBox* NewCheck(QWidget* parent, const QString& name, const QRect& geometry,
                    const QString& caption, const QColor& back);

// Narrows the label's font just as much as its whole caption needs to show.
void FitCaption(QLabel* label);

// A problem, as one line on standard error.
void ReportOnStandardError(const std::string& message);
// A file problem, as one line: on standard error and in the window's status line.
void ReportFileProblem(QLabel* statusLine, const std::string& message);
