#pragma once

#include <QString>

class QWidget;

// A question for a file name, as the File menu asks it.
struct FileQuestion {
    bool save = false;  // a file to write, which may not exist yet
    QString title;
    QString filter;     // "CSV files (*.csv)"
    QString suggested;  // where the dialog starts: a folder, or a file name to save as
};

// The standard file dialog; empty when the user cancels. A file to save gets the filter's
// suffix when its name has none.
QString AskWithFileDialog(QWidget* parent, const FileQuestion& question);
