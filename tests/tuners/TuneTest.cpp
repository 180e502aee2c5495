// TUNE in the three windows: what it shows, its indicator, refused runs, interruptions.
#include <gtest/gtest.h>

#include <QLabel>
#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <vector>

#include "platform/FieldText.h"
#include "tests/tuners/TunerSession.h"

using namespace tuner_test;

namespace {

// Banks of one capacitor of c_pF and one inductor of l_uH: the only setting is (1, 1).
void SingleElementBanks(QWidget& tuner, TunerKind kind, double c_pF, double l_uH) {
    if (kind == TunerKind::HpCl) {
        for (int i = 1; i <= 10; ++i) {
            Find(tuner, QString("Text4_%1").arg(i))->setText(i == 1 ? FieldText(c_pF) : "");
            Find(tuner, QString("Text5_%1").arg(i))->setText(i == 1 ? FieldText(l_uH) : "");
        }
        return;
    }
    Find(tuner, "Text4")->setText(FieldText(c_pF));
    Find(tuner, "Text5")->setText("1");
    Find(tuner, "Text7")->setText(FieldText(l_uH));
    Find(tuner, "Text8")->setText("1");
}

// The network set to c_pF and l_uH, element by element from the antenna towards the
// transmitter: forwards, the input impedance in front of the antenna z; backwards from a
// resistance at the input, the antenna that the network turns into it.
std::complex<double> Through(TunerKind kind, double f_MHz, double c_pF, double l_uH,
                             std::complex<double> z, bool backwards = false) {
    struct Element {
        bool series, coil;
    };
    std::vector<Element> layout = kind == TunerKind::HpCl   ? std::vector<Element>{{0, 1}, {1, 0}}
                                  : kind == TunerKind::LpCl ? std::vector<Element>{{1, 1}, {0, 0}}
                                                            : std::vector<Element>{{0, 0}, {1, 1}};
    if (backwards) std::ranges::reverse(layout);
    const double w = 2 * 3.14159265 * f_MHz * 1e6, sign = backwards ? -1 : 1;
    for (const auto& [series, coil] : layout) {
        const std::complex<double> e(0, coil ? w * l_uH / 1e6 : -1 / (w * c_pF / 1e12));
        z = series ? z + sign * e : 1.0 / (1.0 / z + sign / e);
    }
    return z;
}

}  // namespace

// A run whose evaluations all fail never matches; a run ends showing its best setting,
// that setting's SWR, its operations and its time, and its indicator the class of that SWR.
TEST(Tune, EndsShowingTheBestSettingItsSwrOperationsTimeAndItsClass) {
    Session s;
    for (const TunerKind kind : kAllKinds) {
        QWidget& tuner = s.Open(kind);
        // No operations per second: every evaluation faults after counting itself.
        Find(tuner, "Text15")->setText("0");
        Session::Click(tuner, "Command1");
        EXPECT_EQ(TextOf(tuner, "Text12"), "9999");
        EXPECT_EQ(FillOf(tuner), kRed);
        EXPECT_EQ(TextOf(tuner, "Text14"), "");
        EXPECT_GT(ValueOf(tuner, "Text13"), 10);

        Find(tuner, "Text15")->setText("20");
        Session::Click(tuner, "Command1");
        // The last evaluation is the best setting: its SWR, worked out independently from
        // the shown element values, is what the window shows.
        const std::complex<double> in =
            Through(kind, ValueOf(tuner, "Text1"), ValueOf(tuner, "Text10"),
                    ValueOf(tuner, "Text11"), {ValueOf(tuner, "Text2"), ValueOf(tuner, "Text3")});
        const double rho = std::abs((in - 50.0) / (in + 50.0));
        EXPECT_NEAR(ValueOf(tuner, "Text12"), std::floor((1 + rho) / (1 - rho) * 100) / 100, 1e-9);
        const double ops = ValueOf(tuner, "Text13");
        EXPECT_GT(ops, 1);
        EXPECT_LE(ops, 1251);
        EXPECT_EQ(ValueOf(tuner, "Text14"), std::nearbyint(ops / 20));
    }

    // The indicator shows the class of the best SWR.
    const QColor green(0, 255, 0), yellowGreen(208, 240, 0), amber(255, 176, 0),
        lpAmber(255, 192, 0);
    using enum TunerKind;
    const struct {
        TunerKind kind;
        double swr;
        QColor colour;
    } cases[] = {{HpCl, 1.1, green}, {HpCl, 1.3, yellowGreen}, {HpCl, 1.45, yellowGreen},
                 {HpCl, 1.7, amber}, {HpCl, 3, kRed},          {LpCl, 1.1, green},
                 {LpCl, 1.3, green}, {LpCl, 1.45, lpAmber},    {LpCl, 1.9, lpAmber},
                 {LpCl, 2.5, kRed},  {LpLc, 1.3, green},       {LpLc, 1.7, lpAmber},
                 {LpLc, 2.1, kRed},  {HpCl, 20, kRed}};
    for (const auto& c : cases) {
        QWidget& tuner = s.Open(c.kind);
        SingleElementBanks(tuner, c.kind, 100, 2);
        const std::complex<double> z = Through(c.kind, 7.1, 100, 2, 50 * c.swr, true);
        Find(tuner, "Text1")->setText("7.1");
        Find(tuner, "Text2")->setText(FieldText(z.real()));
        Find(tuner, "Text3")->setText(FieldText(z.imag()));
        Session::Click(tuner, "Command1");
        EXPECT_NEAR(ValueOf(tuner, "Text12"), c.swr, 0.0100001) << c.swr;
        EXPECT_EQ(FillOf(tuner), c.colour) << EntryOf(c.kind).form << " at SWR " << c.swr;
        EXPECT_EQ(TextOf(tuner, "Text10"), "100");
        EXPECT_EQ(TextOf(tuner, "Text11"), "2");
        if (c.kind != HpCl) continue;
        // HP-CL's coarse phase shows where it stopped: at its first setting below 10 with
        // k = 2, or never below 10 after all three levels. Matched at once, the final window
        // is skipped below SWR 1.2, so the best is evaluated just once more.
        EXPECT_EQ(Find<QLabel>(tuner, "Label19")->text(), c.swr < 10 ? "SWR 2" : "SWR 4");
        EXPECT_NEAR(ValueOf(tuner, "Text16"), c.swr, 0.0100001);
        EXPECT_EQ(TextOf(tuner, "Text17") + " " + TextOf(tuner, "Text18"), "100 2");
        EXPECT_TRUE(c.swr >= 1.2 || TextOf(tuner, "Text13") == "2");
    }
}

// TUNE refuses, saying why, a run it cannot search: no valid index range (no step, more
// settings than 16-bit indices, a value beyond a double, where the field to blame is
// named), or no antenna values because the main window's last pass failed (its red R_f
// and X_f are stale). Mended, it tunes again; refused again, it shows no match and no
// setting.
TEST(Tune, RefusesRunsItCannotSearchAndSaysWhy) {
    Session s;
    const char* const kNoValues = "no antenna values: check the main window's inputs";
    using enum TunerKind;
    const struct {
        TunerKind kind;
        bool mainWindow;     // the fields are the main window's
        const char* fields;  // separated by blanks
        const char* text;
        const char* said;
    } cases[] = {{HpCl, false, "Text4_1", "", "refused"},
                 {HpCl, false, "Text4_1", ".001", "refused"},
                 {HpCl, false, "Text15", "1e10", "refused"},
                 {HpCl, false, "Text4_1 Text4_2", "1e308", "capacitor total"},
                 {LpCl, false, "Text4", "0", "refused"},
                 {LpCl, false, "Text5", "20", "refused"},
                 {LpCl, false, "Text8", "1100", "TOTAL Ls is too large"},
                 {LpLc, false, "Text5", "1e999", "refused"},
                 {LpLc, false, "Text4", "1e308", "Cstep is too large"},
                 {LpLc, false, "Text15", "-3e9", "refused"},
                 {LpLc, true, "Text1", "0", kNoValues}};

    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fields) + " = " + c.text);
        QWidget& tuner = s.Open(c.kind);
        QWidget& owner = c.mainWindow ? *s.form : tuner;
        const QStringList fields = QString(c.fields).split(' ');
        QStringList before;
        for (const QString& field : fields) before << TextOf(owner, field);
        auto set = [&](bool broken) {
            for (qsizetype i = 0; i < fields.size(); ++i) {
                Find(owner, fields[i])->setText(broken ? QString(c.text) : before[i]);
            }
            if (c.mainWindow) s.Open(c.kind);
        };
        set(true);
        Session::Click(tuner, "Command1");
        EXPECT_TRUE(StatusOf(tuner).contains(c.said)) << StatusOf(tuner).toStdString();
        EXPECT_EQ(TextOf(tuner, "Text13"), "");
        EXPECT_EQ(Find<QPushButton>(tuner, "Command1")->text(), "TUNE");
        set(false);
        Session::Click(tuner, "Command1");
        EXPECT_EQ(StatusOf(tuner), "");
        EXPECT_NE(TextOf(tuner, "Text12"), "9999");
        set(true);
        Session::Click(tuner, "Command1");
        EXPECT_EQ(TextOf(tuner, "Text12"), "9999");
        EXPECT_EQ(TextOf(tuner, "Text10") + TextOf(tuner, "Text13"), "") << "no setting was tried";
        EXPECT_EQ(FillOf(tuner), kRed);
        set(false);
        s.Choose("Option5");  // closes it: the next case starts afresh
    }
    // Antenna values the user types in after a refused hand-over are tuned.
    Find(*s.form, "Text1")->setText("0");
    QWidget& lplc = s.Open(TunerKind::LpLc);
    QTest::keyClicks(Find(lplc, "Text2"), "10");
    QTest::keyClicks(Find(lplc, "Text3"), "-400");
    Session::Click(lplc, "Command1");
    EXPECT_EQ(StatusOf(lplc), "");
    // A total beyond a double leaves its field as it was.
    QWidget& hpcl = s.Open(TunerKind::HpCl);
    Find(hpcl, "Text4_1")->setText("1e308");
    Find(hpcl, "Text4_2")->setText("1e308");
    EXPECT_EQ(TextOf(hpcl, "Text6"), "1E+308");
}

TEST(Tune, ClicksDuringItsSearchAreIgnoredAndClosingTheWindowEndsIt) {
    Session s;
    QWidget& lpcl = s.Open(TunerKind::LpCl);
    // What happens, in the event loop, when the search reaches a given operation count.
    QString at;
    std::function<void()> then;
    QObject context;
    QObject::connect(Find(lpcl, "Text13"), &QLineEdit::textChanged, &context,
                     [&](const QString& ops) {
                         if (ops == at && then) s.Soon(std::exchange(then, nullptr));
                     });

    // Clicks on TUNE while it searches change nothing.
    at = "3";
    then = [&] {
        Session::Click(lpcl, "Command1");
        at = "700";
        then = [&] { Session::Click(lpcl, "Command1"); };
    };
    Session::Click(lpcl, "Command1");
    EXPECT_FALSE(then);
    EXPECT_EQ(TextOf(lpcl, "Text13"), "1202");
    EXPECT_EQ(Find<QPushButton>(lpcl, "Command1")->text(), "TUNE");

    at = "10";
    then = [&] { lpcl.close(); };
    Session::Click(lpcl, "Command1");
    EXPECT_FALSE(lpcl.isVisible());
    EXPECT_EQ(TextOf(lpcl, "Text13"), "10") << "nothing is evaluated once it is closed";

    // Closed and opened again while the first search is still on the stack: a new search
    // runs in the new window and the old one ends without touching it.
    at = "20";
    then = [&] {
        lpcl.close();
        s.Open(TunerKind::LpCl);
        Session::Click(lpcl, "Command1");
    };
    s.Open(TunerKind::LpCl);
    Session::Click(lpcl, "Command1");
    EXPECT_FALSE(then);
    EXPECT_TRUE(lpcl.isVisible());
    EXPECT_EQ(TextOf(lpcl, "Text13"), "1202");
    EXPECT_EQ(Find<QPushButton>(lpcl, "Command1")->text(), "TUNE");
}
