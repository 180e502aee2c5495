#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>
#include <string>

#include "tuners/search/TunerSearch.h"

// What Orvane is asked to do when it starts. A run without a window (an export, say) adds
// its option and its request here, and main() hands that request to its runner.
class CommandLine {
public:
    enum class Request { Window, Help, Version, SweepTune, Invalid };

    CommandLine();
    Request Parse(const QStringList& arguments);

    // Prints the help, the version or the error with the usage; the exit code.
    int Answer(Request request) const;

    // What --sweep-tune asks for: the tuner and the CSV file.
    TunerKind sweepTuneKind() const;
    std::string sweepTuneFile() const;

    // Points every reader and writer of the settings at the file the user named; without
    // --settings they stay with ORVANE.INI in the working directory.
    void UseSettingsFile() const;

private:
    QCommandLineParser parser_;
    QCommandLineOption help_;
    QCommandLineOption version_;
    QCommandLineOption settings_;
    QCommandLineOption sweepTune_;
    QString error_;
};

// The arguments as the program got them, before any application object exists.
QStringList ArgumentsOf(int argc, char** argv);
