#pragma once

#include "antenna/PointSink.h"
#include "antenna/TextLines.h"

// Touchstone 1.x: one-port (freq S11) or two-port (freq S11 S21 S12 S22, S11 taken), with the
// option line's unit, parameter, format and reference; the format's defaults without one.
// Version 2.0 files are refused with a message saying so.
bool ReadTouchstone(TextLines& lines, bool twoPort, PointSink& sink);
