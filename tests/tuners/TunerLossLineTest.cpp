// Below TUNE, a tuner tells what its found setting's parts lose with the main window's Qs at
// its transmitter power.
#include <gtest/gtest.h>

#include <QLabel>

#include "losses/LossText.h"
#include "platform/FieldText.h"
#include "tests/tuners/TunerSession.h"
#include "tuners/search/TunerLosses.h"

using namespace tuner_test;

namespace {

QString LossLineOf(const QWidget& tuner) {
    return Find<QLabel>(tuner, "LossLine")->text();
}

}  // namespace

TEST(TunerLossLine, FoundSettingWithTheMainWindowsQsAndPower) {
    Session s;
    const struct {
        LossQ q;
        double ptx_W;
    } cases[] = {{{}, 100}, {{60, 300, 200}, 400}, {{kIdealQ, kIdealQ, 200}, 100}};
    for (const TunerKind kind : kAllKinds) {
        for (const auto& [q, ptx] : cases) {
            SCOPED_TRACE(EntryOf(kind).form);
            s.form->SetLossQ(q);
            Find(*s.form, "Text43")->setText(FieldText(ptx));
            QWidget& tuner = s.Open(kind);
            EXPECT_EQ(LossLineOf(tuner), "") << "nothing before TUNE";
            Session::Click(tuner, "Command1");
            // The last setting shown is the one found.
            const TunerLoad load{ValueOf(tuner, "Text1") * 1e6,
                                 {ValueOf(tuner, "Text2"), ValueOf(tuner, "Text3")}};
            const auto powers = SettingLosses(kind, load, ValueOf(tuner, "Text10"),
                                              ValueOf(tuner, "Text11"), q, ptx);
            ASSERT_TRUE(powers);
            EXPECT_EQ(LossLineOf(tuner), QString::fromStdString(TunerLossText(*powers, q, ptx)));
            EXPECT_EQ(LossLineOf(tuner).contains("network 100.0 %"), q.inductor == kIdealQ);

            // A refused run found nothing.
            Find(tuner, "Text15")->setText("-3e9");
            Session::Click(tuner, "Command1");
            EXPECT_EQ(LossLineOf(tuner), "");
            Find(tuner, "Text15")->setText("20");
            tuner.close();
        }
    }
}
