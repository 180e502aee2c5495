#include <QCoreApplication>

#include "app/CommandLine.h"
#include "app/Identity.h"
#include "app/WindowRun.h"
#include "tuners/SweepTuneRun.h"

int main(int argc, char* argv[]) {
    SetApplicationIdentity();
    CommandLine commandLine;
    const CommandLine::Request request = commandLine.Parse(ArgumentsOf(argc, argv));
    commandLine.UseSettingsFile();
    if (request == CommandLine::Request::Window) return RunWindow(argc, argv);
    // Help, version, errors and the runs without a window need no display.
    QCoreApplication app(argc, argv);
    if (request == CommandLine::Request::SweepTune) {
        return RunSweepTune(commandLine.sweepTuneKind(), commandLine.sweepTuneFile());
    }
    return commandLine.Answer(request);
}
