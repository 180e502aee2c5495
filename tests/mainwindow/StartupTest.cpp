#include <gtest/gtest.h>

#include <QLineEdit>

#include "mainwindow/Form1.h"
#include "platform/SettingsFile.h"
#include "tests/support/TempDir.h"

TEST(Startup, CreatesDefaultSettingsAndShowsDefaults) {
    WorkingDirectory dir;
    Form1 form;
    EXPECT_EQ(ReadBytes(dir.file("ORVANE.INI")), CrLfLines(DefaultSettingsLines()));
    EXPECT_EQ(form.findChild<QLineEdit*>("Text1")->text(), "4.5");
}
