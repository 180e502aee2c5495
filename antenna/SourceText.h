#pragma once

#include <string>

#include "antenna/AntennaSource.h"

// How files, titles and notes name a source.

// "model", "nec2" or "measured", as the command line and the files say it.
std::string SourceWord(const AntennaSource& source);
// The measured file as it was given; empty for the other sources.
std::string SourceFile(const AntennaSource& source);
// The first line of the sweep CSV: "# source: measured whip-40m.s1p"; control characters of
// the file's name as '?'.
std::string SourceCommentLine(const AntennaSource& source);
// What the window title adds: "measured: whip-40m.s1p", "NEC-2 model"; empty for the model.
std::string SourceTitle(const AntennaSource& source);
// The status line's note on the source; empty for the model.
std::string SourceNote(const AntennaSource& source);
// "7.1 MHz is outside the measured 6.90 to 7.40 MHz"; empty inside the span.
std::string OutsideSpanNote(const AntennaSource& source, double f_MHz);
