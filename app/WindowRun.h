#pragma once

#include "app/ExportRun.h"

// The user chose the windows' style with Qt's -style: it replaces the program's own.
void KeepStyleGiven(bool given);

// Style and icon that every window of the program shares; needs the QApplication.
void PrepareWindowApplication();

// Starts the main window on the desktop with the antenna source the command line names (or
// the one of the last session) and runs it until it is closed. A measured file that cannot
// be read ends the program with exit code 1 before any window opens.
int RunWindow(int& argc, char** argv, const AntennaOption& antenna);
