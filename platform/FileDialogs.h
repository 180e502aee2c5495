#pragma once

#include <QString>
#include <functional>

class QWidget;

// A question for a file name, as the File menu and the tuners ask it.
struct FileQuestion {
    bool save = false;  // a file to write, which may not exist yet
    QString title;
    QString filter;     // "CSV files (*.csv)"
    QString suggested;  // where the dialog starts: a folder, or a file name to save as
};

// The platform's file dialog; empty when the user cancels. A file to save gets the filter's
// suffix when its name has none. Tests put an asker of their own in its place.
QString AskFileName(QWidget* parent, const FileQuestion& question);

using FileAsker = std::function<QString(const FileQuestion& question)>;
// Null: the platform's dialog again.
void SetFileAsker(FileAsker asker);
