#include "platform/FileDialogs.h"

#include <QFileDialog>

namespace {

SaveFileAsker& Asker() {
    static SaveFileAsker asker;
    return asker;
}

}  // namespace

QString AskSaveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                        const QString& filter) {
    if (Asker()) return Asker()(parent, caption, suggested, filter);
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

void SetSaveFileAsker(SaveFileAsker asker) {
    Asker() = std::move(asker);
}
