#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "nec/Deck.h"
#include "nec/Report.h"
#include "tests/nec/NecData.h"

namespace {

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// One frequency block of a real report, for reports of any length.
std::string BlockAt(const std::string& report, double frequency_MHz) {
    const std::string block_start = "                               --------- FREQUENCY";
    const std::size_t at = report.find("FREQUENCY : 7.1000E+00");
    const std::size_t begin = report.rfind(block_start, at);
    const std::string block = report.substr(begin, report.find(block_start, at) - begin);
    char frequency[32];
    std::snprintf(frequency, sizeof frequency, "FREQUENCY : %.4E", frequency_MHz);
    return Replaced(block, "FREQUENCY : 7.1000E+00", frequency);
}

std::string SweepReport(int count) {
    const std::string report = NecData("rod_4.5m_5mm.out");
    std::string text = report.substr(0, report.find("FREQUENCY :"));
    for (int i = 0; i < count; ++i) text += BlockAt(report, NecFrequency_MHz(i));
    return text;
}

// Every frequency of real runs is read; a report that breaks off stops the reading with a
// reason.
TEST(NecReport, ReadsEveryFrequencyOfRealRunsAndStopsWhereOneBreaksOff) {
    const std::tuple<const char*, std::vector<double>, Impedance> runs[] = {
        {"rod_4.5m_5mm.out", {0.1, 7, 7.1, 7.2, 30}, {1021.1, 696.90}},
        // Thick rod: a notice of the extended kernel in every frequency block.
        {"rod_4.5m_100mm_extended_kernel.out", {0.1, 7.1, 30}, {480.01, -159.11}}};
    for (const auto& [file, frequencies, last] : runs) {
        const NecReport report = ReadNecReport(NecData(file));
        EXPECT_EQ(report.fault, "") << file;
        ASSERT_EQ(report.points.size(), frequencies.size()) << file;
        for (std::size_t i = 0; i < frequencies.size(); ++i) {
            EXPECT_EQ(report.points[i].frequency_MHz, frequencies[i]) << file;
        }
        EXPECT_EQ(report.points.back().base.r, last.r) << file;
        EXPECT_EQ(report.points.back().base.x, last.x) << file;
    }
    const std::string normal = NecData("rod_4.5m_5mm.out");
    const std::vector<NecPoint> read = ReadNecReport(normal).points;
    EXPECT_EQ(read[2].base.r, 4.9192);
    EXPECT_EQ(read[2].base.x, -500.53);
    EXPECT_EQ(read[0].base.x, -42715);

    const std::string z_at_7 = "4.7712E+00 -5.1064E+02";
    // The report, the points read before the fault, and the fault.
    const std::tuple<std::string, std::size_t, const char*> broken[] = {
        // nec2c killed in the middle of the source line of 21.5 MHz.
        {NecData("rod_4.5m_5mm_killed.out"), 1, "no input impedance for 21.5 MHz"},
        {NecData("garbage.out"), 0, "no frequency"},
        {"", 0, "no frequency"},
        {normal.substr(0, normal.find("ANTENNA INPUT PARAMETERS")), 0,
         "ends before the input impedance at 0.1 MHz"},
        {Replaced(normal, z_at_7, "nan -5.1064E+02"), 1, "no input impedance for 7 MHz"},
        {Replaced(normal, z_at_7, "4.7712E+00,-5.1064E+02"), 1, "no input impedance for 7 MHz"},
        {Replaced(normal, "FREQUENCY : 7.1000E+00", "FREQUENCY : 7,1000E+00"), 2,
         "frequency is not a number"},
        {Replaced(normal, "FREQUENCY : 7.2000E+00", "FREQUENCY :"), 3, "frequency is not a number"},
        {Replaced(normal, "FREQUENCY : 7.0000E+00", "FREQUENZ"), 1,
         "input impedance without a frequency"},
        {Replaced(normal, "ANTENNA INPUT PARAMETERS", "ANTENNA"), 0,
         "no input impedance for 0.1 MHz"}};
    for (const auto& [text, points, fault] : broken) {
        const NecReport report = ReadNecReport(text);
        EXPECT_EQ(report.points.size(), points) << fault;
        EXPECT_NE(report.fault.find(fault), std::string::npos) << report.fault;
    }
}

TEST(NecReport, CutOrCorruptedAnywhereNeverReadsMoreThanIsThere) {
    const std::string normal = NecData("rod_4.5m_5mm.out");
    const std::vector<NecPoint> all = ReadNecReport(normal).points;
    for (std::size_t cut = 0; cut < normal.size(); cut += 13) {
        const NecReport report = ReadNecReport(normal.substr(0, cut));
        ASSERT_LE(report.points.size(), all.size());
        for (std::size_t i = 0; i < report.points.size(); ++i) {
            ASSERT_EQ(report.points[i].frequency_MHz, all[i].frequency_MHz) << cut;
            ASSERT_EQ(report.points[i].base.r, all[i].base.r) << cut;
            ASSERT_EQ(report.points[i].base.x, all[i].base.x) << "a cut number read " << cut;
        }
        if (report.points.size() == all.size()) {
            ASSERT_EQ(report.fault, "") << cut;
        }
    }
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        std::string text = normal;
        for (int flip = 0; flip < 20; ++flip) text[rng() % text.size()] = static_cast<char>(rng());
        ASSERT_LE(ReadNecReport(text).points.size(), all.size());
    }
}

TEST(NecSweep, NeedsEveryFrequencyOfTheDeck) {
    const NecSweep sweep = ReadNecSweep(SweepReport(kNecFrequencyCount));
    EXPECT_EQ(sweep.fault, "");
    ASSERT_EQ(sweep.points.size(), static_cast<std::size_t>(kNecFrequencyCount));
    EXPECT_EQ(sweep.points[299].frequency_MHz, 30);
    EXPECT_EQ(sweep.points[299].base.x, -500.53);

    const std::tuple<std::string, const char*> cases[] = {
        {SweepReport(kNecFrequencyCount - 1), "NEC-2: the report of nec2c holds 299 of 300"},
        {Replaced(SweepReport(kNecFrequencyCount), "FREQUENCY : 2.0000E-01",
                  "FREQUENCY : 2.5000E-01"),
         "not for the frequencies asked for"},
        {NecData("rod_4.5m_5mm_killed.out"), "could not be read (line 128: no input impedance"}};
    for (const auto& [text, fault] : cases) {
        const NecSweep broken = ReadNecSweep(text);
        EXPECT_TRUE(broken.points.empty());
        EXPECT_NE(broken.fault.find(fault), std::string::npos) << broken.fault;
    }
}

}  // namespace
