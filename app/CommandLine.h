#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include "app/ExportRun.h"

// What Orvane is asked to do when it starts. A run without a window (an export, say) adds
// its option and its request here, and main() hands that request to its runner.
class CommandLine {
public:
    enum class Request { Window, Export, Help, Version, Invalid };

    CommandLine();
    Request Parse(const QStringList& arguments);

    // Prints the help, the version or the error with the usage; the exit code.
    int Answer(Request request) const;

    // Points every reader and writer of the settings at the file the user named; without
    // --settings they stay with ORVANE.INI in the working directory.
    void UseSettingsFile() const;

    // What an Export request writes.
    const ExportJob& exportJob() const { return job_; }
    // The source --antenna names, for the window as for every run without one.
    const AntennaOption& antenna() const { return job_.antenna; }

private:
    // Reads the export options into job_; false with error_ set when they do not fit.
    bool ParseExport();
    // The tuner and the CSV file of --sweep-tune into job_, as ParseExport.
    bool ParseSweepTune();
    // --antenna into job_, as ParseExport.
    bool ParseAntenna();

    QCommandLineParser parser_;
    QCommandLineOption help_;
    QCommandLineOption version_;
    QCommandLineOption settings_;
    QCommandLineOption exportSweep_;
    QCommandLineOption exportTouchstone_;
    QCommandLineOption exportPng_;
    QCommandLineOption network_;
    QCommandLineOption scale_;
    QCommandLineOption necCompare_;
    QCommandLineOption sweepTune_;
    QCommandLineOption antenna_;
    QCommandLineOption summaryJson_;
    QString error_;
    ExportJob job_;
};

// The arguments as the program got them, before any application object exists.
QStringList ArgumentsOf(int argc, char** argv);
