#pragma once

#include <array>
#include <string>

#include "tuners/TunerWindow.h"

class QListWidget;

// The HP-CL tuner (Form2): ten capacitor and ten inductor element values, switched in by
// the bits of a setting index; the banks can be tidied and saved, and the window keeps the
// average tuning time of its own sweep.
class HpClTuner : public TunerWindow {
    Q_OBJECT
public:
    HpClTuner(TunerHost& host, TunerWindows& all);

    // SAVE TUNER VALUES: sorts both rows and stores them in the settings file.
    void Command3_Click();

    // Settings keys of the elements: HPCLXC01 .. HPCLXC10 and HPCLXL01 .. HPCLXL10.
    static std::string CapacitorKey(std::size_t index);
    static std::string InductorKey(std::size_t index);

protected:
    std::optional<BankSetup> PrepareRun(std::string& refusal) override;
    double Capacitance(int16_t cidx, Checked& c) const override;
    double Inductance(int16_t lidx, Checked& c) const override;
    void ShowBankLimits() override;
    void SweepStarting() override;
    void TuneFinished() override;
    void ResetState() override { totalTime = 0; }

private:
    using Row = std::array<QLineEdit*, 10>;

    void Text4_Change();
    void Text5_Change();

    Row Text4{};  // capacitor elements, pF
    Row Text5{};  // inductor elements, µH
    QLineEdit *Text6, *Text7, *Text8;
    QListWidget* SORTLIST;
    double Ctotal = 0, Ltotal = 0;
    int32_t totalTime = 0;
};
