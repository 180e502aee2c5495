#pragma once

#include <string>
#include <vector>

#include "analysis/core/AnalysisSweep.h"

// What the report says in words and numbers; its pictures are drawn beside it.
struct ReportText {
    struct Row {
        std::string quantity;
        std::string value;
        std::string unit;
    };

    std::string title;
    std::string date;
    std::string source;
    std::vector<Row> inputs;
    std::vector<Row> antenna;  // empty where the source has no feed point at f
    std::string antennaFault;  // why it is empty
    // Header first, then one row per network in the order of the network boxes.
    std::vector<std::vector<std::string>> networks;
    // The antenna with its base coil's loss where that applies, then each network built from
    // parts of the setup's Qs, a sentence each.
    std::vector<std::string> realParts;
    std::string selected;   // the selected network's matched bandwidth, in a sentence
    std::string shownSpan;  // the span of the pictures
};

// How the report and the analysis window name a source.
std::string SourceText(const AntennaSource& source);

ReportText MakeReportText(const AnalysisSetup& setup, const std::string& date,
                          FrequencySpan shownSpan);
