#include "app/SweepTuneRun.h"

#include <array>
#include <cstdio>
#include <map>
#include <optional>
#include <vector>

#include "app/RunSettings.h"
#include "app/RunSource.h"
#include "exports/SweepTuneCsv.h"
#include "mainwindow/MainKeys.h"
#include "platform/Controls.h"
#include "platform/FieldText.h"
#include "platform/SettingsTexts.h"
#include "platform/TextBoxFilter.h"
#include "tuners/HpClTuner.h"
#include "tuners/LpTuner.h"
#include "tuners/search/HandOver.h"
#include "tuners/search/SweepTuneRows.h"
#include "tuners/search/TunerWithoutWindow.h"

namespace {

using Values = std::map<std::string, std::string>;

// A number as it reads back from a field that shows it.
double Shown(double value) {
    return FieldValue(FieldText(value));
}

// A tuner window's bank field takes the text of its key as its text box takes any text.
double BankField(const Values& values, const std::string& key) {
    return FieldValue(BoxText(SettingsText(values.at(key)), TextBoxFilter::Kind::Text));
}

}  // namespace

std::vector<std::string> TunerRunKeys(TunerKind kind) {
    std::vector<std::string> keys = MainKeyNames();
    if (kind == TunerKind::HpCl) {
        for (std::size_t i = 0; i < 10; ++i) {
            keys.push_back(HpClTuner::CapacitorKey(i));
            keys.push_back(HpClTuner::InductorKey(i));
        }
    } else {
        const LpTuner::Keys& lp = LpTuner::KeysOf(kind);
        keys.insert(keys.end(), {lp.cStep, lp.cCount, lp.lStep, lp.lCount});
    }
    return keys;
}

std::optional<BankSetup> TunerRunBanks(TunerKind kind, const Values& values, std::string& refusal) {
    if (kind == TunerKind::HpCl) {
        std::array<double, 10> capacitors{}, inductors{};
        for (std::size_t i = 0; i < 10; ++i) {
            capacitors[i] = BankField(values, HpClTuner::CapacitorKey(i));
            inductors[i] = BankField(values, HpClTuner::InductorKey(i));
        }
        return SwitchedSetup(capacitors, inductors, refusal);
    }
    const LpTuner::Keys& keys = LpTuner::KeysOf(kind);
    SteppedBankFields capacitors{kCapacitorStepName, kCapacitorCountName,
                                 BankField(values, keys.cStep), BankField(values, keys.cCount),
                                 std::nullopt};
    SteppedBankFields inductors{kInductorStepName, kInductorCountName,
                                BankField(values, keys.lStep), BankField(values, keys.lCount),
                                std::nullopt};
    // Each largest value as its field shows it.
    for (SteppedBankFields* bank : {&capacitors, &inductors}) {
        std::string fault;
        if (const std::optional<double> largest = LargestBankValue(*bank, fault)) {
            bank->largest = Shown(*largest);
        }
    }
    return SteppedSetup(capacitors, inductors, refusal);
}

namespace {

// Each step as the window's SWEEP runs it: the main window's pass at the frequency hands
// over R_f and X_f as its fields show them (none when it failed), then TUNE. `refused`
// counts the steps per reason TUNE gave.
std::vector<SweepTuneRow> Sweep(TunerKind kind, const Values& values, const AntennaSource& source,
                                const LossQ& q, std::map<std::string, int>& refused) {
    TunerWithoutWindow tuner(kind);
    const AntennaInput input = InputsFromSettings(values).antenna;
    std::vector<SweepTuneRow> rows;
    for (const SweepTunePoint& point : SweepTunePoints()) {
        const double f_MHz = ParseLeadingNumber(point.text);
        const std::optional<AntennaFields> antenna = HandedOverAntenna(source, input, f_MHz);
        TuneRequest request;
        request.antennaMissing = !antenna;
        tuner.antenna = antenna.value_or(AntennaFields{f_MHz, 0, 0});
        request.banks = TunerRunBanks(kind, values, request.refusal);
        request.rate = ParseLeadingNumber(kDesignOperationsPerSecond);
        std::string refusal;
        if (tuner.state.Tune(request, refusal) == TuneEnd::Refused) ++refused[refusal];
        rows.push_back(RowOf(tuner.state, f_MHz, q, input.ptx_W));
    }
    return rows;
}

}  // namespace

int RunSweepTune(TunerKind kind, const std::string& csvPath, const AntennaOption& antenna,
                 const LossQ& losses) {
    Values values;
    if (!ReadRunSettings(TunerRunKeys(kind), values)) return 1;
    const std::shared_ptr<const AntennaSource> source =
        RunSource(antenna, InputsFromSettings(values).antenna);
    if (!source) return 1;

    std::map<std::string, int> refused;
    std::vector<SweepTuneRow> rows = Sweep(kind, values, *source, losses, refused);
    for (const auto& [refusal, steps] : refused) {
        ReportOnStandardError("at " + std::to_string(steps) + " of " + std::to_string(rows.size()) +
                              " frequencies: " + refusal);
    }
    for (SweepTuneRow& row : rows) CompareWithAllSettings(kind, row);

    if (const FileResult written = WriteFileAtomically(csvPath, SweepTuneCsv(rows));
        !written.ok()) {
        ReportOnStandardError(written.error);
        return 1;
    }
    const SweepComparison comparison = Compare(rows);
    std::printf("%s\n%s\n", ComparisonText(comparison, rows.size(), true).c_str(),
                ComparisonDetails(comparison).c_str());
    return 0;
}
