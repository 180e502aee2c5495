// The menu bar above the design: menus come in their order here, Help last.
#include <QMenuBar>

#include "mainwindow/Form1.h"
#include "mainwindow/HelpWindows.h"

void Form1::BuildMenuBar() {
    BuildFileMenu();
    QMenu* view = menuBar()->addMenu("&View");
    view->setObjectName("ViewMenu");
    BuildNecSwitch(*view);
    BuildAntennaMenu();
    BuildAnalysisEntry(*view);
    BuildOptionsMenu();
    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("HelpMenu");
    QAction* page = help->addAction("Using Orvane", this, [this] { ShowUsingOrvane(this); });
    page->setShortcut(QKeySequence::HelpContents);
    help->addAction("About Orvane", this, [this] { ShowAboutOrvane(this); });
}
