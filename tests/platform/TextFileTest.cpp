#include "platform/TextFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <tuple>

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
    const FileResult copied = OnAFullDisk([] { return CopyFile("F.INI", "F.INI.bak"); });
    const FileResult written =
        OnAFullDisk([] { return WriteFileAtomically("F.INI", std::string(5000, 'n')); });
    EXPECT_EQ(copied.error.rfind("F.INI.bak: cannot write: ", 0), 0u) << copied.error;
    EXPECT_EQ(written.error.rfind("F.INI: cannot write: ", 0), 0u) << written.error;
    EXPECT_EQ(ReadBytes("F.INI"), settings);
    EXPECT_EQ(dir.entries(), QStringList{"F.INI"});

    // With room on the disk the copy is complete and as private as the file it copies.
    ASSERT_TRUE(CopyFile("F.INI", "F.INI.bak").ok());
    EXPECT_EQ(ReadBytes("F.INI.bak"), settings);
    EXPECT_EQ(ModeOf("F.INI.bak"), 0600);

    // A copy never takes the place of what is there: an older backup, or a planted link.
    WriteBytes("older", "an older backup");
    ASSERT_EQ(::symlink("older", "F.INI.lnk"), 0);
    for (const char* taken : {"F.INI.bak", "F.INI.lnk"}) {
        const std::string before = ReadBytes(taken);
        EXPECT_EQ(CopyFile("F.INI", taken).error,
                  std::string(taken) + ": cannot write: " + std::strerror(EEXIST));
        EXPECT_EQ(ReadBytes(taken), before);
    }
    EXPECT_EQ(ReadBytes("older"), "an older backup");
    EXPECT_EQ(dir.entries(), (QStringList{"F.INI", "F.INI.bak", "F.INI.lnk", "older"}));
}

// A writer killed at any moment leaves its temporary file; the next write of the same file
// removes those whose writer is gone, and a name of the longest length a folder entry may
// have is written like any other.
TEST(AtomicWrite, AnyLegalNameIsWrittenAndTheLeftoversOfDeadWritersGo) {
    WorkingDirectory dir;
    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
    for (const std::size_t length : {5, 200, 231, 232, 243, 255}) {
        SCOPED_TRACE(length);
        const std::string name = std::string(length - 4, 'n') + ".csv";
        // The writer's own suffix on the name, cut short as the writer cuts it.
        const auto temporary = [&](pid_t writer) {
            const std::string suffix = "." + std::to_string(writer) + ".0badf00d.tmp";
            return name.substr(0, std::min(name.size(), std::size_t{255 - 24})) + suffix;
        };
        const std::string stale = temporary(gone);
        const std::string live = temporary(::getpid());
        WriteBytes(stale, "stale");
        WriteBytes(live, "in use");
        const std::string other = "other.csv." + std::to_string(gone) + ".0badf00d.tmp";
        WriteBytes(other, "another file's");

        ASSERT_TRUE(WriteFileAtomically(name, "a,b\r\n").ok());
        EXPECT_EQ(ReadBytes(name), "a,b\r\n");
        QStringList expected{QString::fromStdString(name), QString::fromStdString(live),
                             QString::fromStdString(other)};
        expected.sort();
        EXPECT_EQ(dir.entries(), expected);
        for (const QString& entry : dir.entries()) QFile::remove(entry);
    }
}

TEST(TextFile, ReadsOnlyRegularFilesUpToALimitAndLinksOnlyWhenAllowed) {
    WorkingDirectory dir;
    WriteBytes("small", "0123456789");
    ASSERT_EQ(::symlink("small", "link"), 0);
    ASSERT_EQ(::symlink("/dev/zero", "zero"), 0);
    ASSERT_EQ(::mkfifo("fifo", 0600), 0);
    const std::string kTooLarge = ": cannot read: larger than 9 bytes";
    const std::string kNotRegular = ": cannot read: not a regular file";
    // The name, the links rule, the limit, and the bytes or the failure.
    const std::tuple<std::string, Links, std::uintmax_t, std::string> cases[] = {
        {"small", Links::Follow, 10, "0123456789"},
        {"small", Links::Follow, 9, "small" + kTooLarge},
        {"link", Links::Follow, 10, "0123456789"},
        {"link", Links::Refuse, 10, "link" + kNotRegular},
        {"zero", Links::Follow, 1024, "zero" + kNotRegular},
        {"fifo", Links::Follow, 1024, "fifo" + kNotRegular},
        // Its size says 0: the limit holds while it is read.
        {"/proc/self/maps", Links::Follow, 9, "/proc/self/maps" + kTooLarge}};
    for (const auto& [name, links, limit, outcome] : cases) {
        std::string bytes;
        const FileResult read = ReadFileBytes(name, bytes, limit, links);
        EXPECT_EQ(read.ok() ? bytes : read.error, outcome) << name;
    }
    std::vector<std::string> lines;
    EXPECT_EQ(ReadAllLines("small", lines, 9).error, "small" + kTooLarge);
}
