// Half a million settings per frequency: whatever depends on one bank only is worked out
// once per index, and the inner loop over the capacitor bank is written without branches
// so that the compiler vectorises it. Its arithmetic is that of the Checked formulas, step
// for step in the same order; a step that would fault there marks the setting instead.
#include "tuners/search/BestOfAllSettings.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <span>
#include <vector>

using namespace network_steps;

namespace {

constexpr double kNoMatch = 9999;

// 0 for a finite number, NaN for infinity or NaN. Added to a result, the sum of these
// marks it as faulted without a branch: every step that faults in the Checked formulas
// (a division by zero included) leaves a value that is not finite here.
inline double Poison(double x) {
    return x - x;
}

// SwrAgainst50 with the window's clamp at 9999, which also stands for a setting that
// faults; `poison` carries the faults of the steps before.
inline double ClampedSwr(double r, double x, double poison) {
    const double towards = std::sqrt((r - 50) * (r - 50) + x * x);
    const double away = std::sqrt((r + 50) * (r + 50) + x * x);
    const double quotient = towards / away;
    const double rho = quotient - 1e-13;
    const double swr = (1 + rho) / (1 - rho);
    const double checked =
        swr + (poison + Poison(towards) + Poison(away) + Poison(quotient) + Poison(swr));
    return checked < kNoMatch ? checked : kNoMatch;
}

// What one capacitor setting contributes, worked out once per index; NaN where the bank
// value or a step faults, which poisons every setting with it.
struct CapacitorTerms {
    std::vector<double> a, b;
};

// Per capacitor index: HP-CL 1 / B_C; LP-CL B_C; LP-LC the antenna with the shunt C in
// front of it, R and X.
CapacitorTerms CapacitorSide(TunerKind kind, const TunerLoad& load, double w,
                             const BankValues& bank) {
    const std::size_t n = bank.value.size();
    CapacitorTerms t{std::vector<double>(n), std::vector<double>(n)};
    // Only LP-LC puts the capacitor across the antenna itself.
    Checked fixed;
    const Impedance y = kind == TunerKind::LpLc ? Invert(load.antenna, fixed) : Impedance{};
    for (std::size_t i = 0; i < n; ++i) {
        Checked c;
        const double bc = CapacitiveSusceptance(w, bank.value[i], c);
        switch (kind) {
            case TunerKind::HpCl:
                t.a[i] = c.Div(1, bc);
                break;
            case TunerKind::LpCl:
                t.a[i] = bc;
                break;
            case TunerKind::LpLc: {
                const Impedance z1 = Invert({y.r, c.Finite(y.x + bc)}, c);
                t.a[i] = z1.r;
                t.b[i] = z1.x;
                break;
            }
        }
        if (bank.faulted[i] || c.faulted() || fixed.faulted()) {
            t.a[i] = t.b[i] = std::numeric_limits<double>::quiet_NaN();
        }
    }
    return t;
}

// What one inductor setting contributes: HP-CL the antenna with the shunt L across it,
// R and X; LP-CL the admittance of the antenna with the series L, G, B and G^2; LP-LC X_L.
struct InductorTerms {
    double a = 0, b = 0, c = 0;
};

std::optional<InductorTerms> InductorSide(TunerKind kind, const TunerLoad& load, double w,
                                          double l_uH) {
    Checked c;
    const double xl = InductiveReactance(w, l_uH, c);
    InductorTerms t;
    switch (kind) {
        case TunerKind::HpCl: {
            const Impedance y = Invert(load.antenna, c);
            const Impedance z1 = Invert({y.r, c.Finite(y.x - c.Div(1, xl))}, c);
            t = {z1.r, z1.x};
            break;
        }
        case TunerKind::LpCl: {
            const Impedance y = Invert({load.antenna.r, c.Finite(load.antenna.x + xl)}, c);
            t = {y.r, y.x, c.Pow2(y.r)};
            break;
        }
        case TunerKind::LpLc:
            t.a = xl;
            break;
    }
    if (c.faulted()) return std::nullopt;
    return t;
}

// The SWR of every capacitor setting beside one inductor setting.
void Row(TunerKind kind, const InductorTerms& l, const CapacitorTerms& cs, std::span<double> swr) {
    const std::size_t n = swr.size();
    switch (kind) {
        case TunerKind::HpCl:
            for (std::size_t i = 0; i < n; ++i) {
                const double x = l.b - cs.a[i];
                swr[i] = ClampedSwr(l.a, x, Poison(x));
            }
            break;
        case TunerKind::LpCl:
            for (std::size_t i = 0; i < n; ++i) {
                const double b1 = l.b + cs.a[i];
                const double d = l.c + b1 * b1;
                const double r = l.a / d;
                const double x = -b1 / d;
                swr[i] = ClampedSwr(r, x, Poison(d) + Poison(r) + Poison(x));
            }
            break;
        case TunerKind::LpLc:
            for (std::size_t i = 0; i < n; ++i) {
                const double x = cs.b[i] + l.a;
                swr[i] = ClampedSwr(cs.a[i], x, Poison(x));
            }
            break;
    }
}

}  // namespace

AllSettingsBest BestOfAllSettings(TunerKind kind, const TunerLoad& load,
                                  const BankValues& capacitors, const BankValues& inductors,
                                  const StopRequest& stop) {
    AllSettingsBest best;
    best.settings = static_cast<int64_t>(capacitors.value.size()) *
                    static_cast<int64_t>(inductors.value.size());
    Checked c;
    const double w = Omega(load, c);
    if (c.faulted()) return best;
    const CapacitorTerms cs = CapacitorSide(kind, load, w, capacitors);
    std::vector<double> swr(capacitors.value.size());
    for (std::size_t li = 0; li < inductors.value.size(); ++li) {
        if (stop && stop()) {
            best.stopped = true;
            return best;
        }
        if (inductors.faulted[li]) continue;
        const std::optional<InductorTerms> l = InductorSide(kind, load, w, inductors.value[li]);
        if (!l) continue;
        Row(kind, *l, cs, swr);
        for (std::size_t ci = 0; ci < swr.size(); ++ci) {
            if (swr[ci] < best.swr) {
                best.swr = swr[ci];
                best.setting = BestSetting{static_cast<int16_t>(ci), static_cast<int16_t>(li)};
            }
        }
    }
    return best;
}
