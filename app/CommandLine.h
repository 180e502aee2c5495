#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

#include "app/ExportRun.h"

// What Orvane is asked to do when it starts. A run without a window (an export, say) adds
// its option and its request here, and main() hands that request to its runner.
class CommandLine {
public:
    enum class Request { Window, Export, Help, Version, Invalid };

    CommandLine();
    // The help's description, which says where the program's own settings file is.
    void Describe(const std::string& ownSettings);
    Request Parse(const QStringList& arguments);

    // Prints the help, the version or the error with the usage; the exit code, 1 when the
    // answer could not be written.
    int Answer(Request request) const;

    // Points every reader and writer of the settings at the file the user named; without
    // --settings, at the program's own file.
    void UseSettingsFile(const std::string& ownSettings) const;

    // Whether Qt's -style chose the style of the windows.
    bool StyleGiven() const;

    // What an Export request writes.
    const ExportJob& exportJob() const { return job_; }
    // The source --antenna names, for the window as for every run without one.
    const AntennaOption& antenna() const { return job_.antenna; }

private:
    // Exit code of an answer on standard output: 0 when all of it was written.
    static int Flushed();
    // The options of the program's own, in the order of the help.
    std::vector<const QCommandLineOption*> OwnOptions() const;
    // Reads the export options into job_; false with error_ set when they do not fit.
    bool ParseExport();
    // The tuner and the CSV file of --sweep-tune or --tuner-lab into job_, as ParseExport.
    bool ParseTunerRun(const QCommandLineOption& option);
    // LOW of --span is its value, HIGH the argument after it.
    bool ParseSpan();
    // The parts' Qs into job_, as ParseExport.
    bool ParseLossQ();
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
    QCommandLineOption tunerLab_;
    QCommandLineOption exportAnalysis_;
    QCommandLineOption report_;
    QCommandLineOption span_;
    QCommandLineOption qInductor_;
    QCommandLineOption qCapacitor_;
    QCommandLineOption qCoil_;
    QCommandLineOption antenna_;
    QCommandLineOption summaryJson_;
    QString error_;
    ExportJob job_;
};

// The arguments as the program got them, before any application object exists. Every
// byte is kept: those that are no UTF-8 come back from ArgumentBytes as they were, so that
// a file name of another encoding names the same file.
QStringList ArgumentsOf(int argc, char** argv);
QString ArgumentText(std::string_view bytes);
std::string ArgumentBytes(const QString& text);
