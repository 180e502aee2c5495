#include "mainwindow/FileQuestion.h"

#include <QFileDialog>
#include <QRegularExpression>

QString AskWithFileDialog(QWidget* parent, const FileQuestion& question) {
    QFileDialog dialog(parent, question.title, question.suggested, question.filter);
    dialog.setAcceptMode(question.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(question.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QRegularExpressionMatch suffix =
        QRegularExpression(R"(\*\.(\w+))").match(question.filter);
    if (suffix.hasMatch()) dialog.setDefaultSuffix(suffix.captured(1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}
