#pragma once

// The user chose the windows' style with Qt's -style: it replaces the program's own.
void KeepStyleGiven(bool given);

// Style and icon that every window of the program shares; needs the QApplication.
void PrepareWindowApplication();

// Starts the main window on the desktop and runs it until it is closed.
int RunWindow(int& argc, char** argv);
