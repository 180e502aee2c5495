#include "platform/SettingsFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>

#include "tests/support/TempDir.h"

TEST(SettingsFile, MissingOrEmptyFileGetsTheDefaults) {
    WorkingDirectory dir;
    const std::string path = dir.file("ORVANE.INI");
    ASSERT_TRUE(EnsureSettingsFile(path).ok());
    EXPECT_EQ(ReadBytes(path), CrLfLines(DefaultSettingsLines()));
    EXPECT_EQ(DefaultSettingsLines().size(), 49u);

    WriteBytes(path, "");
    ASSERT_TRUE(EnsureSettingsFile(path).ok());
    EXPECT_EQ(ReadBytes(path), CrLfLines(DefaultSettingsLines()));
    EXPECT_FALSE(QDir(dir.path()).exists("ORVANE.INI.bak")) << "nothing to keep from an empty file";
}

TEST(SettingsFile, WrongLineCountIsReplacedAndKeptAsBackup) {
    for (std::size_t count : {48u, 50u, 1u, 120u}) {
        WorkingDirectory dir;
        const std::string path = dir.file("ORVANE.INI");
        std::vector<std::string> lines(count, "ANTENLEN 9");
        const std::string old = CrLfLines(lines);
        WriteBytes(path, old);
        ASSERT_TRUE(EnsureSettingsFile(path).ok());
        EXPECT_EQ(ReadBytes(path), CrLfLines(DefaultSettingsLines())) << count << " lines";
        EXPECT_EQ(ReadBytes(path + ".bak"), old) << count << " lines";
    }
}

TEST(SettingsFile, ValidFileIsUsedAsItIsWhateverItsLineEnds) {
    WorkingDirectory dir;
    const std::string path = dir.file("ORVANE.INI");
    std::vector<std::string> lines = DefaultsWith(0, "antenlen 3");
    std::string unix;
    for (const std::string& line : lines) unix += line + "\n";
    unix.pop_back();  // no end after the last line
    WriteBytes(path, unix);
    ASSERT_TRUE(EnsureSettingsFile(path).ok());
    EXPECT_EQ(ReadBytes(path), unix);
    EXPECT_FALSE(QDir(dir.path()).exists("ORVANE.INI.bak"));
}

TEST(SettingsFile, ReadingMatchesKeysInUpperCaseAndTheLastLineWins) {
    WorkingDirectory dir;
    const std::string path = dir.file("ORVANE.INI");
    WriteBytes(path, CrLfLines({"antenlen   04.50  ", "FREQUMHZ 14,2", "ANTENLEN 6", "ANTENDIA",
                                "HPCLXC08 ", "TXPOW", "UNKNOWN1 7"}));
    std::map<std::string, std::string> values;
    ASSERT_TRUE(
        ReadSettingsKeys(
            path, {"ANTENLEN", "FREQUMHZ", "ANTENDIA", "HPCLXC08", "TXPOWERW", "MATCHC01"}, values)
            .ok());
    EXPECT_EQ(values.at("ANTENLEN"), "6");
    EXPECT_EQ(values.at("FREQUMHZ"), "14,2");
    EXPECT_EQ(values.at("ANTENDIA"), "");
    EXPECT_EQ(values.at("HPCLXC08"), "");
    EXPECT_FALSE(values.count("TXPOWERW")) << "a line shorter than a key holds no key";
    EXPECT_FALSE(values.count("MATCHC01"));
}

TEST(SettingsFile, RewriteKeepsOtherLinesCaseAndOrder) {
    WorkingDirectory dir;
    const std::string path = dir.file("ORVANE.INI");
    std::vector<std::string> lines = DefaultsWith(0, "antenlen 3");
    lines[2] = "FREQUMHZ 7.1";
    lines.push_back("FREQUMHZ 1");  // a duplicate receives the new value too
    for (int i = 0; i < 80; ++i) lines.push_back("COMMENT" + std::to_string(i));  // past 100
    WriteBytes(path, CrLfLines(lines));

    ASSERT_TRUE(RewriteSettingsFile(
                    path, {{"ANTENLEN", "  12.5 "}, {"FREQUMHZ", "14,2"}, {"MISSING1", "5"}})
                    .ok());
    std::vector<std::string> expected = lines;
    expected[0] = "antenlen 12.5";
    expected[2] = "FREQUMHZ 14,2";
    expected[49] = "FREQUMHZ 14,2";
    EXPECT_EQ(ReadBytes(path), CrLfLines(expected));
}

TEST(SettingsFile, UnwritableFileOrFolderIsReportedAndLeftAsItWas) {
    WorkingDirectory dir;
    const std::string path = dir.file("ORVANE.INI");
    WriteBytes(path, CrLfLines(DefaultSettingsLines()));
    const std::string before = ReadBytes(path);

    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    FileResult result = RewriteSettingsFile(path, {{"ANTENLEN", "9"}});
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.error.find("ORVANE.INI"), std::string::npos) << result.error;
    EXPECT_EQ(result.error.find('\n'), std::string::npos) << "one line";
    EXPECT_EQ(ReadBytes(path), before);

    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    ASSERT_EQ(::chmod(dir.path().toStdString().c_str(), 0555), 0);
    result = RewriteSettingsFile(path, {{"ANTENLEN", "9"}});
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_FALSE(QDir(dir.path()).exists("ORVANE.INI.tmp"));

    const std::string fresh = dir.file("NEW.INI");
    EXPECT_FALSE(EnsureSettingsFile(fresh).ok()) << "cannot be created in a read-only folder";
    ASSERT_EQ(::chmod(dir.path().toStdString().c_str(), 0755), 0);
}

TEST(SettingsFile, ReadingAMissingFileOrAFolderIsAnError) {
    WorkingDirectory dir;
    std::map<std::string, std::string> values;
    EXPECT_FALSE(ReadSettingsKeys(dir.file("NONE.INI"), {"ANTENLEN"}, values).ok());
    QDir(dir.path()).mkdir("ORVANE.INI");
    EXPECT_FALSE(EnsureSettingsFile(dir.file("ORVANE.INI")).ok());
}
