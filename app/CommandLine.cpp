#include "app/CommandLine.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "platform/SettingsFile.h"
#include "tuners/search/SweepTuneRows.h"

CommandLine::CommandLine()
    : help_({"h", "help"}, "Shows this help and exits."),
      version_({"v", "version"}, "Shows the version and exits."),
      settings_("settings",
                "Keeps the inputs, markers, limits and tuner banks in <file> instead of "
                "ORVANE.INI in the working directory.",
                "file"),
      sweepTune_("sweep-tune",
                 "Runs the sweep-tune of the tuner <net> (hpcl, lpcl or lplc) without a window "
                 "and writes each step, with the best setting of the banks, to the CSV file "
                 "<csv>.",
                 "net") {
    parser_.setApplicationDescription(
        "Short vertical antenna rod, its matching networks and simulated antenna tuners.");
    parser_.addOptions({help_, version_, settings_, sweepTune_});
    parser_.addPositionalArgument("csv", "The file --sweep-tune writes.", "[<csv>]");
}

CommandLine::Request CommandLine::Parse(const QStringList& arguments) {
    if (!parser_.parse(arguments)) {
        error_ = parser_.errorText();
        return Request::Invalid;
    }
    const QStringList positional = parser_.positionalArguments();
    const bool sweepTune = parser_.isSet(sweepTune_);
    if (positional.size() > (sweepTune ? 1 : 0)) {
        error_ = QString("Unexpected argument '%1'.").arg(positional.last());
        return Request::Invalid;
    }
    if (parser_.isSet(help_)) return Request::Help;
    if (parser_.isSet(version_)) return Request::Version;
    if (parser_.isSet(settings_) && parser_.value(settings_).isEmpty()) {
        error_ = "Option 'settings' needs a file name.";
        return Request::Invalid;
    }
    if (!sweepTune) return Request::Window;
    if (!SweepTuneKind(parser_.value(sweepTune_).toStdString())) {
        error_ = "Option 'sweep-tune' takes hpcl, lpcl or lplc.";
        return Request::Invalid;
    }
    if (positional.isEmpty() || positional.first().isEmpty()) {
        error_ = "Option 'sweep-tune' needs the CSV file to write after the tuner.";
        return Request::Invalid;
    }
    return Request::SweepTune;
}

int CommandLine::Answer(Request request) const {
    switch (request) {
        case Request::Help:
            std::fputs(parser_.helpText().toLocal8Bit().constData(), stdout);
            return 0;
        case Request::Version:
            std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                        qPrintable(QCoreApplication::applicationVersion()));
            return 0;

        case Request::Invalid:
        case Request::Window:
        case Request::SweepTune:
            break;
    }
    std::fprintf(stderr, "orvane: %s\n\n%s", qPrintable(error_), qPrintable(parser_.helpText()));
    return 2;
}

TunerKind CommandLine::sweepTuneKind() const {
    return SweepTuneKind(parser_.value(sweepTune_).toStdString()).value_or(TunerKind::HpCl);
}

std::string CommandLine::sweepTuneFile() const {
    return QFile::encodeName(parser_.positionalArguments().value(0)).toStdString();
}

void CommandLine::UseSettingsFile() const {
    if (parser_.isSet(settings_)) {
        SetSettingsFilePath(QFile::encodeName(parser_.value(settings_)).toStdString());
    }
}

QStringList ArgumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}
