#pragma once

#include "mainwindow/InputFields.h"

// One step of an input's "+" or "-" button from the value v its field holds.
struct SpinStep {
    double value;
    // The step went beyond the field's bound and was held there: a repeat ends.
    bool atBound;
};

SpinStep NextSpinValue(const InputFieldSpec& spec, bool plus, double v);
