#pragma once

#include <memory>

#include "tuners/TunerWindow.h"

// The LP-CL (Form3) and LP-LC (Form4) tuners: each bank is a step and a number of
// binary-weighted elements, and setting index n switches in n steps.
class LpTuner : public TunerWindow {
    Q_OBJECT
public:
    // A bank's step, element-count and largest-value fields, and what the first two are
    // called.
    struct BankFields {
        QLineEdit* step;
        QLineEdit* count;
        QLineEdit* largest;
        const char* stepName;
        const char* countName;
    };

    // Settings keys of the step and element-count fields.
    struct Keys {
        const char* cStep;
        const char* cCount;
        const char* lStep;
        const char* lCount;
    };

    // LP-CL or LP-LC.
    static const Keys& KeysOf(TunerKind kind);

    static std::unique_ptr<LpTuner> LpCl(TunerHost& host, TunerWindows& all);
    static std::unique_ptr<LpTuner> LpLc(TunerHost& host, TunerWindows& all);

    LpTuner(const TunerLooks& looks, const Keys& keys, TunerHost& host, TunerWindows& all);

protected:
    std::optional<BankSetup> PrepareRun(std::string& refusal) override;
    double Capacitance(int16_t cidx, Checked& c) const override;
    double Inductance(int16_t lidx, Checked& c) const override;
    void ShowBankLimits() override;

private:
    // Largest bank value s * 2^m - s from the step s and the element count m.
    void ShowLargestValue(const BankFields& bank);
    // The bank as TUNE takes it: the largest value as its field shows it.
    static SteppedBankFields Fields(const BankFields& bank);

    QLineEdit *Text4, *Text5, *Text6;  // capacitor step, count, largest value
    QLineEdit *Text7, *Text8, *Text9;  // inductor step, count, largest value
    BankFields capacitors_{};
    BankFields inductors_{};
};
