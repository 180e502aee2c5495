#include "mainwindow/HelpWindows.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMessageBox>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "core/Version.h"

namespace {

template <typename Window>
bool Raise(QWidget* parent, const char* name) {
    Window* window = parent->findChild<Window*>(name, Qt::FindDirectChildrenOnly);
    if (!window) return false;
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

QString HelpPage() {
    QFile page(":/help/using-orvane.md");
    return page.open(QIODevice::ReadOnly) ? QString::fromUtf8(page.readAll()) : QString();
}

}  // namespace

void ShowUsingOrvane(QWidget* parent) {
    if (Raise<QDialog>(parent, "UsingOrvane")) return;
    auto* dialog = new QDialog(parent);
    dialog->setObjectName("UsingOrvane");
    dialog->setWindowTitle("Using Orvane");
    auto* text = new QTextBrowser(dialog);
    text->setMarkdown(HelpPage());
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(text);
    dialog->resize(620, 640);
    dialog->show();
}

void ShowAboutOrvane(QWidget* parent) {
    if (Raise<QMessageBox>(parent, "AboutOrvane")) return;
    auto* box = new QMessageBox(parent);
    box->setObjectName("AboutOrvane");
    box->setWindowTitle("About Orvane");
    box->setIconPixmap(QApplication::windowIcon().pixmap(64, 64));
    box->setTextFormat(Qt::RichText);
    box->setText(QString("<h3>Orvane %1</h3>"
                         "<p>Short vertical antenna rod, its matching networks and simulated "
                         "antenna tuners.</p>"
                         "<p>Free software under the GNU General Public License, version 3 or "
                         "later (GPL-3.0-or-later), without any warranty.</p>"
                         "<p>Built with Qt %2, running on Qt %3.</p>")
                     .arg(kOrvaneVersion, QT_VERSION_STR, qVersion()));
    box->setWindowModality(Qt::NonModal);
    box->show();
}
