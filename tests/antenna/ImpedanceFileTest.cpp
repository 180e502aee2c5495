#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "antenna/ImpedanceFile.h"

namespace {

struct Expected {
    double f_MHz, r, x;
};

// Real-shaped files of every unit, parameter kind and format; each case's points.
TEST(ImpedanceFile, ReadsEveryUnitParameterAndFormat) {
    const struct {
        const char* name;
        const char* text;
        std::vector<Expected> points;
    } cases[] = {
        {"ri.s1p", "# MHz S RI R 50\n7.0 0 0\n7.1 0.5 0\n", {{7.0, 50, 0}, {7.1, 150, 0}}},
        {"ma.s1p", "# Hz S MA R 50\n7000000 0.5 90\n", {{7, 30, 40}}},
        {"db.s1p", "# MHz S DB R 50\n7 -6.020599913 90\n", {{7, 30, 40}}},
        {"z.s1p", "# kHz Z RI R 75\n7000 0.4 -0.2\n", {{7, 30, -15}}},
        {"y.s1p", "# GHz Y RI R 50\n0.007 0.5 0\n", {{7, 100, 0}}},
        {"case.s1p",
         "#\tmhz  ri s r 50\r\n7\t0\t0\r\n7.1  +0.5  0  \r\n",
         {{7, 50, 0}, {7.1, 150, 0}}},
        {"defaults.s1p", "0.007 0.5 90\n", {{7, 30, 40}}},
        {"comments.s1p",
         "! VNA export\n# MHz S RI R 50 ! options\n\n7 0 0 ! first\n!\n7.1 0 0\n",
         {{7, 50, 0}, {7.1, 50, 0}}},
        {"second.s1p", "# MHz Z RI R 1\n# Hz S MA R 50\n7 30 -40\n", {{7, 30, -40}}},
        {"cr.s1p", "# MHz Z RI R 1\r7 30 -40\r", {{7, 30, -40}}},
        {"bom.s1p", "\xEF\xBB\xBF# MHz Z RI R 1\n7 30 -40\n", {{7, 30, -40}}},
        {"amp.s2p",
         "# MHz S RI R 50\n7 0.5 0 0.1 0 0.1 0 0 0\n7.1 0.5 0\n 0 0 0 0\n 0 0\n",
         {{7, 150, 0}, {7.1, 150, 0}}},
        {"export.csv",
         "# source: model\r\nf_MHz,R_f_Ohm,X_f_Ohm,Z_f_Ohm\r\n7,30,-40,50\r\n",
         {{7, 30, -40}}},
        {"vna.csv",
         "\"Frequency (Hz)\",\"R\",\"X\"\n7000000,30,40\n7100000,31,41\n",
         {{7, 30, 40}, {7.1, 31, 41}}},
        {"gaps.csv",
         "freq_khz,resistance,reactance,note\n7000,30,40,\"a, b\"\n7050,,,\n",
         {{7, 30, 40}}},
        {"noext", "f (MHz),R,X\n7,30,40\n", {{7, 30, 40}}},
        {"noext.txt", "# MHz Z RI R 1\n7 30 40\n", {{7, 30, 40}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ImpedanceFileRead read = ParseImpedanceFile(c.text, c.name);
        ASSERT_TRUE(read.file) << read.fault;
        ASSERT_EQ(read.file->points.size(), c.points.size());
        for (std::size_t i = 0; i < c.points.size(); ++i) {
            EXPECT_NEAR(read.file->points[i].f_MHz, c.points[i].f_MHz, 1e-12);
            EXPECT_NEAR(read.file->points[i].z.r, c.points[i].r, 1e-6);
            EXPECT_NEAR(read.file->points[i].z.x, c.points[i].x, 1e-6);
        }
        EXPECT_EQ(read.file->twoPort, std::string(c.name).ends_with(".s2p"));
        EXPECT_EQ(read.file->negativeR, 0);
    }

    const ImpedanceFileRead negative =
        ParseImpedanceFile("# MHz Z RI R 50\n7 -0.02 0.5\n7.1 0.1 0.5\n", "cal.s1p");
    ASSERT_TRUE(negative.file);
    EXPECT_EQ(negative.file->negativeR, 1);
    EXPECT_DOUBLE_EQ(negative.file->points[0].z.r, -1);
}

// Every fault gets one message naming the file, the line and what was wrong.
TEST(ImpedanceFile, NamesEachFaultWithFileAndLine) {
    const struct {
        const char* name;
        std::string text;
        const char* message;
    } cases[] = {
        {"whip.s1p", " \r\n\t\n", "whip.s1p: the file is empty"},
        {"whip.s1p", "! nothing\n# MHz S RI R 50\n", "whip.s1p: no data lines"},
        {"whip.s1p", "# MHz S RI R 50\n7 0 0\n7.1 0\n",
         "whip.s1p line 3: 3 numbers expected, found 2"},
        {"whip.s1p", "# MHz S RI R 50\n7 0 0 0\n", "whip.s1p line 2: 3 numbers expected, found 4"},
        {"whip.s1p", "# MHz S RI R 50\n7 abc 0\n", "whip.s1p line 2: 'abc' is not a number"},
        {"whip.s1p", "# MHz S RI R 50\n7,1 0 0\n", "whip.s1p line 2: '7,1' is not a number"},
        {"whip.s1p", "# MHz S RI R 50\n7 nan 0\n", "whip.s1p line 2: NaN is not a value"},
        {"whip.s1p", "# MHz S RI R 50\n7 0 -inf\n", "whip.s1p line 2: infinity is not a value"},
        {"whip.s1p", "# MHz S RI R 50\n7 1e999 0\n", "whip.s1p line 2: '1e999' is out of range"},
        {"whip.s1p", "# MHz S RI R 50\n7 0 0\n7 0 0\n",
         "whip.s1p line 3: the frequency does not rise (7 MHz after 7 MHz)"},
        {"whip.s1p", "# MHz S RI R 50\n0 0 0\n", "whip.s1p line 2: the frequency must be above 0"},
        {"whip.s1p", "# MHz S RI R 50\n7 1 0\n",
         "whip.s1p line 2: the values give no finite impedance"},
        {"whip.s1p", std::string("# MHz S RI R 50\n7 0 \0\n", 22),
         "whip.s1p line 2: unreadable bytes"},
        {"whip.s1p", "# MHz S RI R 50\n7 0 \xff\xfe\n", "whip.s1p line 2: unreadable bytes"},
        {"whip.s1p", "[Version] 2.0\n# MHz S RI R 50\n",
         "whip.s1p line 1: Touchstone 2.0 keywords are not read; save the file as Touchstone 1.1 "
         "(.s1p)"},
        {"whip.s1p", "7 0 0\n# MHz S RI R 50\n",
         "whip.s1p line 2: the option line comes after the data"},
        {"whip.s1p", "# MHz S RI R 50 XYZ\n",
         "whip.s1p line 1: 'XYZ' is no word of the option line"},
        {"whip.s1p", "# MHz H RI R 50\n",
         "whip.s1p line 1: H parameters describe a two-port, not an antenna"},
        {"whip.s1p", "# MHz S RI R\n", "whip.s1p line 1: R needs a reference resistance"},
        {"whip.s1p", "# MHz S RI R -50\n",
         "whip.s1p line 1: the reference resistance must be above 0"},
        {"amp.s2p", "# MHz S RI R 50\n7 0.5 0 0 0\n",
         "amp.s2p line 2: 9 numbers expected, found 5"},
        {"amp.s2p", "# MHz S RI R 50\n7 0.5 0 0 0\n0 0 0 0 0 0\n",
         "amp.s2p line 3: 9 numbers expected, found 11"},
        {"net.s3p", "# MHz S RI R 50\n",
         "net.s3p: an antenna is a one-port: only .s1p and .s2p files are read"},
        {"a.csv", "# only a comment\n", "a.csv: no header line"},
        {"a.csv", "f,R,X\n7,30,40\n",
         "a.csv line 1: the frequency column 'f' names no unit (Hz, kHz, MHz or GHz)"},
        {"a.csv", "f_MHz,R\n7,30\n",
         "a.csv line 1: the header names no X column (frequency, R and X are needed)"},
        {"a.csv", "f_MHz,R,X\n7,30\n", "a.csv line 2: 3 fields expected, found 2"},
        {"a.csv", "f_MHz,R,X\n7,\"30,40\n", "a.csv line 2: a quote is not closed"},
        {"a.csv", "f_MHz,R,X\n7,30,\n", "a.csv line 2: an empty value"},
        {"a.csv", "f_MHz,R,X\n7,30,x\n", "a.csv line 2: 'x' is not a number"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const ImpedanceFileRead read = ParseImpedanceFile(c.text, c.name);
        EXPECT_FALSE(read.file);
        EXPECT_EQ(read.fault, c.message);
    }
}

TEST(ImpedanceFile, RefusesMoreThanAMillionPoints) {
    std::string text = "# Hz Z RI R 1\n";
    for (int i = 1; i <= 1'000'001; ++i) text += std::to_string(i) + " 1 0\n";
    ImpedanceFileRead read = ParseImpedanceFile(text, "big.s1p");
    EXPECT_EQ(read.fault, "big.s1p line 1000002: more than 1,000,000 points");

    int progressCalls = 0, lastPercent = 0;
    text.resize(text.rfind("1000001 1 0\n"));
    read = ParseImpedanceFile(text, "big.s1p", [&](int percent) {
        EXPECT_GT(percent, lastPercent);
        lastPercent = percent;
        ++progressCalls;
    });
    ASSERT_TRUE(read.file) << read.fault;
    EXPECT_EQ(read.file->points.size(), 1'000'000u);
    EXPECT_EQ(lastPercent, 100);
    EXPECT_GT(progressCalls, 10);
}

class FileFolder : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvane-XXXXXX").string();
        ASSERT_TRUE(mkdtemp(pattern.data()));
        folder_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::string Path(const char* name) const { return (folder_ / name).string(); }

    std::filesystem::path folder_;
};

// Things that are no measured file are refused at once, a FIFO without a writer too.
TEST_F(FileFolder, RefusesWhatIsNoFileWithoutBlocking) {
    std::ofstream(Path("whip.s1p")) << "# MHz Z RI R 1\n7 30 40\n";
    const ImpedanceFileRead good = ReadImpedanceFile(Path("whip.s1p"));
    ASSERT_TRUE(good.file) << good.fault;
    EXPECT_EQ(good.file->points.size(), 1u);

    ASSERT_EQ(mkdir(Path("folder.s1p").c_str(), 0700), 0);
    ASSERT_EQ(mkfifo(Path("pipe.s1p").c_str(), 0600), 0);
    std::ofstream(Path("huge.s1p")).close();
    std::filesystem::resize_file(Path("huge.s1p"), kLargestImpedanceFile + 1);
    const struct {
        const char* name;
        const char* message;
    } cases[] = {
        {"folder.s1p", "folder.s1p: a folder, not a file"},
        {"pipe.s1p", "pipe.s1p: not a regular file (a FIFO or a device)"},
        {"huge.s1p", "huge.s1p: larger than 64 MB"},
        {"missing.s1p", "missing.s1p: cannot be opened (No such file or directory)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadImpedanceFile(Path(c.name)).fault, c.message);
    }
}

}  // namespace
