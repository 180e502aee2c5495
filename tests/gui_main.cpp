// Entry point of the widget tests: one QApplication on the offscreen platform.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <cstdlib>

#include "tests/support/TempDir.h"

int main(int argc, char** argv) {
    // A test may bring its own offscreen screens ("offscreen:configfile=...").
    if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith("offscreen")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // A test run again in a child for its permission checks shares its parent's folders.
    const bool child = qEnvironmentVariableIsSet("ORVANE_TEST_RUNTIME");
    const QString runtime = child
                                ? qEnvironmentVariable("ORVANE_TEST_RUNTIME")
                                : QDir::tempPath() + QString("/orvane-runtime-%1").arg(::getpid());
    if (!child) {
        QDir().mkpath(runtime);
        QFile::setPermissions(
            runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("ORVANE_TEST_RUNTIME", runtime.toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
        // The view state goes to a store of the test's own (also for the programs it
        // starts), never to the user's.
        qputenv("XDG_CONFIG_HOME", (runtime + "/config").toLocal8Bit());
        // NEC-2 runs are cached there.
        qputenv("XDG_CACHE_HOME", (runtime + "/cache").toLocal8Bit());
    }

    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    if (!child) QDir(runtime).removeRecursively();
    return result;
}
