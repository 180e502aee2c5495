#include <QCoreApplication>

#include "app/CommandLine.h"
#include "app/Identity.h"
#include "app/NecCompareRun.h"
#include "app/WindowRun.h"

int main(int argc, char* argv[]) {
    SetApplicationIdentity();
    CommandLine commandLine;
    const CommandLine::Request request = commandLine.Parse(ArgumentsOf(argc, argv));
    commandLine.UseSettingsFile();
    if (request == CommandLine::Request::Window) return RunWindow(argc, argv);
    // Help, version, errors and the runs without a window need no display.
    QCoreApplication app(argc, argv);
    if (request == CommandLine::Request::NecCompare)
        return RunNecCompare(commandLine.necCompareFile());
    return commandLine.Answer(request);
}
