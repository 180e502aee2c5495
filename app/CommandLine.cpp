#include "app/CommandLine.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>

#include "platform/SettingsFile.h"
#include "tuners/search/SweepTuneRows.h"

namespace {

constexpr Network kNetworks[] = {Network::HpCl, Network::HpLc, Network::HpClc,
                                 Network::LpCl, Network::LpLc, Network::LpClc};

// The name --network takes: "HP-CL" is hpcl.
QString OptionName(Network network) {
    return QString(NetworkName(network)).remove('-').toLower();
}

// Beyond this a picture of the sweep diagram would take gigabytes.
constexpr double kLargestScale = 10;

}  // namespace

CommandLine::CommandLine()
    : help_({"h", "help"}, "Shows this help and exits."),
      version_({"v", "version"}, "Shows the version and exits."),
      settings_("settings",
                "Keeps the inputs, markers, limits and tuner banks in <file> instead of "
                "ORVANE.INI in the working directory.",
                "file"),
      exportSweep_("export-sweep",
                   "Writes the antenna and the six networks over the sweep diagram's frequencies "
                   "to <file> as CSV, without a window.",
                   "file"),
      exportTouchstone_("export-touchstone",
                        "Writes the feed-point impedance over the same frequencies to <file> as "
                        "a Touchstone one-port (.s1p), without a window.",
                        "file"),
      exportPng_("export-png",
                 "Draws sweep.png, impedance-fine.png and impedance-coarse.png into <folder> "
                 "as the window draws them, without a window.",
                 "folder"),
      network_("network",
               "The network whose values and matching path the pictures show: hpcl (the "
               "default), hplc, hpclc, lpcl, lplc or lpclc.",
               "net"),
      scale_("scale", "Pixels per pixel of the window in the pictures, above 0 and up to 10 (1).",
             "s"),
      necCompare_("nec-compare",
                  "Writes the model's R_f and X_f against NEC-2's (nec2c) at 0.1 to 30 MHz to "
                  "<file> as CSV, without a window.",
                  "file"),
      sweepTune_("sweep-tune",
                 "Runs the sweep-tune of the tuner <net> (hpcl, lpcl or lplc) without a window "
                 "and writes each step, with the best setting of the banks, to the CSV file "
                 "<csv>.",
                 "net"),
      antenna_("antenna",
               "The antenna the window and every run without one use: model (the closed-form "
               "model, the default), nec2 (the rod computed by NEC-2) or a measured impedance "
               "file (.s1p, .s2p or .csv), used as measured.",
               "source"),
      summaryJson_("summary-json",
                   "Writes the antenna and the six networks at the set frequency to <file> as "
                   "one JSON object (- for standard output), without a window.",
                   "file") {
    parser_.setApplicationDescription(
        "Short vertical antenna rod, its matching networks and simulated antenna tuners.");
    parser_.addOptions({help_, version_, settings_, exportSweep_, exportTouchstone_, exportPng_,
                        network_, scale_, necCompare_, sweepTune_, antenna_, summaryJson_});
    parser_.addPositionalArgument("csv", "The file --sweep-tune writes.", "[<csv>]");
}

CommandLine::Request CommandLine::Parse(const QStringList& arguments) {
    if (!parser_.parse(arguments)) {
        error_ = parser_.errorText();
        return Request::Invalid;
    }
    // Only --sweep-tune takes an argument after its option's own.
    const QStringList positional = parser_.positionalArguments();
    if (positional.size() > (parser_.isSet(sweepTune_) ? 1 : 0)) {
        error_ = QString("Unexpected argument '%1'.").arg(positional.last());
        return Request::Invalid;
    }
    if (parser_.isSet(help_)) return Request::Help;
    if (parser_.isSet(version_)) return Request::Version;
    if (parser_.isSet(settings_) && parser_.value(settings_).isEmpty()) {
        error_ = "Option 'settings' needs a file name.";
        return Request::Invalid;
    }
    if ((parser_.isSet(network_) || parser_.isSet(scale_)) && !parser_.isSet(exportPng_)) {
        error_ = QString("Option '%1' goes with --export-png.")
                     .arg(parser_.isSet(network_) ? "network" : "scale");
        return Request::Invalid;
    }
    if (!ParseAntenna()) return Request::Invalid;
    const bool exporting = parser_.isSet(exportSweep_) || parser_.isSet(exportTouchstone_) ||
                           parser_.isSet(exportPng_) || parser_.isSet(necCompare_) ||
                           parser_.isSet(sweepTune_) || parser_.isSet(summaryJson_);
    if (!exporting) return Request::Window;
    return ParseExport() ? Request::Export : Request::Invalid;
}

bool CommandLine::ParseExport() {
    const struct {
        const QCommandLineOption& option;
        ExportJob::Kind kind;
    } kinds[] = {
        {exportSweep_, ExportJob::Kind::SweepCsv}, {exportTouchstone_, ExportJob::Kind::Touchstone},
        {exportPng_, ExportJob::Kind::Pictures},   {necCompare_, ExportJob::Kind::NecCompare},
        {sweepTune_, ExportJob::Kind::SweepTune},  {summaryJson_, ExportJob::Kind::Summary}};
    int given = 0;
    for (const auto& [option, kind] : kinds) {
        if (!parser_.isSet(option)) continue;
        ++given;
        const QString name = option.names().front();
        if (parser_.value(option).isEmpty()) {
            error_ = QString("Option '%1' needs a %2.").arg(name, option.valueName());
            return false;
        }
        job_.kind = kind;
        job_.path = QFile::encodeName(parser_.value(option)).toStdString();
    }
    if (given > 1) {
        error_ =
            "Give one of --export-sweep, --export-touchstone, --export-png, --nec-compare, "
            "--sweep-tune and --summary-json at a time.";
        return false;
    }
    if (job_.kind == ExportJob::Kind::SweepTune && !ParseSweepTune()) return false;
    if (parser_.isSet(network_)) {
        const QString wanted = parser_.value(network_);
        const auto known = std::find_if(std::begin(kNetworks), std::end(kNetworks),
                                        [&](Network n) { return wanted == OptionName(n); });
        if (known == std::end(kNetworks)) {
            error_ = QString("Unknown network '%1': give hpcl, hplc, hpclc, lpcl, lplc or lpclc.")
                         .arg(wanted);
            return false;
        }
        job_.network = *known;
    }
    if (parser_.isSet(scale_)) {
        bool number = false;
        job_.scale = parser_.value(scale_).toDouble(&number);
        if (!number || !(job_.scale > 0 && job_.scale <= kLargestScale)) {
            error_ = QString("Option 'scale' needs a number above 0 and up to %1, not '%2'.")
                         .arg(kLargestScale)
                         .arg(parser_.value(scale_));
            return false;
        }
    }
    return true;
}

bool CommandLine::ParseSweepTune() {
    const std::optional<TunerKind> tuner = SweepTuneKind(parser_.value(sweepTune_).toStdString());
    if (!tuner) {
        error_ = "Option 'sweep-tune' takes hpcl, lpcl or lplc.";
        return false;
    }
    job_.tuner = *tuner;
    const QStringList positional = parser_.positionalArguments();
    if (positional.isEmpty() || positional.first().isEmpty()) {
        error_ = "Option 'sweep-tune' needs the CSV file to write after the tuner.";
        return false;
    }
    job_.path = QFile::encodeName(positional.first()).toStdString();
    return true;
}

bool CommandLine::ParseAntenna() {
    if (!parser_.isSet(antenna_)) return true;
    const QString value = parser_.value(antenna_);
    AntennaOption& antenna = job_.antenna;
    antenna.given = true;
    if (value == "model") {
        antenna.kind = AntennaOption::Kind::Model;
    } else if (value == "nec2") {
        antenna.kind = AntennaOption::Kind::Nec2;
    } else if (value.contains('/') || value.contains('.') || QFileInfo::exists(value)) {
        // A file's faults are told when it is read, with the exit code of a failed run.
        antenna.kind = AntennaOption::Kind::File;
        antenna.path = QFile::encodeName(value).toStdString();
    } else {
        error_ = QString("Unknown antenna '%1': give model, nec2 or a measured file.").arg(value);
        return false;
    }
    return true;
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
        case Request::Export:
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
