#include "mainwindow/SpinStep.h"

#include "core/Checked.h"

SpinStep NextSpinValue(const InputFieldSpec& spec, bool plus, double v) {
    bool beyond = false;
    if (spec.grid) {
        // The frequency keeps to a 0.1 MHz grid; a value too large to scale is beyond it.
        Checked c;
        if (plus) {
            if (v < spec.lower) v = spec.lower;
            v = c.Floor(c.Finite((v + spec.step) * 10) + 0.0001) / 10;
        } else {
            if (v > spec.upper) v = spec.upper;
            v = c.Floor(c.Finite(v * 10) + 0.6001) / 10 - spec.step;
        }
        beyond = c.faulted();
    } else if (plus) {
        if (v < spec.lower) v = spec.lower;
        v += spec.step;
    } else {
        if (v > spec.upper) v = spec.upper;
        v -= spec.step;
    }
    if (plus && (beyond || v > spec.upper)) return {spec.upper, true};
    if (!plus && (beyond || v < spec.lower)) return {spec.lower, true};
    return {v, false};
}
