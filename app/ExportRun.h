#pragma once

#include <optional>
#include <string>
#include <utility>

#include "core/Matching.h"
#include "losses/LossQ.h"
#include "tuners/search/TunerSearch.h"

// The antenna source --antenna names: the closed-form model, NEC-2 or a measured file.
struct AntennaOption {
    enum class Kind { Model, Nec2, File };
    Kind kind = Kind::Model;
    std::string path;  // the measured file
    bool given = false;
};

// What a run without a window writes.
struct ExportJob {
    enum class Kind {
        SweepCsv,
        Touchstone,
        Pictures,
        NecCompare,
        SweepTune,
        TunerLab,
        Analysis,
        Report,
        Summary
    };
    Kind kind = Kind::SweepCsv;
    std::string path;  // the file, or the folder of the pictures
    Network network = Network::HpCl;
    double scale = 1;
    TunerKind tuner = TunerKind::HpCl;  // whose sweep-tune or lab
    // The frequencies of the analysis pictures, MHz; none: the source's whole range.
    std::optional<std::pair<double, double>> span_MHz;
    LossQ losses;  // the parts' Qs, as --q-inductor and the others set them
    AntennaOption antenna;
};

// Writes the job's files from the settings in use and returns the exit code: 0 when all
// are written, 1 when the settings cannot be read or a file cannot be written (one line on
// standard error; no file is left half written), also when the antenna source cannot be had.
// The settings file is only read: a missing one gives the defaults, a damaged one is reported
// and the defaults are used.
int RunExport(const ExportJob& job, int& argc, char** argv);
