#include <gtest/gtest.h>

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "app/Identity.h"
#include "core/Version.h"

TEST(Identity, NamesTheProgramAndGivesEveryWindowItsIcon) {
    SetApplicationIdentity();
    SetApplicationIcon();
    // Name and version: see --version.
    EXPECT_EQ(QCoreApplication::organizationName(), "Orvane");
    EXPECT_EQ(QGuiApplication::desktopFileName(), kOrvaneAppId);
    EXPECT_TRUE(QGuiApplication::applicationDisplayName() == "Orvane")
        << "no display name of its own, which would be added to the window titles";

    // The SVG really renders: the rod stands light on the dark background.
    const QImage icon = QApplication::windowIcon().pixmap(64, 64).toImage();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(qAlpha(icon.pixel(1, 1)), 0) << "rounded corner";
    EXPECT_GT(qGray(icon.pixel(32, 20)), 180) << "the rod";
}
