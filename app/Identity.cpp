#include "app/Identity.h"

#include <QApplication>
#include <QIcon>

#include "core/Version.h"

void SetApplicationIdentity() {
    QCoreApplication::setOrganizationName("Orvane");
    QCoreApplication::setOrganizationDomain("orvane.org");
    QCoreApplication::setApplicationName("Orvane");
    QCoreApplication::setApplicationVersion(kOrvaneVersion);
    // No display name: Qt would append it to every window title.
    QGuiApplication::setDesktopFileName(kOrvaneAppId);
}

void SetApplicationIcon() {
    QApplication::setWindowIcon(QIcon(QString(":/icons/%1.svg").arg(kOrvaneAppId)));
}
