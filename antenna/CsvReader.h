#pragma once

#include "antenna/PointSink.h"
#include "antenna/TextLines.h"

// CSV with a header naming the frequency (its unit in the name: f_MHz, "Frequency (Hz)"),
// R and X columns; comment lines starting with '#' may come before the header. Records
// whose R and X are both empty (the sweep export where the source has no value) are skipped.
bool ReadImpedanceCsv(TextLines& lines, PointSink& sink);
