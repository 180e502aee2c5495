#include "tuners/HpClTuner.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "platform/BackColor.h"
#include "platform/Colors.h"
#include "platform/Controls.h"
#include "platform/FieldText.h"
#include "tuners/SweepTune.h"
#include "tuners/TunerLayout.h"
#include "tuners/search/BankSetup.h"
#include "tuners/search/WholeNumbers.h"

using namespace tuner_layout;

namespace {

const TunerLooks kLooks{
    .kind = TunerKind::HpCl,
    .formName = "Form2",
    .caption = "ORVANE BINARY AUTO TUNER HP-CL",
    .schematic = Network::HpCl,
    .banksHeading = "TUNER VALUES",
    .rateCaption = "OPERATIONS/s",
    .opsCaption = "OPs",
    .timeCaption = "TIME(s)",
    .networkTip =
        "a bank of capacitors in series, then a bank of inductors to ground at the "
        "antenna",
    .lampTip = "orange below SWR 2, yellow-green below 1.5, green below 1.2",
    .offersToKeepBanks = false,
};

const char* const kCapacitorDesign[10] = {"2", "4", "8", "16", "32", "64", "128", "", "", ""};
const char* const kInductorDesign[10] = {"0.1", "0.2", "0.4",  "0.8",  "1.6",
                                         "3.2", "6.4", "12.8", "25.6", ""};

std::array<double, 10> ElementValues(const std::array<QLineEdit*, 10>& row) {
    std::array<double, 10> values;
    for (std::size_t i = 0; i < row.size(); ++i) values[i] = FieldValue(row[i]);
    return values;
}

std::optional<double> Total(const std::array<QLineEdit*, 10>& row) {
    return ElementTotal(ElementValues(row));
}

QString ElementToolTip(const QString& element, int n, const QString& unit) {
    return QString(
               "%1 %2 of its bank, in %3: a setting switches it in by bit %4. Empty or 0: "
               "not fitted.\nSAVE TUNER VALUES sorts the bank and keeps it in the settings "
               "file.")
        .arg(element)
        .arg(n)
        .arg(unit)
        .arg(n - 1);
}

}  // namespace

HpClTuner::HpClTuner(TunerHost& host, TunerWindows& all) : TunerWindow(kLooks, host, all) {
    AddLabel("Label5", QRect(kMiddleX, 8, 2 * kMiddleColumnPitch, kLabelHeight),
             kLooks.banksHeading);
    const int secondColumn = kMiddleX + kMiddleColumnPitch;
    AddLabel("Label6", QRect(kMiddleX, kFirstRowY, kMiddleFieldWidth, kLabelHeight), "Cs (pF)",
             colors::kCapacitor);
    AddLabel("Label7", QRect(secondColumn, kFirstRowY, kMiddleFieldWidth, kLabelHeight), "Ls (µH)",
             colors::kInductor);
    int y = kFirstRowY + kLabelHeight;
    for (std::size_t i = 0; i < 10; ++i) {
        const int n = static_cast<int>(i) + 1;
        Text4[i] = AddField(QString("Text4_%1").arg(n), QRect(kMiddleX, y, kMiddleFieldWidth, 20),
                            kCapacitorDesign[i], colors::kInput);
        Text5[i] =
            AddField(QString("Text5_%1").arg(n), QRect(secondColumn, y, kMiddleFieldWidth, 20),
                     kInductorDesign[i], colors::kInput);
        Text4[i]->setToolTip(ElementToolTip("Capacitor", n, "pF"));
        Text5[i]->setToolTip(ElementToolTip("Inductor", n, QString::fromUtf8("\u00b5H")));
        BindSettingsKey(CapacitorKey(i), Text4[i]);
        BindSettingsKey(InductorKey(i), Text5[i]);
        connect(Text4[i], &QLineEdit::textChanged, this, [this] { Text4_Change(); });
        connect(Text5[i], &QLineEdit::textChanged, this, [this] { Text5_Change(); });
        y += 22;
    }
    y += 4;
    AddLabel("Label9", QRect(kMiddleX, y, kMiddleFieldWidth, kLabelHeight), "Cmax (pF)",
             colors::kCapacitor);
    AddLabel("Label10", QRect(secondColumn, y, kMiddleFieldWidth, kLabelHeight), "Lmax (µH)",
             colors::kInductor);
    Text6 = AddField("Text6", QRect(kMiddleX, y + kLabelHeight, kMiddleFieldWidth, 20), "",
                     colors::kResult);
    Text7 = AddField("Text7", QRect(secondColumn, y + kLabelHeight, kMiddleFieldWidth, 20), "",
                     colors::kResult);
    auto* save = NewButton(this, "Command3",
                           QRect(kMiddleX, y + kLabelHeight + 26, kMiddleColumnPitch + 96, 26),
                           "SAVE TUNER VALUES", colors::kInput);
    connect(save, &QPushButton::clicked, this, [this] { Command3_Click(); });
    Text6->setToolTip("Largest capacitance of the bank, all its elements switched in, in pF.");
    Text7->setToolTip(QString::fromUtf8(
        "Largest inductance of the bank, all its elements switched in, in \u00b5H."));
    save->setToolTip(
        "Sorts both banks in ascending order, empty fields last, and keeps them in the settings "
        "file.");

    // The work list of the save: kept in plain text order, never shown.
    SORTLIST = new QListWidget(this);
    SORTLIST->setObjectName("SORTLIST");
    SORTLIST->setSortingEnabled(true);
    SORTLIST->hide();

    AddLabel("Label8", QRect(kRightX, kLastSettingHeadingY, kRightWidth, kLabelHeight), "TUNE");
    const QPoint average = ResultCell(8);
    AddLabel("Label11", QRect(average.x(), average.y(), kCellWidth, kLabelHeight), "AVG (s)");
    Text8 = AddField("Text8", QRect(average.x(), average.y() + kLabelHeight, kCellWidth, 20), "",
                     colors::kResult);
    Text8->setToolTip("Average tuning time in s of the runs so far in this window's own sweep.");
    ShowBankLimits();
}

std::string HpClTuner::CapacitorKey(std::size_t index) {
    return QString("HPCLXC%1").arg(index + 1, 2, 10, QChar('0')).toStdString();
}

std::string HpClTuner::InductorKey(std::size_t index) {
    return QString("HPCLXL%1").arg(index + 1, 2, 10, QChar('0')).toStdString();
}

// A total that is no finite number leaves the total and its field as they were.
void HpClTuner::Text4_Change() {
    if (const std::optional<double> total = Total(Text4)) {
        Ctotal = *total;
        Text6->setText(FieldText(Ctotal));
    }
}

void HpClTuner::Text5_Change() {
    if (const std::optional<double> total = Total(Text5)) {
        Ltotal = *total;
        Text7->setText(FieldText(Ltotal));
    }
}

void HpClTuner::ShowBankLimits() {
    Text4_Change();
    Text5_Change();
}

std::optional<BankSetup> HpClTuner::PrepareRun(std::string& refusal) {
    ShowBankLimits();
    return SwitchedSetup(ElementValues(Text4), ElementValues(Text5), refusal);
}

double HpClTuner::Capacitance(int16_t cidx, Checked& c) const {
    return SwitchedInValue(ElementValues(Text4), cidx, c);
}

double HpClTuner::Inductance(int16_t lidx, Checked& c) const {
    return SwitchedInValue(ElementValues(Text5), lidx, c);
}

void HpClTuner::SweepStarting() {
    Text8->setText("0");
    totalTime = 0;
}

// While this window's own sweep runs: the average tuning time of the runs so far, which
// number 10 f since the sweep starts at 0.1 MHz in steps of 0.1 MHz.
void HpClTuner::TuneFinished() {
    if (BackColor(Command32) != kSweepRunning) return;
    Checked c;
    const std::optional<int32_t> total = RoundToInt32(c.Finite(totalTime + FieldValue(Text14)));
    if (c.faulted() || !total) return;
    totalTime = *total;
    const std::optional<int32_t> average =
        RoundToInt32(c.Div(totalTime, c.Finite(10 * FieldValue(Text1))));
    if (c.ok() && average) Text8->setText(FieldText(*average));
}
