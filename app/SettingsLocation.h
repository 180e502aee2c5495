#pragma once

#include <string>

// Where the program keeps its own settings file when no --settings names one: ORVANE.INI in
// the working folder when one is there or the program runs from its build tree, as it always
// has; otherwise, installed and started from the desktop menu in the home folder, in the
// user's configuration folder ($XDG_CONFIG_HOME/orvane/ORVANE.INI, ~/.config/orvane without
// it). Needs no application object.
std::string OwnSettingsFilePath();
