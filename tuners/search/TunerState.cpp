#include "tuners/search/TunerState.h"

#include <cmath>
#include <string>

#include "core/NumberText.h"
#include "tuners/search/WholeNumbers.h"

namespace {

constexpr IndicatorStep kHpClIndicator[] = {
    {2, {255, 176, 0}},
    {1.5, {208, 240, 0}},
    {1.2, {0, 255, 0}},
};

constexpr IndicatorStep kLpIndicator[] = {
    {2, {255, 192, 0}},
    {1.4, {0, 255, 0}},
};

}  // namespace

std::span<const IndicatorStep> IndicatorSteps(TunerKind kind) {
    if (kind == TunerKind::HpCl) return kHpClIndicator;
    return kLpIndicator;
}

NetworkFormula NetworkOf(TunerKind kind) {
    switch (kind) {
        case TunerKind::HpCl:
            return HpClInput;
        case TunerKind::LpCl:
            return LpClInput;
        case TunerKind::LpLc:
            break;
    }
    return LpLcInput;
}

double SettingSwr(TunerKind kind, const TunerLoad& load, double c_pF, double l_uH, Checked& c) {
    return SwrAgainst50(NetworkOf(kind)(load, c_pF, l_uH, c), c);
}

double ShownSwr(double swr) {
    return std::floor(swr * 100) / 100;
}

TunerState::TunerState(TunerKind kind, TunerSite& site) : kind_(kind), site_(site) {}

void TunerState::Reset() {
    display_ = {};
    banks_.reset();
    tuned_ = false;
    f_Hz = R_feed = X_feed = C_pF = L_uH = SWR = Cstep = Lstep = 0;
    Cidx = Lidx = bestC = bestL = 0;
    OPs = opsPerSecond = 0;
}

TuneEnd TunerState::Tune(const TuneRequest& request, std::string& refusal) {
    tuned_ = false;
    display_.coarseSwr.clear();
    display_.coarseC.clear();
    display_.coarseL.clear();
    display_.indicator = kIndicatorStart;
    OPs = 0;

    banks_ = request.banks;
    refusal = request.refusal;
    const std::optional<int32_t> rate = RoundToInt32(request.rate);
    if (banks_ && !rate) refusal = "TUNE refused: the operations per second are out of range.";
    if (request.antennaMissing) refusal = "no antenna values: check the main window's inputs";
    if (!banks_ || !rate || request.antennaMissing) {
        // Nothing was tried: no setting and no match.
        SWR = kNoMatch;
        display_.c_pF.clear();
        display_.l_uH.clear();
        display_.ops.clear();
        display_.time_s.clear();
        ShowSwr();
        site_.Show(display_);
        return TuneEnd::Refused;
    }
    opsPerSecond = *rate;
    Cstep = banks_->cStep;
    Lstep = banks_->lStep;
    SWR = kNoMatch;
    display_.coarseCaption = "SWR";
    site_.Show(display_);

    BestSetting best{bestC, bestL};
    RunSearch(kind_, *this, banks_->range, best);
    // A closed window is left as the closing left it.
    if (site_.Abandoned()) return TuneEnd::Abandoned;
    bestC = best.c;
    bestL = best.l;
    ApplyIndicator();
    site_.Show(display_);
    tuned_ = true;
    return TuneEnd::Tuned;
}

std::optional<TunerLoad> TunerState::tunedLoad() const {
    if (!tuned_) return std::nullopt;
    return TunerLoad{f_Hz, {R_feed, X_feed}};
}

double TunerState::EvaluateSetting(int16_t cidx, int16_t lidx) {
    Cidx = cidx;
    Lidx = lidx;
    // A fault in the calculation leaves SWR as it was: it then never becomes the best.
    Checked c;
    faulted_ = true;
    if (CountSetting(c)) {
        site_.Show(display_);
        site_.Yield();
        if (site_.Abandoned()) return SWR;
        MatchSetting(c);
        faulted_ = c.faulted();
    }
    if (SWR > kNoMatch) SWR = kNoMatch;
    ShowSwr();
    ApplyIndicator();
    site_.Show(display_);
    site_.Yield();
    return SWR;
}

bool TunerState::CountSetting(Checked& c) {
    const AntennaFields antenna = site_.Antenna();
    f_Hz = c.Finite(antenna.f_MHz * 1e6);
    R_feed = antenna.r_Ohm;
    X_feed = antenna.x_Ohm;
    if (c.faulted()) return false;

    const double capacitance = site_.Capacitance(Cidx, c);
    if (c.faulted()) return false;
    C_pF = capacitance;
    display_.c_pF = FormatField(C_pF);
    const double inductance = site_.Inductance(Lidx, c);
    if (c.faulted()) return false;
    L_uH = inductance;
    display_.l_uH = FormatField(L_uH);

    ++OPs;
    display_.ops = FormatField(OPs);
    const double seconds = c.Div(OPs, opsPerSecond);
    if (c.faulted()) return false;
    // |OPs / rate| never exceeds OPs, so the time fits.
    display_.time_s = FormatField(*RoundToInt32(seconds));
    return true;
}

void TunerState::MatchSetting(Checked& c) {
    const double swr = SettingSwr(kind_, {f_Hz, {R_feed, X_feed}}, C_pF, L_uH, c);
    if (c.ok()) SWR = swr;
}

void TunerState::ShowSwr() {
    display_.swr = FormatField(ShownSwr(SWR));
}

void TunerState::ApplyIndicator() {
    for (const IndicatorStep& step : IndicatorSteps(kind_)) {
        if (SWR < step.below) display_.indicator = step.colour;
    }
}

void TunerState::ShowCoarseResult(int level, double bestSWR, int16_t c, int16_t l) {
    if (level > 0) display_.coarseCaption = "SWR " + std::to_string(level);
    display_.coarseSwr = FormatField(ShownSwr(bestSWR));
    display_.coarseC = FormatField(c * Cstep);
    display_.coarseL = FormatField(l * Lstep);
    site_.Show(display_);
}
