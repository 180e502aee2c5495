#include "tuners/search/BankSetup.h"

#include <algorithm>
#include <cmath>

namespace {

std::optional<BankSetup> WithRanges(BankSetup banks, double cTotal, double lTotal,
                                    const std::string& cName, const std::string& lName,
                                    std::string& refusal) {
    const std::optional<int16_t> c = BankMaxIndex(cTotal, banks.cStep, cName, refusal);
    if (!c) return std::nullopt;
    const std::optional<int16_t> l = BankMaxIndex(lTotal, banks.lStep, lName, refusal);
    if (!l) return std::nullopt;
    banks.range = {*c, *l};
    return banks;
}

}  // namespace

int64_t SettingCount(const BankSetup& banks) {
    const int64_t c = std::max<int64_t>(0, banks.range.cmaxIndex + 1);
    const int64_t l = std::max<int64_t>(0, banks.range.lmaxIndex + 1);
    return c * l;
}

double CapacitanceOf(const BankSetup& banks, int16_t cidx, Checked& c) {
    return banks.switched ? SwitchedInValue(banks.cElements, cidx, c)
                          : SteppedValue(banks.cStep, cidx, c);
}

double InductanceOf(const BankSetup& banks, int16_t lidx, Checked& c) {
    return banks.switched ? SwitchedInValue(banks.lElements, lidx, c)
                          : SteppedValue(banks.lStep, lidx, c);
}

BankValues CapacitorBank(const BankSetup& banks) {
    return banks.switched ? SwitchedInBank(banks.cElements, banks.range.cmaxIndex)
                          : SteppedBank(banks.cStep, banks.range.cmaxIndex);
}

BankValues InductorBank(const BankSetup& banks) {
    return banks.switched ? SwitchedInBank(banks.lElements, banks.range.lmaxIndex)
                          : SteppedBank(banks.lStep, banks.range.lmaxIndex);
}

std::optional<int16_t> BankMaxIndex(double total, double step, const std::string& stepName,
                                    std::string& refusal) {
    if (step == 0) {
        refusal = "TUNE refused: " + stepName + " is 0 or empty.";
        return std::nullopt;
    }
    const std::optional<int16_t> index = MaxIndex(total, step);
    if (!index) {
        refusal = "TUNE refused: the bank has more settings than 16-bit indices reach (total / " +
                  stepName + ").";
    }
    return index;
}

std::optional<double> ElementTotal(std::span<const double, 10> elements) {
    Checked c;
    double sum = 0;
    for (const double element : elements) sum = c.Finite(sum + element);
    if (c.faulted()) return std::nullopt;
    return sum;
}

std::optional<BankSetup> SwitchedSetup(const std::array<double, 10>& capacitors,
                                       const std::array<double, 10>& inductors,
                                       std::string& refusal) {
    const std::optional<double> cTotal = ElementTotal(capacitors);
    const std::optional<double> lTotal = ElementTotal(inductors);
    // A total beyond a double would search banks that are not there.
    if (!cTotal || !lTotal) {
        refusal = std::string("TUNE refused: the ") + (cTotal ? "inductor" : "capacitor") +
                  " total is too large.";
        return std::nullopt;
    }
    const BankSetup banks{.switched = true,
                          .cElements = capacitors,
                          .lElements = inductors,
                          .cStep = capacitors[0],
                          .lStep = inductors[0],
                          .range = {}};
    return WithRanges(banks, *cTotal, *lTotal, "the first capacitor", "the first inductor",
                      refusal);
}

std::optional<double> LargestBankValue(const SteppedBankFields& bank, std::string& fault) {
    Checked c;
    const double value = LargestSteppedValue(bank.step, bank.count, c);
    if (c.ok()) return value;
    Checked power;
    power.Finite(std::pow(2.0, bank.count));
    fault = power.faulted()
                ? std::string(bank.countName) + " is too large: 2 to its power overflows"
                : std::string(bank.stepName) + " is too large: the largest bank value overflows";
    return std::nullopt;
}

std::optional<BankSetup> SteppedSetup(const SteppedBankFields& capacitors,
                                      const SteppedBankFields& inductors, std::string& refusal) {
    for (const SteppedBankFields* bank : {&capacitors, &inductors}) {
        std::string fault;
        if (!bank->largest && !LargestBankValue(*bank, fault)) {
            refusal = "TUNE refused: " + fault + ".";
            return std::nullopt;
        }
    }
    // A largest value that is shown as too large but has since come within range reads 0.
    const BankSetup banks{.cStep = capacitors.step, .lStep = inductors.step, .range = {}};
    return WithRanges(banks, capacitors.largest.value_or(0), inductors.largest.value_or(0),
                      capacitors.stepName, inductors.stepName, refusal);
}
