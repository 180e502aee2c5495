#pragma once

#include <QRect>
#include <QString>
#include <string>

class QCheckBox;
class QColor;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// Controls placed at fixed positions, each carrying its numbered name as object name.

QLineEdit* NewTextBox(QWidget* parent, const QString& name, const QRect& geometry,
                      const QString& text, const QColor& back);
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

// A file problem, as one line: on standard error and in the window's status line.
void ReportFileProblem(QLabel* statusLine, const std::string& message);
