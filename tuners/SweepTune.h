#pragma once

#include <QColor>
#include <cstdint>

class TunerHost;
class TunerWindows;

// Back colour of the SWEEP button whose sweep is running; idle is the input colour.
inline const QColor kSweepRunning{255, 176, 176};

// Tunes the tuner of `code` (1 HP-CL, 4 LP-CL, 5 LP-LC) at every 0.1 MHz from 0.1 to
// 29.9 MHz with the antenna values the main window computes there, and marks each result
// on the main window's strip in the colour of the tuner's indicator. `code` is the
// starting window's sweep code: whoever sets it to 0 stops the sweep at its next step.
void sweeptune(int16_t& code, TunerHost& host, TunerWindows& tuners);
