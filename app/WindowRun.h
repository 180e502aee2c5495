#pragma once

#include <QString>

// Style and icon that every window of the program shares; needs the QApplication.
void PrepareWindowApplication();

// Starts the main window on the desktop and runs it until it is closed. An empty
// `settingsFile` means ORVANE.INI in the working directory.
int RunWindow(int& argc, char** argv, const QString& settingsFile);
