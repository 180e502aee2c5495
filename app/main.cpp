#include <QCoreApplication>

#include "app/CommandLine.h"
#include "app/ExportRun.h"
#include "app/Identity.h"
#include "app/WindowRun.h"

int main(int argc, char* argv[]) {
    SetApplicationIdentity();
    CommandLine commandLine;
    const CommandLine::Request request = commandLine.Parse(ArgumentsOf(argc, argv));
    commandLine.UseSettingsFile();
    if (request == CommandLine::Request::Window) {
        return RunWindow(argc, argv, commandLine.antenna());
    }
    // Runs without a window need no display and leave the settings file as it is.
    if (request == CommandLine::Request::Export) {
        return RunExport(commandLine.exportJob(), argc, argv);
    }
    // Help, version and errors need no display and open no window.
    QCoreApplication app(argc, argv);
    return commandLine.Answer(request);
}
