#include "app/CommandLine.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <optional>

#include "losses/LossQ.h"
#include "platform/SettingsFile.h"
#include "tuners/search/SweepTuneRows.h"

namespace {

constexpr Network kNetworks[] = {Network::HpCl, Network::HpLc, Network::HpClc,
                                 Network::LpCl, Network::LpLc, Network::LpClc};

// A network's name as the options take it: the window's "HP-CL" in any case, with or
// without its dash, is hpcl.
QString OptionName(const QString& name) {
    return QString(name).remove('-').toLower();
}

// Beyond this a picture of the sweep diagram would take gigabytes.
constexpr double kLargestScale = 10;
// The narrowest picture, an impedance-plane view, is this many pixels of the window wide;
// below one pixel there is no picture to write.
constexpr double kNarrowestPicture = 276;

// QApplication's own options, which it takes from the arguments itself: accepted here and
// left to it, as every Qt program does (a session manager restarts programs with -session).
constexpr const char* kQtValueOptions[] = {"platform",      "platformpluginpath",
                                           "platformtheme", "plugin",
                                           "qmljsdebugger", "qwindowgeometry",
                                           "qwindowicon",   "qwindowtitle",
                                           "session",       "style",
                                           "stylesheet",    "display",
                                           "geometry",      "title",
                                           "icon",          "name",
                                           "visual"};
constexpr const char* kQtFlagOptions[] = {"reverse", "widgetcount", "testability", "nograb",
                                          "dograb"};

// The length of the UTF-8 sequence at the start of `bytes`; 0 where none starts there.
std::size_t Utf8Length(std::string_view bytes) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (bytes.size() < length || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    }
    return length;
}

// A byte that is no UTF-8 stands as the lone low surrogate U+DC80..U+DCFF, which no text
// holds, so that the argument converts back to its very bytes.
constexpr char16_t kByteEscape = 0xDC00;

}  // namespace

QString ArgumentText(std::string_view bytes) {
    QString text;
    while (!bytes.empty()) {
        const std::size_t length = Utf8Length(bytes);
        if (length == 0) {
            text +=
                QChar(static_cast<char16_t>(kByteEscape + static_cast<unsigned char>(bytes[0])));
            bytes.remove_prefix(1);
            continue;
        }
        text += QString::fromUtf8(bytes.data(), static_cast<qsizetype>(length));
        bytes.remove_prefix(length);
    }
    return text;
}

std::string ArgumentBytes(const QString& text) {
    std::string bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        const bool escaped = unit >= kByteEscape + 0x80 && unit <= kByteEscape + 0xFF &&
                             (i == 0 || !text[i - 1].isHighSurrogate());
        if (!escaped) continue;
        bytes += text.mid(start, i - start).toUtf8().toStdString();
        bytes += static_cast<char>(unit - kByteEscape);
        start = i + 1;
    }
    return bytes + text.mid(start).toUtf8().toStdString();
}

CommandLine::CommandLine()
    : help_({"h", "help"}, "Shows this help and exits."),
      version_({"v", "version"}, "Shows the version and exits."),
      settings_("settings",
                "Keeps the inputs, markers, limits and tuner banks in <file> instead of the "
                "program's own ORVANE.INI (see above). A missing <file> is made with the "
                "defaults; a file that is no settings file is refused and left as it is.",
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
               "The network whose values and matching path the pictures show: HP-CL (the "
               "default), HP-LC, HP-CLC, LP-CL, LP-LC or LP-CLC, in either case, with or "
               "without the dash.",
               "net"),
      scale_("scale",
             "Pixels per pixel of the window in the pictures, up to 10 (1); small enough to "
             "leave a picture under one pixel is refused.",
             "s"),
      necCompare_("nec-compare",
                  "Writes the model's R_f and X_f against NEC-2's (nec2c) at 0.1 to 30 MHz to "
                  "<file> as CSV, without a window.",
                  "file"),
      sweepTune_("sweep-tune",
                 "Runs the sweep-tune of the tuner <net> (HP-CL, LP-CL or LP-LC) without a window "
                 "and writes each step, with the best setting of the banks, to the CSV file "
                 "<csv>.",
                 "net"),
      tunerLab_("tuner-lab",
                "Runs every search strategy of the tuner <net> (hpcl, lpcl or lplc) at the "
                "sweep-tune's frequencies without a window, writes each tune with its relay "
                "operations and time to the CSV file <csv> and prints how each strategy did.",
                "net"),
      exportAnalysis_("export-analysis",
                      "Draws the analysis window's Smith chart and plots into <folder> as "
                      "smith.png, smith.svg, plots.png and plots.svg, without a window.",
                      "folder"),
      report_("report",
              "Writes the analysis report (inputs, results, the six networks, matched "
              "bandwidth, Smith chart and SWR plot) to <file> as PDF, without a window.",
              "file"),
      span_("span",
            "The frequencies of the analysis pictures: --span LOW HIGH in MHz (the whole range "
            "0.1 to 30 MHz without).",
            "low"),
      qInductor_("q-inductor",
                 "Q of the matching networks' and the tuners' inductors in a run without a "
                 "window: 1 to 100000, or ideal (150).",
                 "Q"),
      qCapacitor_("q-capacitor",
                  "Q of their capacitors in a run without a window: 1 to 100000, or ideal "
                  "(1000).",
                  "Q"),
      qCoil_("q-coil",
             "Q of the base loading coil in a run without a window: 1 to 100000, or ideal "
             "(200).",
             "Q"),
      antenna_("antenna",
               "The antenna the window and every run without one use: model (the closed-form "
               "model, the default), nec2 (the rod computed by NEC-2) or a measured impedance "
               "file (.s1p, .s2p or .csv), used as measured.",
               "source"),
      summaryJson_("summary-json",
                   "Writes the antenna and the six networks at the set frequency to <file> as "
                   "one JSON object (- for standard output), without a window.",
                   "file") {
    // -style is Qt's option style, not -s -t -y -l -e.
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QCommandLineOption* option : OwnOptions()) parser_.addOption(*option);
    for (const char* name : kQtValueOptions) {
        QCommandLineOption option(name, {}, "value");
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser_.addOption(option);
    }
    for (const char* name : kQtFlagOptions) {
        QCommandLineOption option(name);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser_.addOption(option);
    }
    parser_.addPositionalArgument("csv", "The file --sweep-tune or --tuner-lab writes.", "[<csv>]");
}

std::vector<const QCommandLineOption*> CommandLine::OwnOptions() const {
    return {&help_,       &version_,        &settings_, &exportSweep_, &exportTouchstone_,
            &exportPng_,  &network_,        &scale_,    &necCompare_,  &sweepTune_,
            &tunerLab_,   &exportAnalysis_, &report_,   &span_,        &qInductor_,
            &qCapacitor_, &qCoil_,          &antenna_,  &summaryJson_};
}

void CommandLine::Describe(const std::string& ownSettings) {
    parser_.setApplicationDescription(
        QString("Short vertical antenna rod, its matching networks and simulated antenna "
                "tuners.\n\n"
                "Without --settings, the inputs, markers, limits and tuner banks are kept in "
                "ORVANE.INI in the working folder when one is there or Orvane runs from its "
                "build tree, and otherwise in $XDG_CONFIG_HOME/orvane/ORVANE.INI "
                "(~/.config/orvane/ORVANE.INI); here that is %1. Qt's own options, such as "
                "-style or -reverse, work as in any Qt program.")
            .arg(ArgumentText(ownSettings)));
}

CommandLine::Request CommandLine::Parse(const QStringList& arguments) {
    if (!parser_.parse(arguments)) {
        error_ = parser_.errorText();
        return Request::Invalid;
    }
    // The later of two values would win without a word.
    const QStringList given = parser_.optionNames();
    for (const QCommandLineOption* option : OwnOptions()) {
        const auto times = std::count_if(given.begin(), given.end(), [&](const QString& name) {
            return option->names().contains(name);
        });
        if (times > 1) {
            error_ = QString("Option '%1' is given %2 times; give it once.")
                         .arg(option->names().back())
                         .arg(times);
            return Request::Invalid;
        }
    }
    // Only --sweep-tune and --tuner-lab take an argument after their option's own.
    const QStringList positional = parser_.positionalArguments();
    const bool tunerRun = parser_.isSet(sweepTune_) || parser_.isSet(tunerLab_);
    const int expected = (tunerRun ? 1 : 0) + (parser_.isSet(span_) ? 1 : 0);
    if (positional.size() > expected) {
        error_ = QString("Unexpected argument '%1'.").arg(positional.last());
        return Request::Invalid;
    }
    if (parser_.isSet(help_)) return Request::Help;
    if (parser_.isSet(version_)) return Request::Version;
    if (parser_.isSet(settings_) && parser_.value(settings_).isEmpty()) {
        error_ = "Option 'settings' needs a file name.";
        return Request::Invalid;
    }
    const bool analysing = parser_.isSet(exportAnalysis_) || parser_.isSet(report_);
    if (parser_.isSet(network_) && !parser_.isSet(exportPng_) && !analysing) {
        error_ = "Option 'network' goes with --export-png, --export-analysis or --report.";
        return Request::Invalid;
    }
    if (parser_.isSet(scale_) && !parser_.isSet(exportPng_)) {
        error_ = "Option 'scale' goes with --export-png.";
        return Request::Invalid;
    }
    if (parser_.isSet(span_) && !analysing) {
        error_ = "Option 'span' goes with --export-analysis or --report.";
        return Request::Invalid;
    }
    if (!ParseAntenna()) return Request::Invalid;
    // Another source given to the comparison would be dropped without a word.
    if (parser_.isSet(necCompare_) && job_.antenna.kind != AntennaOption::Kind::Model) {
        error_ =
            "Option 'antenna' goes with --nec-compare only as model: the comparison is the "
            "closed-form model's against NEC-2's.";
        return Request::Invalid;
    }
    const bool exporting = parser_.isSet(exportSweep_) || parser_.isSet(exportTouchstone_) ||
                           parser_.isSet(exportPng_) || parser_.isSet(necCompare_) || tunerRun ||
                           analysing || parser_.isSet(summaryJson_);
    if (!exporting) {
        for (const QCommandLineOption* q : {&qInductor_, &qCapacitor_, &qCoil_}) {
            if (!parser_.isSet(*q)) continue;
            error_ = QString("Option '%1' goes with a run without a window (--export-sweep, say).")
                         .arg(q->names().front());
            return Request::Invalid;
        }
        return Request::Window;
    }
    return ParseExport() && ParseLossQ() ? Request::Export : Request::Invalid;
}

bool CommandLine::ParseExport() {
    const struct {
        const QCommandLineOption& option;
        ExportJob::Kind kind;
    } kinds[] = {{exportSweep_, ExportJob::Kind::SweepCsv},
                 {exportTouchstone_, ExportJob::Kind::Touchstone},
                 {exportPng_, ExportJob::Kind::Pictures},
                 {necCompare_, ExportJob::Kind::NecCompare},
                 {sweepTune_, ExportJob::Kind::SweepTune},
                 {tunerLab_, ExportJob::Kind::TunerLab},
                 {exportAnalysis_, ExportJob::Kind::Analysis},
                 {report_, ExportJob::Kind::Report},
                 {summaryJson_, ExportJob::Kind::Summary}};
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
        job_.path = ArgumentBytes(parser_.value(option));
    }
    if (given > 1) {
        error_ =
            "Give one of --export-sweep, --export-touchstone, --export-png, --nec-compare, "
            "--sweep-tune, --tuner-lab, --export-analysis, --report and --summary-json at a "
            "time.";
        return false;
    }
    if (job_.kind == ExportJob::Kind::SweepTune && !ParseTunerRun(sweepTune_)) return false;
    if (job_.kind == ExportJob::Kind::TunerLab && !ParseTunerRun(tunerLab_)) return false;
    if (parser_.isSet(span_) && !ParseSpan()) return false;
    if (parser_.isSet(network_)) {
        const QString wanted = parser_.value(network_);
        const auto known = std::find_if(std::begin(kNetworks), std::end(kNetworks), [&](Network n) {
            return OptionName(wanted) == OptionName(NetworkName(n));
        });
        if (known == std::end(kNetworks)) {
            error_ = QString(
                         "Unknown network '%1': give HP-CL, HP-LC, HP-CLC, LP-CL, LP-LC or "
                         "LP-CLC (or hpcl, hplc, ...).")
                         .arg(wanted);
            return false;
        }
        job_.network = *known;
    }
    if (parser_.isSet(scale_)) {
        bool number = false;
        job_.scale = parser_.value(scale_).toDouble(&number);
        if (!number || !(job_.scale * kNarrowestPicture >= 1 && job_.scale <= kLargestScale)) {
            error_ = QString(
                         "Option 'scale' needs a number up to %1 that leaves every picture at "
                         "least a pixel wide (from 1/%2), not '%3'.")
                         .arg(kLargestScale)
                         .arg(kNarrowestPicture)
                         .arg(parser_.value(scale_));
            return false;
        }
    }
    return true;
}

bool CommandLine::ParseTunerRun(const QCommandLineOption& option) {
    const QString name = option.names().front();
    const std::optional<TunerKind> tuner =
        SweepTuneKind(OptionName(parser_.value(option)).toStdString());
    if (!tuner) {
        error_ = QString("Option '%1' takes HP-CL, LP-CL or LP-LC.").arg(name);
        return false;
    }
    job_.tuner = *tuner;
    const QStringList positional = parser_.positionalArguments();
    if (positional.isEmpty() || positional.first().isEmpty()) {
        error_ = QString("Option '%1' needs the CSV file to write after the tuner.").arg(name);
        return false;
    }
    job_.path = ArgumentBytes(positional.first());
    return true;
}

bool CommandLine::ParseSpan() {
    const QStringList positional = parser_.positionalArguments();
    const QString low = parser_.value(span_);
    const QString high = positional.isEmpty() ? QString() : positional.last();
    bool lowNumber = false;
    bool highNumber = false;
    const double from = low.toDouble(&lowNumber);
    const double to = high.toDouble(&highNumber);
    if (!lowNumber || !highNumber || !std::isfinite(from) || !std::isfinite(to)) {
        error_ = QString("Option 'span' needs two frequencies in MHz, LOW and HIGH, not '%1 %2'.")
                     .arg(low, high);
        return false;
    }
    if (!(from < to) || to <= 0.1 || from >= 30) {
        error_ = QString(
                     "Option 'span' needs LOW below HIGH, overlapping 0.1 to 30 MHz, not "
                     "'%1 %2'.")
                     .arg(low, high);
        return false;
    }
    job_.span_MHz = std::pair{from, to};
    return true;
}

bool CommandLine::ParseLossQ() {
    const struct {
        const QCommandLineOption& option;
        double& q;
    } options[] = {{qInductor_, job_.losses.inductor},
                   {qCapacitor_, job_.losses.capacitor},
                   {qCoil_, job_.losses.coil}};
    for (const auto& [option, q] : options) {
        if (!parser_.isSet(option)) continue;
        const QString given = parser_.value(option);
        const std::optional<double> read = ParseQ(given.toStdString());
        if (!read) {
            error_ = QString("Option '%1' takes a number from 1 to 100000 or ideal, not '%2'.")
                         .arg(option.names().front(), given);
            return false;
        }
        q = *read;
    }
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
        antenna.path = ArgumentBytes(value);
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
            return Flushed();
        case Request::Version:
            std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                        qPrintable(QCoreApplication::applicationVersion()));
            return Flushed();
        case Request::Invalid:
        case Request::Window:
        case Request::Export:
            break;
    }
    std::fprintf(stderr, "orvane: %s\n\n%s", qPrintable(error_), qPrintable(parser_.helpText()));
    return 2;
}

int CommandLine::Flushed() {
    // A full disk or a closed pipe must not pass for an answer given.
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
    std::fprintf(stderr, "orvane: cannot write to standard output: %s\n", std::strerror(errno));
    return 1;
}

void CommandLine::UseSettingsFile(const std::string& ownSettings) const {
    if (parser_.isSet(settings_)) {
        SetSettingsFilePath(ArgumentBytes(parser_.value(settings_)), SettingsOrigin::Named);
    } else {
        SetSettingsFilePath(ownSettings, SettingsOrigin::Own);
    }
}

bool CommandLine::StyleGiven() const {
    return parser_.isSet("style");
}

QStringList ArgumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << ArgumentText(argv[i]);
    return arguments;
}
