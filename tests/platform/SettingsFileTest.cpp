#include "platform/SettingsFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
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
        {CrLfLines({"ANTENLEN 9"}), 1}};
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
    ASSERT_EQ(::mkfifo("fifo", 0644), 0);
    ASSERT_EQ(::symlink("/dev/null", "device"), 0);
    std::map<std::string, std::string> values;
    for (const std::string name : {"fifo", "device"}) {
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
    EXPECT_EQ(dir.entries(), (QStringList{"device", "fifo"}));
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
    kept << "ORVANE.INI.bak.1";
    kept.sort();
    EXPECT_EQ(dir.entries(), kept);
    EXPECT_EQ(ReadBytes("victim"), "precious");
    EXPECT_EQ(ReadBytes(kPath), CrLfLines(DefaultsWith(0, "ANTENLEN 7")));
    struct stat backup;
    ASSERT_EQ(::lstat("ORVANE.INI.bak", &backup), 0);
    EXPECT_TRUE(S_ISLNK(backup.st_mode)) << "the planted link is neither replaced nor followed";
    EXPECT_EQ(ReadBytes("ORVANE.INI.bak.1"), damaged);
    EXPECT_EQ(restored,
              "ORVANE.INI had 1 line, not 49: defaults restored, old file kept as "
              "ORVANE.INI.bak.1");
}

// A repair keeps every earlier backup, and a file far larger than any settings file is
// refused before it is read, without a backup.
TEST(SettingsFile, RepairsNumberTheirBackupsAndAHugeFileIsRefusedUnread) {
    WorkingDirectory dir;
    WriteBytes("ORVANE.INI.bak", "first");
    WriteBytes("ORVANE.INI.bak.1", "second");
    for (const char* content : {"third\r\n", "fourth\r\n"}) {
        WriteBytes(kPath, content);
        std::string restored;
        ASSERT_TRUE(EnsureSettingsFile(kPath, restored).ok());
        EXPECT_TRUE(restored.ends_with(content[1] == 'h' ? ".bak.2" : ".bak.3")) << restored;
    }
    EXPECT_EQ(ReadBytes("ORVANE.INI.bak"), "first");
    EXPECT_EQ(ReadBytes("ORVANE.INI.bak.1"), "second");
    EXPECT_EQ(ReadBytes("ORVANE.INI.bak.2"), "third\r\n");
    EXPECT_EQ(ReadBytes("ORVANE.INI.bak.3"), "fourth\r\n");

    // One byte over the limit: a valid file padded with blanks.
    std::string huge = CrLfLines(DefaultSettingsLines());
    huge.resize(kLargestSettingsFile + 1, ' ');
    WriteBytes(kPath, huge);
    const std::string kHuge = "ORVANE.INI: cannot read: larger than 1 MB";
    std::string restored;
    EXPECT_EQ(EnsureSettingsFile(kPath, restored).error, kHuge);
    // Every reader goes through the same lines: the repair and the runs without a window.
    std::map<std::string, std::string> values;
    std::string damaged;
    EXPECT_EQ(ReadSettingsKeysAsIs(kPath, SettingsOrigin::Own, {"ANTENLEN"}, values, damaged).error,
              kHuge);
    EXPECT_EQ(ReadBytes(kPath), huge);
    EXPECT_EQ(dir.entries().size(), 5) << "no backup of it";
}

// A file the user names stays the user's unless it is a settings file: it is neither
// repaired nor backed up nor rewritten, also not while it is in use.
TEST(SettingsFile, AFileTheUserNamedIsTakenOnlyWhenItIsASettingsFile) {
    WorkingDirectory dir;
    const std::string valid = CrLfLines(DefaultsWith(0, "ANTENLEN 3"));
    std::vector<std::string> keyless(49, "just some text");
    std::string binary = valid;
    binary[20] = '\0';
    const std::string defaults = CrLfLines(DefaultSettingsLines());
    // The content (none: no file), the file afterwards and the failure.
    const std::tuple<std::optional<std::string>, std::string, std::string> cases[] = {
        {std::nullopt, defaults, ""},
        {"", defaults, ""},
        {valid, valid, ""},
        {CrLfLines({"my notes", "", "ANTENLEN 3"}), "", "3 lines, not 49"},
        {valid + "ANTENLEN 4\r\n", "", "50 lines, not 49"},
        {binary, "", "not text"},
        {CrLfLines(keyless), "", "no line holds a setting"}};
    for (const auto& [content, after, why] : cases) {
        SCOPED_TRACE(why);
        for (const QString& entry : dir.entries()) QFile::remove(entry);
        if (content) WriteBytes("notes.txt", *content);
        // The runs without a window read it as they find it: a missing file is an error too.
        std::map<std::string, std::string> values;
        std::string damaged;
        const FileResult asIs =
            ReadSettingsKeysAsIs("notes.txt", SettingsOrigin::Named, {"ANTENLEN"}, values, damaged);
        if (!content) {
            EXPECT_EQ(asIs.error, "notes.txt: cannot read: " + std::string(std::strerror(ENOENT)));
        } else if (why.empty()) {
            EXPECT_TRUE(asIs.ok()) << asIs.error;
            EXPECT_EQ(values.at("ANTENLEN"), content->empty() ? "4.5" : "3");
        }

        const std::string refusal =
            why.empty() ? "" : "notes.txt: not a settings file (" + why + "), left as it is";
        EXPECT_EQ(AcceptSettingsFile("notes.txt").error, refusal);
        if (!why.empty()) {
            EXPECT_EQ(asIs.error, refusal);
        }
        EXPECT_EQ(ReadBytes("notes.txt"), after.empty() ? *content : after);
        EXPECT_EQ(dir.entries(), QStringList{"notes.txt"}) << "no backup, nothing else";
    }

    // In use, as --settings leaves it when the window refused it at start, it is not read or
    // rewritten for any window.
    WriteBytes("notes.txt", CrLfLines({"ANTENLEN 3", "HPCLXC01 5"}));
    SetSettingsFilePath("notes.txt", SettingsOrigin::Named);
    std::map<std::string, std::string> values;
    const std::string refusal = "notes.txt: not a settings file (2 lines, not 49), left as it is";
    EXPECT_EQ(ReadSettingsKeys("notes.txt", {"HPCLXC01"}, values).error, refusal);
    EXPECT_EQ(RewriteSettingsFile("notes.txt", {{"HPCLXC01", "7"}}).error, refusal);
    std::string restored;
    EXPECT_EQ(PrepareSettingsFile(restored).error, refusal);
    // The program's own file of that content is still read and rewritten line by line.
    SetSettingsFilePath("notes.txt", SettingsOrigin::Own);
    EXPECT_TRUE(RewriteSettingsFile("notes.txt", {{"HPCLXC01", "7"}}).ok());
    SetSettingsFilePath(kSettingsFileName, SettingsOrigin::Own);
    EXPECT_EQ(ReadBytes("notes.txt"), CrLfLines({"ANTENLEN 3", "HPCLXC01 7"}));
}
