#pragma once

#include <QString>
#include <functional>

class QWidget;

// Asks the user where to save a file, through the platform's dialog; empty when the user
// cancels. Tests put an asker of their own in its place.
QString AskSaveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                        const QString& filter);

using SaveFileAsker = std::function<QString(QWidget* parent, const QString& caption,
                                            const QString& suggested, const QString& filter)>;
// Null: the platform's dialog again.
void SetSaveFileAsker(SaveFileAsker asker);
