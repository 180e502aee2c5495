#include "platform/FileDialogs.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace {

FileAsker& Asker() {
    static FileAsker asker;
    return asker;
}

}  // namespace

QString AskFileName(QWidget* parent, const FileQuestion& question) {
    if (Asker()) return Asker()(question);
    QFileDialog dialog(parent, question.title, question.suggested, question.filter);
    dialog.setAcceptMode(question.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(question.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QRegularExpressionMatch suffix =
        QRegularExpression(R"(\*\.(\w+))").match(question.filter);
    if (suffix.hasMatch()) dialog.setDefaultSuffix(suffix.captured(1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

void SetFileAsker(FileAsker asker) {
    Asker() = std::move(asker);
}
