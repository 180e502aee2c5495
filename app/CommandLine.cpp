#include "app/CommandLine.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "platform/SettingsFile.h"

CommandLine::CommandLine()
    : help_({"h", "help"}, "Shows this help and exits."),
      version_({"v", "version"}, "Shows the version and exits."),
      settings_("settings",
                "Keeps the inputs, markers, limits and tuner banks in <file> instead of "
                "ORVANE.INI in the working directory.",
                "file"),
      necCompare_("nec-compare",
                  "Writes the model's R_f and X_f against NEC-2's (nec2c) at 0.1 to 30 MHz to "
                  "<file.csv> and exits.",
                  "file.csv") {
    parser_.setApplicationDescription(
        "Short vertical antenna rod, its matching networks and simulated antenna tuners.");
    parser_.addOptions({help_, version_, settings_, necCompare_});
}

CommandLine::Request CommandLine::Parse(const QStringList& arguments) {
    if (!parser_.parse(arguments)) {
        error_ = parser_.errorText();
        return Request::Invalid;
    }
    if (const QStringList extra = parser_.positionalArguments(); !extra.isEmpty()) {
        error_ = QString("Unexpected argument '%1'.").arg(extra.first());
        return Request::Invalid;
    }
    if (parser_.isSet(help_)) return Request::Help;
    if (parser_.isSet(version_)) return Request::Version;
    if (parser_.isSet(settings_) && parser_.value(settings_).isEmpty()) {
        error_ = "Option 'settings' needs a file name.";
        return Request::Invalid;
    }
    if (parser_.isSet(necCompare_)) {
        if (!necCompareFile().isEmpty()) return Request::NecCompare;
        error_ = "Option 'nec-compare' needs a file name.";
        return Request::Invalid;
    }
    return Request::Window;
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
        case Request::NecCompare:
            break;
    }
    std::fprintf(stderr, "orvane: %s\n\n%s", qPrintable(error_), qPrintable(parser_.helpText()));
    return 2;
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
