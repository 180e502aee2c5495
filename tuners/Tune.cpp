// TUNE: the staged search over the two banks and the evaluation of one setting.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>
#include <utility>

#include "platform/Colors.h"
#include "platform/EventLoop.h"
#include "platform/FieldText.h"
#include "platform/Shape.h"
#include "tuners/TunerWindow.h"
#include "tuners/WholeNumbers.h"

namespace {

QString RoundedDownText(double swr) {
    return FieldText(std::floor(swr * 100) / 100);
}

}  // namespace

void TunerWindow::Command1_Click() {
    // One search at a time: a nested run on the same state would serve no purpose.
    if (!loaded_ || searching()) return;
    tuned_ = false;
    statusLine_->clear();
    Text16->clear();
    Text17->clear();
    Text18->clear();
    OPs = 0;
    Command1->setText("...");
    Shape1->SetFillColor(colors::kInvalid);

    QString refusal;
    const std::optional<IndexRange> range = PrepareRun(refusal);
    const std::optional<int32_t> rate = RoundToInt32(FieldValue(Text15));
    if (range && !rate) refusal = "TUNE refused: the operations per second are out of range.";
    if (antennaMissing_) refusal = "no antenna values: check the main window's inputs";
    if (!range || !rate || antennaMissing_) {
        // A refused run shows no match.
        SWR = kNoMatch;
        Text12->setText(RoundedDownText(SWR));
        ShowStatus(refusal);
        Command1->setText("TUNE");
        return;
    }
    opsPerSecond = *rate;
    SWR = kNoMatch;
    Label19->setText("SWR");

    // The run belongs to this loading of the window: once it is closed the search ends and
    // leaves the window as the closing left it.
    const uint32_t outerRun = std::exchange(runGeneration_, generation_);
    BestSetting best{bestC, bestL};
    RunSearch(kind(), *this, *range, best);
    const bool abandoned = Abandoned();
    runGeneration_ = outerRun;
    if (abandoned) return;

    bestC = best.c;
    bestL = best.l;
    ApplyIndicator();
    Command1->setText("TUNE");
    tuned_ = true;
    TuneFinished();
}

double TunerWindow::EvaluateSetting(int16_t cidx, int16_t lidx) {
    Cidx = cidx;
    Lidx = lidx;
    // A fault in the calculation leaves SWR as it was: it then never becomes the best.
    Checked c;
    if (CountSetting(c)) {
        Yield();
        if (Abandoned()) return SWR;
        MatchSetting(c);
    }
    if (SWR > kNoMatch) SWR = kNoMatch;
    WriteField(Text12, RoundedDownText(SWR));
    ApplyIndicator();
    Yield();
    return SWR;
}

bool TunerWindow::CountSetting(Checked& c) {
    f_Hz = c.Finite(FieldValue(Text1) * 1e6);
    R_feed = FieldValue(Text2);
    X_feed = FieldValue(Text3);
    if (c.faulted()) return false;

    const double capacitance = Capacitance(Cidx, c);
    if (c.faulted()) return false;
    C_pF = capacitance;
    WriteField(Text10, FieldText(C_pF));
    const double inductance = Inductance(Lidx, c);
    if (c.faulted()) return false;
    L_uH = inductance;
    WriteField(Text11, FieldText(L_uH));

    ++OPs;
    WriteField(Text13, FieldText(OPs));
    const double seconds = c.Div(OPs, opsPerSecond);
    if (c.faulted()) return false;
    // |OPs / rate| never exceeds OPs, so the time fits.
    WriteField(Text14, FieldText(*RoundToInt32(seconds)));
    return true;
}

void TunerWindow::MatchSetting(Checked& c) {
    const Impedance input = looks_.network({f_Hz, {R_feed, X_feed}}, C_pF, L_uH, c);
    const double swr = SwrAgainst50(input, c);
    if (c.ok()) SWR = swr;
}

void TunerWindow::ApplyIndicator() {
    for (const IndicatorStep& step : looks_.indicator) {
        if (SWR < step.below) Shape1->SetFillColor(step.colour);
    }
}

void TunerWindow::ShowCoarseResult(int level, double bestSWR, int16_t bestC, int16_t bestL) {
    if (level > 0) Label19->setText(QString("SWR %1").arg(level));
    Text16->setText(RoundedDownText(bestSWR));
    Text17->setText(FieldText(bestC * Cstep));
    Text18->setText(FieldText(bestL * Lstep));
}
