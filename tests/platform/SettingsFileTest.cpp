#include "platform/SettingsFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <tuple>

#include "tests/support/OrdinaryUser.h"
#include "tests/support/TempDir.h"

namespace {

// Relative, as the program names it, so that messages read as the user sees them.
const std::string kPath = "ORVANE.INI";
const std::string kBom = "\xEF\xBB\xBF";

}  // namespace

TEST(SettingsFile, OnlyAFileOf49LinesIsKeptOthersAreBackedUpAndReplacedWithANotice) {
    const std::string defaults = CrLfLines(DefaultSettingsLines());
    const std::string valid = CrLfLines(DefaultsWith(0, "antenlen 3"));
    std::string unix = valid;  // LF ends and no end after the last line
    std::erase(unix, '\r');
    unix.pop_back();
    // The content (none: no file) and the lines counted in it (49: kept as it is).
    const std::tuple<std::optional<std::string>, std::size_t> cases[] = {
        {std::nullopt, 0},  // made without a word
        {"", 0},            // nothing to keep: replaced without a word
        {valid, 49},
        {unix, 49},
        {kBom + valid, 49},
        {valid + "\r\n  \r\n\r\n", 49},  // an editor's blank lines at the end
        {CrLfLines(std::vector<std::string>(48, "ANTENLEN 9")) + "\r\n\r\n", 49},
        {CrLfLines(std::vector<std::string>(48, "ANTENLEN 9")), 48},
        {valid + "ANTENLEN 9\r\n\r\n", 50},
        {CrLfLines({"ANTENLEN 9"}), 1},
        {CrLfLines(std::vector<std::string>(120, "ANTENLEN 9")), 120}};
    for (const auto& [content, counted] : cases) {
        WorkingDirectory dir;
        if (content) WriteBytes(kPath, *content);
        std::string restored;
        ASSERT_TRUE(EnsureSettingsFile(kPath, restored).ok()) << counted;
        if (counted == 49 || counted == 0) {
            EXPECT_EQ(ReadBytes(kPath), counted ? *content : defaults);
            EXPECT_EQ(restored, "");
            EXPECT_EQ(dir.entries(), QStringList{"ORVANE.INI"});
            continue;
        }
        EXPECT_EQ(ReadBytes(kPath), defaults) << counted;
        EXPECT_EQ(ReadBytes(kPath + ".bak"), *content) << counted;
        EXPECT_EQ(restored, "ORVANE.INI had " + std::to_string(counted) +
                                (counted == 1 ? " line" : " lines") +
                                ", not 49: defaults restored, old file kept as ORVANE.INI.bak");
    }
}

// Reading matches keys in upper case and the last line wins.
TEST(SettingsFile, KeysAreReadAndRewrittenInTheirLines) {
    WorkingDirectory dir;
    // The byte-order mark of an editor is no part of the first key.
    WriteBytes(kPath, kBom + CrLfLines({"antenlen   04.50  ", "FREQUMHZ 14,2", "FREQUMHZ 6",
                                        "ANTENDIA", "HPCLXC08 ", "TXPOW", "UNKNOWN1 7"}));
    std::map<std::string, std::string> values;
    ASSERT_TRUE(
        ReadSettingsKeys(
            kPath, {"ANTENLEN", "FREQUMHZ", "ANTENDIA", "HPCLXC08", "TXPOWERW", "MATCHC01"}, values)
            .ok());
    EXPECT_EQ(values,
              (std::map<std::string, std::string>{
                  {"ANTENLEN", "04.50"}, {"FREQUMHZ", "6"}, {"ANTENDIA", ""}, {"HPCLXC08", ""}}))
        << "a line shorter than a key holds no key";

    // A rewrite keeps the other lines, the keys' case and the order, and drops what does not
    // count.
    std::vector<std::string> lines = DefaultsWith(0, "antenlen 3");
    lines.push_back("FREQUMHZ 1");  // a duplicate receives the new value too
    for (int i = 0; i < 80; ++i) lines.push_back("COMMENT" + std::to_string(i));  // past 100
    WriteBytes(kPath, kBom + CrLfLines(lines) + "\r\n\r\n");

    ASSERT_TRUE(RewriteSettingsFile(
                    kPath, {{"ANTENLEN", "  12.5 "}, {"FREQUMHZ", "14,2"}, {"MISSING1", "5"}})
                    .ok());
    std::vector<std::string> expected = lines;
    expected[0] = "antenlen 12.5";
    expected[2] = "FREQUMHZ 14,2";
    expected[49] = "FREQUMHZ 14,2";
    EXPECT_EQ(ReadBytes(kPath), CrLfLines(expected));
}

TEST(SettingsFile, ALineBreakOrAFolderWithoutRoomIsReportedAndTheFileLeftAsItWas) {
    WorkingDirectory dir;
    WriteBytes(kPath, CrLfLines(DefaultSettingsLines()));
    const std::string before = ReadBytes(kPath);
    for (const char* value : {"5\r\n6\tx", "5\n", "\r"}) {
        const FileResult result =
            RewriteSettingsFile(kPath, {{"MATCHRLO", "1"}, {"TXPOWERW", value}});
        EXPECT_EQ(result.error, "ORVANE.INI: cannot write TXPOWERW: its value holds a line break");
        EXPECT_EQ(ReadBytes(kPath), before);
    }

    // A read-only folder takes no temporary file: the file stays as it was.
    AsOrdinaryUser([&] {
        ASSERT_EQ(::chmod(".", 0555), 0);
        EXPECT_FALSE(RewriteSettingsFile(kPath, {{"ANTENLEN", "9"}}).ok());
        ASSERT_EQ(::chmod(".", 0755), 0);
        EXPECT_EQ(ReadBytes(kPath), before);
        EXPECT_EQ(dir.entries(), QStringList{"ORVANE.INI"});
    });
}

TEST(SettingsFile, WhatIsNotARegularFileIsRefusedWithoutBlocking) {
    WorkingDirectory dir;
    QDir(dir.path()).mkdir("folder");
    ASSERT_EQ(::mkfifo("fifo", 0644), 0);
    ASSERT_EQ(::symlink("/dev/null", "device"), 0);
    std::map<std::string, std::string> values;
    for (const std::string name : {"fifo", "device", "folder"}) {
        struct stat before;
        ASSERT_EQ(::lstat(name.c_str(), &before), 0);
        std::string restored;
        const FileResult ensured = EnsureSettingsFile(name, restored);
        EXPECT_EQ(ensured.error, name + ": cannot read: not a regular file");
        EXPECT_FALSE(ReadSettingsKeys(name, {"ANTENLEN"}, values).ok()) << name;
        EXPECT_FALSE(RewriteSettingsFile(name, {{"ANTENLEN", "9"}}).ok()) << name;
        struct stat after;
        ASSERT_EQ(::lstat(name.c_str(), &after), 0);
        EXPECT_EQ(after.st_mode, before.st_mode) << name << " stays what it was";
    }
    EXPECT_EQ(dir.entries(), (QStringList{"device", "fifo", "folder"}));
    EXPECT_FALSE(ReadSettingsKeys("NONE.INI", {"ANTENLEN"}, values).ok());
}

TEST(SettingsFile, StartRemovesOnlyItsOwnLeftoversAndWritesThroughNoPlantedLink) {
    WorkingDirectory dir;
    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
    const QString dead = QString::number(gone);
    QStringList kept{"ORVANE.INI", "ORVANE.INI.bak", "ORVANE.INI.tmp", "victim"};
    kept << "ORVANE.INI." + QString::number(::getpid()) + ".abcdef01.tmp"
         << "ORVANE.INI." + dead + ".tmp"
         << "OTHER.INI." + dead + ".0badf00d.tmp";
    const QStringList leftovers{"ORVANE.INI." + dead + ".0badf00d.tmp",
                                "ORVANE.INI.bak." + dead + ".12345678.tmp"};
    for (const QString& name : leftovers + kept.mid(4)) WriteBytes(name.toStdString(), "x");
    WriteBytes("victim", "precious");
    ASSERT_EQ(::symlink("victim", "ORVANE.INI.tmp"), 0);
    ASSERT_EQ(::symlink("victim", "ORVANE.INI.bak"), 0);
    const std::string damaged = CrLfLines({"ANTENLEN 9"});
    WriteBytes(kPath, damaged);

    std::string restored;
    ASSERT_TRUE(EnsureSettingsFile(kPath, restored).ok());
    ASSERT_TRUE(RewriteSettingsFile(kPath, {{"ANTENLEN", "7"}}).ok());
    kept.sort();
    EXPECT_EQ(dir.entries(), kept);
    EXPECT_EQ(ReadBytes("victim"), "precious");
    EXPECT_EQ(ReadBytes(kPath), CrLfLines(DefaultsWith(0, "ANTENLEN 7")));
    struct stat backup;
    ASSERT_EQ(::lstat("ORVANE.INI.bak", &backup), 0);
    EXPECT_TRUE(S_ISREG(backup.st_mode)) << "the planted link is replaced";
    EXPECT_EQ(ReadBytes("ORVANE.INI.bak"), damaged);
}
