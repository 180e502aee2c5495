#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

// What Orvane is asked to do when it starts. A run without a window (an export, say) adds
// its option and its request here, and main() hands that request to its runner.
class CommandLine {
public:
    enum class Request { Window, Help, Version, NecCompare, Invalid };

    CommandLine();
    Request Parse(const QStringList& arguments);

    // Prints the help, the version or the error with the usage; the exit code.
    int Answer(Request request) const;

    // Points every reader and writer of the settings at the file the user named; without
    // --settings they stay with ORVANE.INI in the working directory.
    void UseSettingsFile() const;

    // Where --nec-compare writes its CSV.
    QString necCompareFile() const { return parser_.value(necCompare_); }

private:
    QCommandLineParser parser_;
    QCommandLineOption help_;
    QCommandLineOption version_;
    QCommandLineOption settings_;
    QCommandLineOption necCompare_;
    QString error_;
};

// The arguments as the program got them, before any application object exists.
QStringList ArgumentsOf(int argc, char** argv);
