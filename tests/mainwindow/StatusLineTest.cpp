// What the main window's status line tells besides problems: the part stress of the selected
// network after each pass, and the diagrams' values under the pointer.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QRadioButton>
#include <string>
#include <tuple>

#include "core/NumberFormat.h"
#include "core/PartStress.h"
#include "tests/mainwindow/FormAccess.h"

namespace {

// The status line without the notes on a frequency outside the model's band and on losses.
QString StressNoteOf(const Form1& form) {
    QStringList parts = StatusOf(form).split("   |   ");
    parts.removeIf([](const QString& part) {
        return part.contains("the model covers") || part.contains(" with Q ") ||
               part.startsWith("coil Q ");
    });
    return parts.join("   |   ");
}

QString Digits(double value, int digits) {
    return QString::fromStdString(SignificantText(value, digits));
}

}  // namespace

// The stress of the selected network's parts in the status line, and of each network in the
// tooltip of its schematic, where the pointer is, with what the figures assume.
TEST(StatusLine, PartStressOfTheSelectedNetworkAtTheSetPower) {
    MainWindow w;
    const std::tuple<const char*, const char*, Network, double, double> cases[] = {
        {"Option4", "Picture2", Network::HpCl, 100, 7.1},
        {"Option4", "Picture2", Network::HpCl, 400, 7.1},
        {"Option11", "Picture8", Network::LpClc, 400, 7.1},
        {"Option5", "Picture3", Network::HpLc, 400, 7.1},   // no solution: nothing
        {"Option4", "Picture2", Network::HpCl, 400, 0.05},  // below the band: computed
        {"Option4", "Picture2", Network::HpCl, 400, 0},     // the pass fails: nothing
    };
    for (const auto& [option, schematic, network, power, frequency] : cases) {
        SCOPED_TRACE(std::string(option) + " " + std::to_string(frequency));
        Find<QRadioButton>(w.form, option)->click();
        Find(w.form, "Text43")->setText(Digits(power, 6));
        Find(w.form, "Text8")->setText(Digits(frequency, 6));
        AntennaInput in;
        in.ptx_W = power;
        in.frequency_MHz = frequency;
        QString note, tip;
        if (const std::optional<AntennaResult> a = FeedPointImpedance(in)) {
            const MatchLimits limits;
            const std::optional<PartStress> stress =
                NetworkStress(network, Match(network, a->r_f, a->x_f, frequency * 1e6, limits),
                              limits, {a->r_f, a->x_f}, frequency * 1e6, power);
            if (stress) {
                const QString c = Digits(stress->vc_kVpk, 3), c2 = Digits(stress->vc2_kVpk, 3);
                const QString il = Digits(stress->il_A, 3), vl = Digits(stress->vl_kVpk, 3);
                const bool three = HasSecondCapacitor(network);
                note = QString("%1 at %2 W: C %3 kV peak")
                           .arg(NetworkName(network), Digits(power, 6), c) +
                       (three ? ", C' " + c2 + " kV peak" : "") + ", L " + il + " A rms, " + vl +
                       " kV peak";
                tip = QString(
                          "What its parts must stand at Ptx = %1 W, the network taken as "
                          "lossless (voltages peak, currents rms):\nC_m %2 kV")
                          .arg(Digits(power, 6), c) +
                      (three ? ", C'_m " + c2 + " kV" : "") + "; L_m " + il + " A, " + vl +
                      " kV across it.";
            }
        }
        EXPECT_EQ(StressNoteOf(w.form), note);
        const QString shown = Find<QWidget>(w.form, schematic)->toolTip();
        EXPECT_TRUE(shown.startsWith(QString(NetworkName(network)) + ": ")) << shown.toStdString();
        EXPECT_EQ(shown.section("\n\n", 1, 1), tip);
    }
}

// A frequency outside the model's band is computed all the same, and the line says so.
TEST(StatusLine, TellsAFrequencyOutsideTheBandAndReadsOutTheDiagramsUnderThePointer) {
    MainWindow w;
    const QString covers = ": the model covers 0.1 to 30 MHz, results outside are extrapolated";
    const std::tuple<const char*, QString> cases[] = {
        {"45", "f 45 MHz" + covers}, {"30", ""}, {".1", ""}, {".05", "f 0.05 MHz" + covers},
        {"0", "f 0 MHz" + covers},   {"7.1", ""}};
    for (const auto& [frequency, note] : cases) {
        const QString x_f = TextOf(w.form, "Text6");
        w.field("Text8")->setText(frequency);
        EXPECT_EQ(ProblemOf(w.form), note) << frequency;
        if (QString(frequency) != "0") {
            EXPECT_EQ(BackOf(w.form, "Text6"), kValid) << frequency;
            EXPECT_NE(TextOf(w.form, "Text6"), x_f) << frequency;
        }
    }

    // Back in the band, the diagrams under the pointer are read out until it leaves them.
    const QString note = StatusOf(w.form);
    QWidget* sweep = Find<QWidget>(w.form, "Picture1");
    AntennaInput in;
    in.frequency_MHz = 7.15f;  // pixel 143, as f(MHz) reads it
    const AntennaResult a = FeedPointImpedance(in).value();
    const MatchValues hpcl = MatchHpCl(a.r_f, a.x_f, in.frequency_MHz * 1e6);
    const std::tuple<const char*, QString> quantities[] = {
        {"Check1", "R_f " + Digits(a.r_f, 4) + " Ohm"},
        {"Check2", "X_f " + Digits(a.x_f, 4) + " Ohm"},
        {"Check3", "Z_f " + Digits(a.z_f, 4) + " Ohm"},
        {"Check4", "SWR_f " + Digits(a.swr_f, 4)},
        {"Check10", "U_f " + Digits(a.u_f, 4) + " V"},
        {"Check5", "eta_f " + Digits(a.eta_f, 4) + " %"},
        {"Check9", "eta_tot " + Digits(a.eta_tot, 4) + " %"}};
    const QString network =
        QString::fromUtf8("HP-CL: C_m %1 pF, L_m %2 \u00b5H (outside the limits)")
            .arg(Digits(hpcl.c_pF, 4), Digits(hpcl.l_uH, 4));
    for (const bool shown : {true, false}) {
        for (const auto& [check, quantity] : quantities)
            Find<QCheckBox>(w.form, check)->setChecked(shown);
        MoveOver(sweep, {143, 100});
        const QString readout = StatusOf(w.form);
        EXPECT_TRUE(readout.startsWith("f 7.15 MHz")) << readout.toStdString();
        EXPECT_TRUE(readout.endsWith(network)) << readout.toStdString();
        for (const auto& [check, quantity] : quantities) {
            EXPECT_EQ(readout.contains(quantity), shown) << quantity.toStdString();
        }
    }
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(sweep, &leave);
    EXPECT_EQ(StatusOf(w.form), note);

    // The impedance plane at R = 50 Ohm, X = 0 in the fine view and X = 100 Ohm in the coarse
    // one: 50 + j100 Ohm has |Z| = 111.8 Ohm and an SWR of 5.828.
    Find<QRadioButton>(w.form, "Option8")->click();
    MoveOver(Find<QWidget>(w.form, "Picture5_1"), {50, 212});
    EXPECT_EQ(StatusOf(w.form), "R 50 Ohm   X 0 Ohm   |Z| 50 Ohm   SWR 1");
    MoveOver(Find<QWidget>(w.form, "Picture5_10"), {5, 202});
    EXPECT_EQ(StatusOf(w.form), "R 50 Ohm   X 100 Ohm   |Z| 111.8 Ohm   SWR 5.828");
}
