#include "tuners/LpTuner.h"

#include <QLineEdit>
#include <cmath>
#include <optional>

#include "platform/Colors.h"
#include "platform/FieldText.h"
#include "tuners/TunerLayout.h"
#include "tuners/search/Banks.h"

using namespace tuner_layout;

namespace {

constexpr IndicatorStep kIndicator[] = {
    {2, {255, 192, 0}},
    {1.4, {0, 255, 0}},
};

const TunerLooks kLpClLooks{
    .kind = TunerKind::LpCl,
    .formName = "Form3",
    .caption = "ORVANE BINARY AUTO TUNER LP-CL",
    .schematic = Network::LpCl,
    .network = LpClInput,
    .indicator = kIndicator,
    .banksHeading = "BINARY TUNER VALUES",
    .rateCaption = "OPERATIONS/sec",
    .opsCaption = "OPERATIONS",
    .timeCaption = "TIME (sec)",
};

const TunerLooks kLpLcLooks{
    .kind = TunerKind::LpLc,
    .formName = "Form4",
    .caption = "ORVANE BINARY AUTO TUNER LP-LC",
    .schematic = Network::LpLc,
    .network = LpLcInput,
    .indicator = kIndicator,
    .banksHeading = "BINARY TUNER VALUES",
    .rateCaption = "OPERATIONS/sec",
    .opsCaption = "OPERATIONS",
    .timeCaption = "TIME (sec)",
};

constexpr LpTuner::Keys kLpClKeys{"LPCLCMIN", "LPCLCNUM", "LPCLLMIN", "LPCLLNUM"};
constexpr LpTuner::Keys kLpLcKeys{"LPLCCMIN", "LPLCCNUM", "LPLCLMIN", "LPLCLNUM"};

// Shown instead of a largest value that a double cannot hold; TUNE refuses to search it.
constexpr const char* kTooLarge = "TOO LARGE";

// Largest bank value of the step and the element count, or nothing with the field to blame
// in `fault`: the count when 2 to its power overflows, the step otherwise.
std::optional<double> LargestValue(const LpTuner::BankFields& bank, QString& fault) {
    Checked c;
    const double count = FieldValue(bank.count);
    const double value = LargestSteppedValue(FieldValue(bank.step), count, c);
    if (c.ok()) return value;
    Checked power;
    power.Finite(std::pow(2.0, count));
    fault = power.faulted()
                ? QString("%1 is too large: 2 to its power overflows").arg(bank.countName)
                : QString("%1 is too large: the largest bank value overflows").arg(bank.stepName);
    return std::nullopt;
}

}  // namespace

std::unique_ptr<LpTuner> LpTuner::LpCl(TunerHost& host, TunerWindows& all) {
    return std::make_unique<LpTuner>(kLpClLooks, kLpClKeys, host, all);
}

std::unique_ptr<LpTuner> LpTuner::LpLc(TunerHost& host, TunerWindows& all) {
    return std::make_unique<LpTuner>(kLpLcLooks, kLpLcKeys, host, all);
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
    } rows[] = {
        {"Label6", "Cstep (pF)", colors::kCapacitor, &Text4, "Text4", "7.5", keys.cStep},
        {"Label7", "TOTAL Cs", {}, &Text5, "Text5", "10", keys.cCount},
        {"Label8", "Cmax (pF)", colors::kCapacitor, &Text6, "Text6", "", nullptr},
        {"Label9", "Lstep (µH)", colors::kInductor, &Text7, "Text7", "0.25", keys.lStep},
        {"Label10", "TOTAL Ls", {}, &Text8, "Text8", "9", keys.lCount},
        {"Label11", "Lmax (µH)", colors::kInductor, &Text9, "Text9", "", nullptr},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const auto& row = rows[i];
        const int x = kMiddleX + static_cast<int>(i / 3) * kMiddleColumnPitch;
        const int y = kFirstRowY + static_cast<int>(i % 3) * kRowPitch;
        AddLabel(row.label, QRect(x, y, kMiddleFieldWidth, kLabelHeight), row.caption,
                 row.labelBack);
        *row.field = AddField(row.name, QRect(x, y + kLabelHeight, kMiddleFieldWidth, kFieldHeight),
                              row.text, row.key ? colors::kInput : colors::kResult);
        if (row.key) BindSettingsKey(row.key, *row.field);
    }
    capacitors_ = {Text4, Text5, Text6, "Cstep", "TOTAL Cs"};
    inductors_ = {Text7, Text8, Text9, "Lstep", "TOTAL Ls"};
    for (const BankFields* bank : {&capacitors_, &inductors_}) {
        for (QLineEdit* source : {bank->step, bank->count}) {
            connect(source, &QLineEdit::textChanged, this,
                    [this, bank] { ShowLargestValue(*bank); });
        }
    }
    ShowBankLimits();
}

void LpTuner::ShowLargestValue(const BankFields& bank) {
    QString fault;
    if (const std::optional<double> value = LargestValue(bank, fault)) {
        bank.largest->setText(FieldText(*value));
        return;
    }
    bank.largest->setText(kTooLarge);
    ShowStatus(fault + ".");
}

void LpTuner::ShowBankLimits() {
    ShowLargestValue(capacitors_);
    ShowLargestValue(inductors_);
}

// The index ranges come from the largest values as displayed.
std::optional<IndexRange> LpTuner::PrepareRun(QString& refusal) {
    Cstep = FieldValue(Text4);
    Lstep = FieldValue(Text7);
    for (const BankFields* bank : {&capacitors_, &inductors_}) {
        QString fault;
        if (bank->largest->text() == kTooLarge && !LargestValue(*bank, fault)) {
            refusal = "TUNE refused: " + fault + ".";
            return std::nullopt;
        }
    }
    const std::optional<int16_t> c = BankMaxIndex(FieldValue(Text6), Cstep, "Cstep", refusal);
    if (!c) return std::nullopt;
    const std::optional<int16_t> l = BankMaxIndex(FieldValue(Text9), Lstep, "Lstep", refusal);
    if (!l) return std::nullopt;
    return IndexRange{*c, *l};
}

double LpTuner::Capacitance(int16_t cidx, Checked& c) const {
    return SteppedValue(Cstep, cidx, c);
}

double LpTuner::Inductance(int16_t lidx, Checked& c) const {
    return SteppedValue(Lstep, lidx, c);
}
