// The parts' Qs in the main window: the Losses dialog, what the status line and the network
// boxes tell of them.
#include <gtest/gtest.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QRadioButton>
#include <cmath>
#include <tuple>

#include "losses/LossText.h"
#include "platform/FieldText.h"
#include "tests/mainwindow/FormAccess.h"

namespace {

QString NoteOf(const Form1& form) {
    const QStringList parts = Find<QLabel>(form, "StatusLine")->text().split("   |   ");
    for (const QString& part : parts) {
        if (part.contains(" with Q ") || part.startsWith("coil Q ")) return part;
    }
    return {};
}

// The dialog as the menu opens it.
QDialog& OpenLosses(Form1& form) {
    Find<QAction>(form, "Losses")->trigger();
    return *Find<QDialog>(form, "LossesDialog");
}

void Type(QDialog& dialog, const char* field, const QString& text) {
    Find(dialog, field)->setText(text);
}

QPushButton* Button(QDialog& dialog, QDialogButtonBox::StandardButton which) {
    return Find<QDialogButtonBox>(dialog, {})->button(which);
}

// What the window should tell for its inputs, worked out without it.
Losses Expected(const AntennaInput& in, const LossQ& q) {
    const AntennaResult a = FeedPointImpedance(in).value();
    return LossesAt(ClosedFormModel(), in, a, MatchLimits{}, q);
}

}  // namespace

// The note follows the selected network, the Qs, the coil and the power; each box tells its
// own network; the window's own fields stay lossless.
TEST(Losses, StatusNoteAndBoxesTellWhatThePartsLose) {
    MainWindow w;
    // The option, its network, the base coil in uH, the power in W and the Qs.
    const std::tuple<const char*, Network, double, double, LossQ> cases[] = {
        {"Option4", Network::HpCl, 0, 100, {}},
        {"Option11", Network::LpClc, 0, 400, {80, 400, 200}},
        {"Option9", Network::LpCl, 8, 100, {150, 1000, 100}},
        {"Option5", Network::HpLc, 8, 100, {}},   // no solution: the coil alone
        {"Option5", Network::HpLc, 0, 100, {}},   // nothing at all
        {"Option4", Network::HpCl, 20, 100, {}},  // an inductive antenna: no solution either
        {"Option4", Network::HpCl, 8, 100, {kIdealQ, kIdealQ, kIdealQ}},
    };
    for (const auto& [option, network, lcoil, ptx, q] : cases) {
        SCOPED_TRACE(option);
        Find<QRadioButton>(w.form, option)->click();
        w.field("Text45")->setText(QString::number(lcoil));
        w.field("Text43")->setText(QString::number(ptx));
        w.form.SetLossQ(q);
        const AntennaInput in{.lcoil_uH = lcoil, .ptx_W = ptx};
        const Losses expected = Expected(in, q);
        EXPECT_EQ(NoteOf(w.form), QString::fromStdString(LossNote(network, expected)));
        EXPECT_EQ(NoteOf(w.form).startsWith("coil Q"), lcoil > 0 && q.coil != kIdealQ);
        for (const auto& [box, schematic, boxNetwork] :
             {std::tuple{"Label45", "Picture2", Network::HpCl},
              std::tuple{"Label82", "Picture8", Network::LpClc}}) {
            const QString tip = Find<QLabel>(w.form, box)->toolTip();
            const QString schematicTip = Find<QWidget>(w.form, schematic)->toolTip();
            const auto& real = expected.of(boxNetwork);
            if (!real) {
                EXPECT_FALSE(tip.contains("Real parts")) << tip.toStdString();
                EXPECT_FALSE(schematicTip.contains("Real parts")) << schematicTip.toStdString();
                continue;
            }
            const QString line =
                "Real parts " + QString::fromStdString(RealNetworkText(boxNetwork, *real, q, ptx));
            EXPECT_TRUE(tip.endsWith("\n" + line)) << tip.toStdString();
            EXPECT_TRUE(schematicTip.endsWith("\n\n" + line)) << schematicTip.toStdString();
        }
        // The fields show the antenna with an ideal coil, whatever its Q.
        const AntennaResult lossless = FeedPointImpedance(in).value();
        EXPECT_EQ(FieldValue(w.field("Text10")), std::floor(lossless.eta_f * 1000) / 1000);
        EXPECT_EQ(FieldValue(w.field("Text5")), std::floor(lossless.r_f * 1000) / 1000);
    }
    // A failed pass knows no losses.
    w.field("Text8")->setText("0");
    EXPECT_EQ(NoteOf(w.form), "");
    EXPECT_FALSE(Find<QLabel>(w.form, "Label45")->toolTip().contains("Real parts"));
}

// Bad text turns its field red and says why, and OK waits for a Q; Cancel and the defaults.
TEST(Losses, DialogTakesOnlyQsAndAppliesThemOnOk) {
    MainWindow w;
    QDialog& dialog = OpenLosses(w.form);
    QPushButton* ok = Button(dialog, QDialogButtonBox::Ok);
    // The field, the text typed and the problem told (empty: a Q).
    const std::tuple<const char*, const char*, const char*> entries[] = {
        {"QInductor", "15x", "the matching inductors' Q"},
        {"QInductor", "ideal", ""},
        {"QCapacitor", "", "the matching capacitors' Q"},
        {"QCapacitor", "500", ""},
        {"QCoil", "1e9", "the base coil's Q"},
        {"QCoil", " 90 ", ""},
    };
    for (const auto& [field, text, problem] : entries) {
        SCOPED_TRACE(std::string(field) + " " + text);
        Type(dialog, field, text);
        const bool bad = *problem != 0;
        EXPECT_EQ(BackOf(dialog, field), bad ? kRed : QColor(176, 208, 128));
        EXPECT_EQ(ok->isEnabled(), !bad);
        EXPECT_EQ(TextOf<QLabel>(dialog, "LossesProblem").contains(problem), true);
        EXPECT_EQ(TextOf<QLabel>(dialog, "LossesProblem").isEmpty(), !bad);
    }
    const QString before = NoteOf(w.form);
    Button(dialog, QDialogButtonBox::Cancel)->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(NoteOf(w.form), before);

    QDialog& again = OpenLosses(w.form);
    EXPECT_EQ(TextOf(again, "QInductor"), "150") << "the Qs in use, not the cancelled ones";
    Type(again, "QInductor", "ideal");
    Type(again, "QCapacitor", "500");
    Type(again, "QCoil", "90");
    Button(again, QDialogButtonBox::Ok)->click();
    EXPECT_FALSE(again.isVisible());
    EXPECT_EQ(w.form.lossQ(), (LossQ{kIdealQ, 500, 90}));
    EXPECT_TRUE(NoteOf(w.form).startsWith("HP-CL with Q ideal/500: network"))
        << NoteOf(w.form).toStdString();

    OpenLosses(w.form);
    Button(again, QDialogButtonBox::RestoreDefaults)->click();
    Button(again, QDialogButtonBox::Ok)->click();
    EXPECT_EQ(w.form.lossQ(), LossQ{});
    EXPECT_TRUE(Find(again, "QCoil")->toolTip().contains("does not apply to a measured"));
}
