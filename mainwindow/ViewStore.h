#pragma once

#include <QSettings>
#include <QString>
#include <memory>

// The store of the view state and the program's own settings (the parts' Qs, the analysis
// window's place), where QSettings keeps it for this program. It is opened only where it is
// a regular file or not there yet; `problem` then says why not.
std::unique_ptr<QSettings> OpenViewStore(QString* problem = nullptr);
