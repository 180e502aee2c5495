#include "tuners/LpTuner.h"

#include <QLineEdit>
#include <optional>

#include "platform/Colors.h"
#include "platform/FieldText.h"
#include "tuners/TunerLayout.h"
#include "tuners/search/BankSetup.h"

using namespace tuner_layout;

namespace {

const TunerLooks kLpClLooks{
    .kind = TunerKind::LpCl,
    .formName = "Form3",
    .caption = "ORVANE BINARY AUTO TUNER LP-CL",
    .schematic = Network::LpCl,
    .banksHeading = "BINARY TUNER VALUES",
    .rateCaption = "OPERATIONS/sec",
    .opsCaption = "OPERATIONS",
    .timeCaption = "TIME (sec)",
    .networkTip =
        "a bank of capacitors to ground, then a bank of inductors in series towards "
        "the antenna",
    .lampTip = "orange below SWR 2, green below 1.4",
    .offersToKeepBanks = true,
};

const TunerLooks kLpLcLooks{
    .kind = TunerKind::LpLc,
    .formName = "Form4",
    .caption = "ORVANE BINARY AUTO TUNER LP-LC",
    .schematic = Network::LpLc,
    .banksHeading = "BINARY TUNER VALUES",
    .rateCaption = "OPERATIONS/sec",
    .opsCaption = "OPERATIONS",
    .timeCaption = "TIME (sec)",
    .networkTip =
        "a bank of inductors in series, then a bank of capacitors to ground at the "
        "antenna",
    .lampTip = "orange below SWR 2, green below 1.4",
    .offersToKeepBanks = true,
};

constexpr LpTuner::Keys kLpClKeys{"LPCLCMIN", "LPCLCNUM", "LPCLLMIN", "LPCLLNUM"};
constexpr LpTuner::Keys kLpLcKeys{"LPLCCMIN", "LPLCCNUM", "LPLCLMIN", "LPLCLNUM"};

// Shown instead of a largest value that a double cannot hold; TUNE refuses to search it.
constexpr const char* kTooLarge = "TOO LARGE";

}  // namespace

const LpTuner::Keys& LpTuner::KeysOf(TunerKind kind) {
    return kind == TunerKind::LpCl ? kLpClKeys : kLpLcKeys;
}

std::unique_ptr<LpTuner> LpTuner::LpCl(TunerHost& host, TunerWindows& all) {
    return std::make_unique<LpTuner>(kLpClLooks, KeysOf(TunerKind::LpCl), host, all);
}

std::unique_ptr<LpTuner> LpTuner::LpLc(TunerHost& host, TunerWindows& all) {
    return std::make_unique<LpTuner>(kLpLcLooks, KeysOf(TunerKind::LpLc), host, all);
}

LpTuner::LpTuner(const TunerLooks& looks, const Keys& keys, TunerHost& host, TunerWindows& all)
    : TunerWindow(looks, host, all) {
    AddLabel("Label5", QRect(kMiddleX, 8, 2 * kMiddleColumnPitch, kLabelHeight),
             looks.banksHeading);
    const struct {
        const char* label;
        const char* caption;
        QColor labelBack;
        QLineEdit** field;
        const char* name;
        const char* text;
        const char* key;
        const char* tip;
    } rows[] = {
        {"Label6", "Cstep (pF)", colors::kCapacitor, &Text4, "Text4", "7.5", keys.cStep,
         "Capacitor step in pF: the smallest element of the bank; each further one is twice the "
         "one before, and a setting n switches in n steps."},
        {"Label7",
         "TOTAL Cs",
         {},
         &Text5,
         "Text5",
         "10",
         keys.cCount,
         "Number of capacitor elements in the bank."},
        {"Label8", "Cmax (pF)", colors::kCapacitor, &Text6, "Text6", "", nullptr,
         "Largest capacitance of the bank in pF: Cstep times (2 to the power TOTAL Cs, less 1)."},
        {"Label9", "Lstep (µH)", colors::kInductor, &Text7, "Text7", "0.25", keys.lStep,
         "Inductor step in µH: the smallest element of the bank; each further one is twice the "
         "one before, and a setting n switches in n steps."},
        {"Label10",
         "TOTAL Ls",
         {},
         &Text8,
         "Text8",
         "9",
         keys.lCount,
         "Number of inductor elements in the bank."},
        {"Label11", "Lmax (µH)", colors::kInductor, &Text9, "Text9", "", nullptr,
         "Largest inductance of the bank in µH: Lstep times (2 to the power TOTAL Ls, less 1)."},
    };
    const QString kept =
        "\nRead from the settings file when the window opens; values typed in are offered for "
        "it when the window closes.";
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const auto& row = rows[i];
        const int x = kMiddleX + static_cast<int>(i / 3) * kMiddleColumnPitch;
        const int y = kFirstRowY + static_cast<int>(i % 3) * kRowPitch;
        AddLabel(row.label, QRect(x, y, kMiddleFieldWidth, kLabelHeight), row.caption,
                 row.labelBack);
        *row.field = AddField(row.name, QRect(x, y + kLabelHeight, kMiddleFieldWidth, kFieldHeight),
                              row.text, row.key ? colors::kInput : colors::kResult);
        (*row.field)->setToolTip(row.tip + (row.key ? kept : QString()));
        if (row.key) BindSettingsKey(row.key, *row.field);
    }
    capacitors_ = {Text4, Text5, Text6, kCapacitorStepName, kCapacitorCountName};
    inductors_ = {Text7, Text8, Text9, kInductorStepName, kInductorCountName};
    for (const BankFields* bank : {&capacitors_, &inductors_}) {
        for (QLineEdit* source : {bank->step, bank->count}) {
            connect(source, &QLineEdit::textChanged, this,
                    [this, bank] { ShowLargestValue(*bank); });
        }
    }
    ShowBankLimits();
}

SteppedBankFields LpTuner::Fields(const BankFields& bank) {
    std::optional<double> largest;
    if (bank.largest->text() != kTooLarge) largest = FieldValue(bank.largest);
    return {bank.stepName, bank.countName, FieldValue(bank.step), FieldValue(bank.count), largest};
}

void LpTuner::ShowLargestValue(const BankFields& bank) {
    std::string fault;
    if (const std::optional<double> value = LargestBankValue(Fields(bank), fault)) {
        bank.largest->setText(FieldText(*value));
        return;
    }
    bank.largest->setText(kTooLarge);
    ShowStatus(QString::fromStdString(fault + "."));
}

void LpTuner::ShowBankLimits() {
    ShowLargestValue(capacitors_);
    ShowLargestValue(inductors_);
}

// The index ranges come from the largest values as displayed.
std::optional<BankSetup> LpTuner::PrepareRun(std::string& refusal) {
    return SteppedSetup(Fields(capacitors_), Fields(inductors_), refusal);
}

// The steps as TUNE read them when it started.
double LpTuner::Capacitance(int16_t cidx, Checked& c) const {
    return CapacitanceOf(*tuning().banks(), cidx, c);
}

double LpTuner::Inductance(int16_t lidx, Checked& c) const {
    return InductanceOf(*tuning().banks(), lidx, c);
}
