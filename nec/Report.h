#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Antenna.h"

// NEC-2's input impedance of the rod at its base, without anything the model adds.
struct NecPoint {
    double frequency_MHz = 0;
    Impedance base;
};

struct NecReport {
    std::vector<NecPoint> points;  // the frequencies read, in the order of the report
    std::string fault;             // empty when the report was read to its end
};

// Reads the input impedance of every frequency from a nec2c report: the FREQUENCY block
// names the frequency, the first line under ANTENNA INPUT PARAMETERS holds the impedance
// in its 7th and 8th field. Reading stops at the first thing that does not fit; what was
// read before it is kept.
NecReport ReadNecReport(std::string_view text);

// The whole sweep of the deck (every frequency of the locus, in order), or a one-line
// reason for the status line why the report does not give it.
struct NecSweep {
    std::vector<NecPoint> points;
    std::string fault;
};
NecSweep ReadNecSweep(std::string_view text);
