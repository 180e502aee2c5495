#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/Checked.h"
#include "tuners/search/Banks.h"
#include "tuners/search/TunerSearch.h"

// A tuner's two banks as TUNE takes them when it starts, worked out from the values of the
// window's bank fields. Refusals name the field to blame, as the window shows them.
struct BankSetup {
    // HP-CL: ten element values per bank, switched in by the bits of an index. Otherwise a
    // setting is index times the step.
    bool switched = false;
    std::array<double, 10> cElements{};
    std::array<double, 10> lElements{};
    // The first element (HP-CL) or the step: a coarse result's index times these.
    double cStep = 0;
    double lStep = 0;
    IndexRange range;
};

// Settings 0 .. max index of each bank, all combinations.
int64_t SettingCount(const BankSetup& banks);
double CapacitanceOf(const BankSetup& banks, int16_t cidx, Checked& c);
double InductanceOf(const BankSetup& banks, int16_t lidx, Checked& c);
// Every setting 0 .. max index of each bank, for the search over all of them.
BankValues CapacitorBank(const BankSetup& banks);
BankValues InductorBank(const BankSetup& banks);

// Largest setting index of a bank of that total and first value, or nothing with the
// reason in `refusal`.
std::optional<int16_t> BankMaxIndex(double total, double step, const std::string& stepName,
                                    std::string& refusal);

// Sum of a row of element values; nothing when that is no finite number.
std::optional<double> ElementTotal(std::span<const double, 10> elements);

// HP-CL: the index ranges run up to total / first element.
std::optional<BankSetup> SwitchedSetup(const std::array<double, 10>& capacitors,
                                       const std::array<double, 10>& inductors,
                                       std::string& refusal);

// An LP bank's fields: the step, the element count, and the largest value as the window
// shows it (none while it shows that the value is too large).
struct SteppedBankFields {
    const char* stepName;
    const char* countName;
    double step = 0;
    double count = 0;
    std::optional<double> largest;
};

inline constexpr const char* kCapacitorStepName = "Cstep";
inline constexpr const char* kCapacitorCountName = "TOTAL Cs";
inline constexpr const char* kInductorStepName = "Lstep";
inline constexpr const char* kInductorCountName = "TOTAL Ls";

// The largest value s * 2^m - s of a step s and an element count m, or nothing with the
// field to blame in `fault`: the count when 2 to its power overflows, the step otherwise.
std::optional<double> LargestBankValue(const SteppedBankFields& bank, std::string& fault);

// LP-CL and LP-LC: the index ranges run up to the largest value shown / step.
std::optional<BankSetup> SteppedSetup(const SteppedBankFields& capacitors,
                                      const SteppedBankFields& inductors, std::string& refusal);
