#include "platform/TextFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <csignal>

#include "tests/support/TempDir.h"

namespace {

// Runs the write as on a full disk: writing past a few bytes of a file fails.
template <typename Write>
FileResult OnAFullDisk(Write write) {
    rlimit saved;
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit full = saved;
    full.rlim_cur = 1000;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &full);
    const FileResult result = write();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    return result;
}

}  // namespace

TEST(AtomicWrite, TwoProcessesWritingAtOnceLeaveOneCompleteVersion) {
    WorkingDirectory dir;
    const std::string mine(20000, 'a');
    const std::string theirs(30000, 'b');
    constexpr int kRounds = 200;
    const pid_t other = ::fork();
    if (other == 0) {
        int failures = 0;
        for (int i = 0; i < kRounds; ++i) failures += !WriteFileAtomically("F.INI", theirs).ok();
        ::_exit(failures == 0 ? 0 : 1);
    }
    ASSERT_GT(other, 0);
    int failures = 0;
    int torn = 0;
    for (int i = 0; i < kRounds; ++i) {
        failures += !WriteFileAtomically("F.INI", mine).ok();
        const std::string now = ReadBytes("F.INI");
        torn += now != mine && now != theirs;
    }
    int status = -1;
    ASSERT_EQ(::waitpid(other, &status, 0), other);
    EXPECT_EQ(status, 0) << "the other process failed to write";
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(dir.entries(), QStringList{"F.INI"}) << "no temporary file is left";
}

TEST(AtomicWrite, ALinkIsWrittenThroughAndTheFileKeepsItsPermissions) {
    WorkingDirectory dir;
    QDir(dir.path()).mkpath("real");
    QDir(dir.path()).mkpath("links");
    WriteBytes("real/settings.ini", "old");
    ASSERT_EQ(::chmod("real/settings.ini", 0640), 0);
    ASSERT_EQ(::symlink("../real/settings.ini", "links/first"), 0);
    ASSERT_EQ(::symlink("first", "links/F.INI"), 0);  // a chain of links

    ASSERT_TRUE(WriteFileAtomically("links/F.INI", "new").ok());
    EXPECT_EQ(ReadBytes("real/settings.ini"), "new");
    EXPECT_EQ(ModeOf("real/settings.ini"), 0640);
    struct stat link;
    ASSERT_EQ(::lstat("links/F.INI", &link), 0);
    EXPECT_TRUE(S_ISLNK(link.st_mode));
    EXPECT_EQ(dir.entries("real"), QStringList{"settings.ini"});
    EXPECT_EQ(dir.entries("links"), (QStringList{"F.INI", "first"}));
}

TEST(AtomicWrite, AFailedWriteOrCopyLeavesTheOldFileWholeAndNothingElse) {
    WorkingDirectory dir;
    const std::string settings(4000, 's');
    WriteBytes("F.INI", settings);
    ASSERT_EQ(::chmod("F.INI", 0600), 0);
    WriteBytes("F.INI.bak", "an older backup");
    const FileResult copied = OnAFullDisk([] { return CopyFile("F.INI", "F.INI.bak"); });
    const FileResult written =
        OnAFullDisk([] { return WriteFileAtomically("F.INI", std::string(5000, 'n')); });
    EXPECT_EQ(copied.error.rfind("F.INI.bak: cannot write: ", 0), 0u) << copied.error;
    EXPECT_EQ(ReadBytes("F.INI.bak"), "an older backup");
    EXPECT_EQ(written.error.rfind("F.INI: cannot write: ", 0), 0u) << written.error;
    EXPECT_EQ(ReadBytes("F.INI"), settings);
    EXPECT_EQ(dir.entries(), (QStringList{"F.INI", "F.INI.bak"}));

    // With room on the disk the backup is complete and as private as the file it copies.
    ASSERT_TRUE(CopyFile("F.INI", "F.INI.bak").ok());
    EXPECT_EQ(ReadBytes("F.INI.bak"), settings);
    EXPECT_EQ(ModeOf("F.INI.bak"), 0600);
}
