#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/Checked.h"
#include "tuners/search/BankSetup.h"
#include "tuners/search/TunerNetworks.h"
#include "tuners/search/TunerSearch.h"

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// From this SWR down the indicator shows `colour`; later steps are lower thresholds.
struct IndicatorStep {
    double below;
    Rgb colour;
};

inline constexpr Rgb kIndicatorStart{255, 0, 0};
// The operations per second of a newly loaded window.
inline constexpr const char* kDesignOperationsPerSecond = "20";
std::span<const IndicatorStep> IndicatorSteps(TunerKind kind);
NetworkFormula NetworkOf(TunerKind kind);
// SWR against 50 Ohm of the tuner's network set to c_pF and l_uH at the load.
double SettingSwr(TunerKind kind, const TunerLoad& load, double c_pF, double l_uH, Checked& c);

// SWR as a tuner shows it: rounded down to 0.01.
double ShownSwr(double swr);

// What a tuner window's result fields show; a newly loaded window shows the defaults.
struct TunerDisplay {
    std::string c_pF;                   // Text10: the setting last evaluated
    std::string l_uH;                   // Text11
    std::string swr = "9999";           // Text12
    std::string ops;                    // Text13
    std::string time_s;                 // Text14
    std::string coarseCaption = "SWR";  // Label19: the coarse phase's result
    std::string coarseSwr;              // Text16
    std::string coarseC;                // Text17
    std::string coarseL;                // Text18
    Rgb indicator = kIndicatorStart;    // Shape1
};

// The antenna fields' values: f in MHz, R_f and X_f in Ohm.
struct AntennaFields {
    double f_MHz = 0;
    double r_Ohm = 0;
    double x_Ohm = 0;
};

// Where a tuning runs: a window with fields the user may edit while it searches and an
// event loop to yield to, or a run without a window, where nothing changes meanwhile.
class TunerSite {
public:
    virtual ~TunerSite() = default;
    // Read at every evaluation.
    virtual AntennaFields Antenna() const = 0;
    virtual double Capacitance(int16_t cidx, Checked& c) const = 0;
    virtual double Inductance(int16_t lidx, Checked& c) const = 0;
    virtual void Show(const TunerDisplay& display) = 0;
    virtual void Yield() = 0;
    // True once the window has been closed: the search ends without evaluating further.
    virtual bool Abandoned() const = 0;
};

struct TuneRequest {
    std::optional<BankSetup> banks;  // none: refused, for the reason in `refusal`
    std::string refusal;
    double rate = 0;  // the operations per second as their field reads
    bool antennaMissing = false;
};

enum class TuneEnd { Refused, Abandoned, Tuned };

// One tuner's TUNE: the state its runs share, the evaluation of a setting and what each
// result field shows. The tuner window and the sweep-tune without a window both tune
// through it, so they cannot differ.
class TunerState : public SearchHost {
public:
    static constexpr double kNoMatch = 9999;

    TunerState(TunerKind kind, TunerSite& site);

    // A newly loaded window: every value 0, the display as designed.
    void Reset();
    // Runs the whole search before it returns; a refused run shows no match and says why
    // in `refusal`.
    TuneEnd Tune(const TuneRequest& request, std::string& refusal);

    TunerKind kind() const { return kind_; }
    const TunerDisplay& display() const { return display_; }
    double swr() const { return SWR; }
    // The antenna and the banks of the last TUNE; none when it was refused.
    std::optional<TunerLoad> tunedLoad() const;
    const std::optional<BankSetup>& banks() const { return banks_; }
    // The setting the last TUNE found; it carries over to the next run.
    BestSetting bestSetting() const { return {bestC, bestL}; }

    double EvaluateSetting(int16_t cidx, int16_t lidx) override;
    int32_t Operations() const override { return OPs; }
    void ShowCoarseResult(int level, double bestSWR, int16_t c, int16_t l) override;
    bool Abandoned() const override { return site_.Abandoned(); }
    bool LastEvaluationFaulted() const override { return faulted_; }

private:
    // Evaluation steps 1 to 5 (up to the first yield) and 7 to 11; false at a fault.
    bool CountSetting(Checked& c);
    void MatchSetting(Checked& c);
    void ShowSwr();
    void ApplyIndicator();

    const TunerKind kind_;
    TunerSite& site_;
    TunerDisplay display_;
    std::optional<BankSetup> banks_;
    bool tuned_ = false;
    bool faulted_ = false;
    double f_Hz = 0, R_feed = 0, X_feed = 0, C_pF = 0, L_uH = 0, SWR = 0;
    double Cstep = 0, Lstep = 0;
    int16_t Cidx = 0, Lidx = 0, bestC = 0, bestL = 0;
    int32_t OPs = 0, opsPerSecond = 0;
};
