#include <QCoreApplication>

#include "app/CommandLine.h"
#include "app/ExportRun.h"
#include "app/Identity.h"
#include "app/SettingsLocation.h"
#include "app/WindowRun.h"

int main(int argc, char* argv[]) {
    SetApplicationIdentity();
    const std::string ownSettings = OwnSettingsFilePath();
    CommandLine commandLine;
    commandLine.Describe(ownSettings);
    const CommandLine::Request request = commandLine.Parse(ArgumentsOf(argc, argv));
    commandLine.UseSettingsFile(ownSettings);
    KeepStyleGiven(commandLine.StyleGiven());
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
