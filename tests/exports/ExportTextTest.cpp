#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <complex>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "antenna/MeasuredSource.h"
#include "core/PartStress.h"
#include "core/SweepFrequencies.h"
#include "exports/CsvText.h"
#include "exports/SweepCsv.h"
#include "exports/SweepTuneCsv.h"
#include "exports/Touchstone.h"
#include "exports/TunerLabCsv.h"
#include "losses/RealNetwork.h"

namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string::npos;) {
        parts.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    parts.push_back(text.substr(start));
    return parts;
}

// Records of a text whose every line ends with CR LF.
std::vector<std::string> Lines(const std::string& text) {
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    std::vector<std::string> lines = Split(text, "\r\n");
    lines.pop_back();
    for (const std::string& line : lines) EXPECT_EQ(line.find('\n'), std::string::npos) << line;
    return lines;
}

double Number(const std::string& text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << '"' << text << '"';
    return value;
}

// Ten significant digits: half a unit of the tenth digit.
void ExpectWritten(const std::string& field, double value, const std::string& column) {
    EXPECT_NEAR(Number(field), value, 5e-10 * std::abs(value)) << column;
}

// A thick rod: from about 20.7 MHz its line attenuation has no real value, so the model
// faults over part of the band only.
const AntennaInput kThickRod{.diameter_mm = 2000};

TEST(CsvText, NumbersAndQuoting) {
    const double values[] = {
        0.1, 0.1 + 0.025 * 4, 7.099999999999998, -413.52109376, 1234567.891234, 1e-5, 11000, 0};
    const std::vector<std::string> texts =
        Split("0.1 0.2 7.1 -413.5210938 1234567.891 1e-05 11000 0", " ");
    for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(ExportNumber(values[i]), texts[i]);

    CsvText csv;
    for (const char* field : {"plain", "a,b", "say \"hi\"", "two\r\nlines", ""}) csv.Field(field);
    csv.EndRecord();
    csv.Number(2.5);
    csv.Empty();
    csv.EndRecord();
    EXPECT_EQ(csv.text(), "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",\r\n2.5,\r\n");
}

// The source, the header, and one record of 77 fields per point of the diagram: the lossless
// antenna and networks, and beside them the same with real parts.
TEST(SweepCsv, RecordsEqualTheModel) {
    AntennaInput in;
    in.ptx_W = 400;
    in.lcoil_uH = 6;
    const MatchLimits limits{20, 300, 30};
    const LossQ q{120, 900, 250};
    std::vector<std::string> lines = Lines(SweepCsv(ClosedFormModel(), in, limits, q));
    EXPECT_EQ(lines[0], "# source: model");
    lines.erase(lines.begin());
    ASSERT_EQ(lines.size(), 1 + 1197u);
    for (const std::string& line : lines) ASSERT_EQ(Split(line, ",").size(), 77u) << line;
    const std::vector<std::string> header = Split(lines[0], ",");
    const std::vector<double> f = SweepFrequencies(SweepGrid::Curves);
    const char* const antennaColumns[] = {
        "f_MHz",     "R_f_Ohm",     "X_f_Ohm",      "Z_f_Ohm",      "SWR_f",         "U_f_V",
        "eta_f_pct", "eta_tot_pct", "R_f_real_Ohm", "X_f_real_Ohm", "eta_f_real_pct"};
    const std::pair<Network, std::string> networks[] = {
        {Network::HpCl, "HPCL"}, {Network::HpLc, "HPLC"}, {Network::HpClc, "HPCLC"},
        {Network::LpCl, "LPCL"}, {Network::LpLc, "LPLC"}, {Network::LpClc, "LPCLC"}};
    // Each column's name with a number, or a text written as it stands.
    using Cell = std::pair<std::string, std::variant<double, std::string>>;
    // 0.1, 3.7, 7.1, 14.2, 18.15 and 30 MHz.
    for (const std::size_t point : {0, 144, 280, 564, 722, 1196}) {
        in.frequency_MHz = f[point];
        const AntennaResult a = FeedPointImpedance(in).value();
        AntennaInput withLoss = in;
        withLoss.coil_q = q.coil;
        const AntennaResult real = FeedPointImpedance(withLoss).value();
        const double antenna[] = {f[point], a.r_f,     a.x_f,    a.z_f,    a.swr_f,   a.u_f,
                                  a.eta_f,  a.eta_tot, real.r_f, real.x_f, real.eta_f};
        std::vector<Cell> cells;
        for (std::size_t i = 0; i < std::size(antenna); ++i)
            cells.emplace_back(antennaColumns[i], antenna[i]);
        for (const auto& [n, name] : networks) {
            const MatchValues v = Match(n, a.r_f, a.x_f, f[point] * 1e6, limits);
            const MatchVerdict verdict = Judge(n, v, limits);
            const std::optional<PartStress> stress =
                NetworkStress(n, v, limits, {a.r_f, a.x_f}, f[point] * 1e6, in.ptx_W);
            const NetworkPowers p =
                RealNetworkPowers(n, v, {real.r_f, real.x_f}, f[point] * 1e6, in.ptx_W, q)
                    .value_or(NetworkPowers{});
            const bool solved = verdict != MatchVerdict::NoSolution;
            const bool two = HasSecondCapacitor(n);
            auto part = [&](const char* column, bool present, double value) {
                if (present)
                    cells.emplace_back(name + column, solved ? Cell::second_type(value) : "");
            };
            part("_C_pF", true, v.c_pF);
            part("_C2_pF", two, v.c2_pF);
            part("_L_uH", true, v.l_uH);
            cells.emplace_back(name + "_verdict", verdict == MatchVerdict::InsideLimits ? "ok"
                                                  : verdict == MatchVerdict::OutsideLimits
                                                      ? "outside"
                                                      : "none");
            part("_VC_kVpk", true, stress ? stress->vc_kVpk : 0);
            part("_VC2_kVpk", two, stress ? stress->vc2_kVpk : 0);
            part("_IL_A", true, stress ? stress->il_A : 0);
            part("_SWR_real", true, p.swr);
            part("_eta_net_pct", true, p.eta_net_pct);
            part("_Ploss_L_W", true, p.ploss_L_W);
            part("_Ploss_C_W", true, p.ploss_C_W);
            part("_Ploss_C2_W", two, p.ploss_C2_W);
            part("_eta_sys_pct", true, p.eta_net_pct * real.eta_f / 100);
        }
        const std::vector<std::string> row = Split(lines[point + 1], ",");
        ASSERT_EQ(row.size(), cells.size());
        for (std::size_t column = 0; column < row.size(); ++column) {
            const auto& [name, cell] = cells[column];
            EXPECT_EQ(header[column], name);
            if (const double* number = std::get_if<double>(&cell)) {
                ExpectWritten(row[column], *number, name);
            } else {
                EXPECT_EQ(row[column], std::get<std::string>(cell)) << name << " at " << f[point];
            }
        }
    }
}

TEST(SweepCsv, FaultingFrequenciesKeepOnlyTheirFrequency) {
    std::vector<int> faults;
    for (const AntennaInput& antenna : {AntennaInput{.diameter_mm = 0}, kThickRod}) {
        const std::vector<std::string> lines =
            Lines(SweepCsv(ClosedFormModel(), antenna, {}, LossQ{}));
        const std::vector<double> f = SweepFrequencies(SweepGrid::Curves);
        faults.push_back(0);
        for (std::size_t i = 0; i < f.size(); ++i) {
            AntennaInput in = antenna;
            in.frequency_MHz = f[i];
            const bool faulted = !FeedPointImpedance(in);
            const std::vector<std::string> row = Split(lines[i + 2], ",");
            EXPECT_EQ(row[0], ExportNumber(f[i]));
            const auto verdicts = std::count(row.begin(), row.end(), "fault");
            const auto empty = std::count(row.begin(), row.end(), "");
            EXPECT_EQ(verdicts, faulted ? 6 : 0) << f[i];
            EXPECT_EQ(empty == 76 - 6, faulted) << f[i];
            faults.back() += faulted;
        }
    }
    EXPECT_EQ(faults[0], 1197);
    EXPECT_GT(faults[1], 100);
    EXPECT_LT(faults[1], 1000);
}

TEST(Touchstone, ReadsBackAsTheModelsReflection) {
    AntennaInput in{.diameter_mm = 2000, .lcoil_uH = 2.5};
    const std::vector<std::string> lines = Lines(TouchstoneText(ClosedFormModel(), in, "1.2.3"));
    EXPECT_EQ(lines[0].rfind("! Orvane 1.2.3", 0), 0u) << lines[0];
    EXPECT_NE(lines[1].find("diameter 2000 mm"), std::string::npos) << lines[1];
    EXPECT_NE(lines[1].find("base coil 2.5 uH"), std::string::npos) << lines[1];

    std::size_t option = 0;
    while (lines[option][0] == '!') ++option;
    EXPECT_EQ(lines[option], "# MHz S RI R 50");
    std::vector<std::vector<double>> data;
    for (std::size_t i = option + 1; i < lines.size(); ++i) {
        std::vector<double> row;
        for (const std::string& field : Split(lines[i], " ")) row.push_back(Number(field));
        ASSERT_EQ(row.size(), 3u) << lines[i];
        data.push_back(row);
    }

    std::vector<double> kept;
    for (const double f : SweepFrequencies(SweepGrid::Curves)) {
        in.frequency_MHz = f;
        if (FeedPointImpedance(in)) kept.push_back(f);
    }
    ASSERT_EQ(data.size(), kept.size());
    const std::string count = "! " + std::to_string(1197 - kept.size()) + " frequencies left out";
    EXPECT_EQ(lines[2].rfind(count, 0), 0u) << lines[2];
    for (std::size_t i = 0; i < data.size(); ++i)
        ExpectWritten(ExportNumber(data[i][0]), kept[i], "f");

    for (const std::size_t i : {std::size_t{0}, data.size() / 2, data.size() - 1}) {
        in.frequency_MHz = kept[i];
        const AntennaResult a = FeedPointImpedance(in).value();
        const std::complex<double> z(a.r_f, a.x_f);
        const std::complex<double> s11 = (z - 50.0) / (z + 50.0);
        EXPECT_NEAR(data[i][1], s11.real(), 1e-9) << kept[i];
        EXPECT_NEAR(data[i][2], s11.imag(), 1e-9) << kept[i];
    }
}

}  // namespace

// A TUNE that matched nothing still shows the setting of an earlier one: the file gives no
// setting for that step, but its operations and time. A refused step gives neither. The
// comment line before the header says what the two bests are taken over.
TEST(SweepTuneCsv, StepsThatMatchNothingGiveNoSetting) {
    const BankSetup banks{.cStep = 2, .lStep = 0.1, .range = {127, 511}};
    auto row = [&](double swr, std::string c, std::string ops) {
        SweepTuneRow r;
        r.f_MHz = 0.1;
        r.swr = swr;
        r.shown.c_pF = c;
        r.shown.l_uH = c.empty() ? "" : "2.1";
        r.shown.swr = swr < 9999 ? "1.5" : "9999";
        r.shown.ops = ops;
        r.shown.time_s = ops.empty() ? "" : "60";
        if (ops.empty()) return r;
        r.banks = banks;
        r.best = AllSettingsBest{BestSetting{9, 21}, 1.2, 65536, false};
        r.reachable = AllSettingsBest{BestSetting{9, 22}, 1.3, 65536, false};
        if (swr < 9999) {
            NetworkPowers powers;
            powers.eta_net_pct = 87.5;
            powers.ploss_L_W = 10;
            powers.ploss_C_W = 2.5;
            r.losses = powers;
        }
        return r;
    };
    const std::vector<SweepTuneRow> rows = {row(1.5, "18", "100"), row(9999, "18", "1202"),
                                            row(9999, "", "")};
    const std::vector<std::string> lines = Lines(SweepTuneCsv(rows));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].rfind("# best_*: ", 0), 0u);
    EXPECT_EQ(lines[0].find(','), std::string::npos);
    EXPECT_EQ(lines[1],
              "f_MHz,C_pF,L_uH,SWR,ops,time_s,colour,best_C_pF,best_L_uH,best_SWR,bank_settings,"
              "best_reachable_C_pF,best_reachable_L_uH,best_reachable_SWR,eta_net_pct,Ploss_W");
    EXPECT_EQ(lines[2], "0.1,18,2.1,1.5,100,60,#ff0000,18,2.1,1.2,65536,18,2.2,1.3,87.5,12.5");
    EXPECT_EQ(lines[3], "0.1,,,9999,1202,60,#ff0000,18,2.1,1.2,65536,18,2.2,1.3,,");
    EXPECT_EQ(lines[4], "0.1,,,9999,,,#ff0000,,,,,,,,,");
}

// A record per frequency and strategy: the bank values of the setting it ended on (none
// where nothing came below 9999), its SWR unrounded, the excess over the best, its costs and
// its time at the relay times given; a frequency not tuned keeps its frequency and strategy.
TEST(TunerLabCsv, RecordsPerFrequencyAndStrategy) {
    const BankSetup banks{.cStep = 7.5, .lStep = 0.25, .range = {1023, 511}};
    LabPoint tuned;
    tuned.f_MHz = 7.1;
    tuned.tuned = true;
    tuned.best.swr = 1.25;
    for (std::size_t i = 0; i < kStrategyCount; ++i) {
        tuned.tunes[i] = {BestSetting{static_cast<int16_t>(10 + i), 4},
                          1.25 + 0.5 * static_cast<double>(i),
                          {static_cast<int32_t>(100 * (i + 1)), 7, 3}};
    }
    tuned.tunes[2].setting.reset();
    tuned.tunes[2].swr = 9999;
    LabPoint untuned;
    untuned.f_MHz = 7.2;
    const std::vector<LabPoint> points = {tuned, untuned};
    const std::vector<std::string> lines = Lines(TunerLabCsv(banks, points, {5, 8, 2}));
    ASSERT_EQ(lines.size(), 1 + 2 * kStrategyCount);
    EXPECT_EQ(lines[0],
              "f_MHz,strategy,C_pF,L_uH,SWR,best_SWR,excess,evaluations,relay_ops,time_ms");
    EXPECT_EQ(lines[1], "7.1,tune,75,1,1.25,1.25,0,100,7,224");
    EXPECT_EQ(lines[2], "7.1,grid-local,82.5,1,1.75,1.25,0.5,200,7,424");
    EXPECT_EQ(lines[3], "7.1,memory,,,9999,1.25,9997.75,300,7,624");
    EXPECT_EQ(lines[4], "7.1,grid-valley,97.5,1,2.75,1.25,1.5,400,7,824");
    EXPECT_EQ(lines[5], "7.1,every-setting,105,1,3.25,1.25,2,500,7,1024");
    EXPECT_EQ(lines[6], "7.2,tune,,,,,,,,");
    EXPECT_EQ(lines[10], "7.2,every-setting,,,,,,,,");
}

// With a measured file the CSV names it first, leaves the cells outside its span empty
// (the networks have nothing to match there) and the efficiencies everywhere; what it wrote
// reads back through the measured-file reader as the same feed point.
TEST(SweepCsv, MeasuredSourceReadsBack) {
    const ImpedanceFileRead file = ParseImpedanceFile(
        "# MHz Z RI R 50\n6.9 0.3 -0.5\n7.1 0.35 0.01\n7.4 0.4 0.6\n", "whip.s1p");
    ASSERT_TRUE(file.file) << file.fault;
    const auto source = MeasuredSource(MeasuredFrom(*file.file, "/home/ham/whip.s1p"), false);
    const AntennaInput in;
    const std::string csv = SweepCsv(*source, in, {}, LossQ{});
    const std::vector<std::string> lines = Lines(csv);
    EXPECT_EQ(lines[0], "# source: measured /home/ham/whip.s1p");
    const std::vector<std::string> header = Split(lines[1], ",");
    const std::vector<double> f = SweepFrequencies(SweepGrid::Curves);
    std::vector<double> inside;
    for (std::size_t i = 0; i < f.size(); ++i) {
        const std::vector<std::string> row = Split(lines[i + 2], ",");
        ASSERT_EQ(row.size(), header.size());
        const bool within = source->span()->Contains(f[i]);
        if (within) inside.push_back(f[i]);
        EXPECT_EQ(row[1].empty(), !within) << f[i];
        EXPECT_EQ(row[6], "") << f[i];
        EXPECT_EQ(row[7], "") << f[i];
        EXPECT_EQ(std::count(row.begin(), row.end(), "none") == 6, !within) << f[i];
    }
    EXPECT_EQ(inside.size(), 21u);

    const ImpedanceFileRead back = ParseImpedanceFile(csv, "sweep.csv");
    ASSERT_TRUE(back.file) << back.fault;
    ASSERT_EQ(back.file->points.size(), inside.size());
    for (std::size_t i = 0; i < inside.size(); ++i) {
        AntennaInput at = in;
        at.frequency_MHz = inside[i];
        const AntennaResult a = source->FeedPoint(at).value();
        EXPECT_NEAR(back.file->points[i].f_MHz, inside[i], 1e-9);
        EXPECT_NEAR(back.file->points[i].z.r, a.r_f, 1e-7 * std::abs(a.r_f) + 1e-9);
        EXPECT_NEAR(back.file->points[i].z.x, a.x_f, 1e-7 * std::abs(a.x_f) + 1e-9);
    }
}
