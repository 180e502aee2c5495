#include "app/ExportRun.h"

#include <QApplication>
#include <filesystem>
#include <map>

#include "app/AnalysisRun.h"
#include "app/NecCompareRun.h"
#include "app/RunSettings.h"
#include "app/SweepTuneRun.h"
#include "app/TunerLabRun.h"
#include "app/WindowRun.h"
#include "core/Version.h"
#include "exports/SweepCsv.h"
#include "exports/Touchstone.h"
#include "mainwindow/Form1.h"
#include "mainwindow/MainKeys.h"
#include "platform/Controls.h"
#include "platform/ImageFile.h"

namespace {

int Failed(const std::string& message) {
    ReportOnStandardError(message);
    return 1;
}

int Written(const FileResult& result) {
    return result.ok() ? 0 : Failed(result.error);
}

// The pictures need fonts but no display: the window is built and drawn offscreen.
int WritePictures(const ExportJob& job, const std::map<std::string, std::string>& values, int& argc,
                  char** argv) {
    // The folder's name is kept byte for byte, whatever its encoding.
    std::error_code error;
    std::filesystem::create_directories(job.path, error);
    if (!std::filesystem::is_directory(job.path, error)) {
        return Failed(job.path + ": cannot create the folder");
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PrepareWindowApplication();
    Form1 window(Form1::SettingsUse::Given);
    window.ShowSettingsValues(values);
    const Form1::Pictures pictures = window.DrawPictures(job.network, job.scale);
    const std::pair<const char*, const QImage&> files[] = {
        {"sweep.png", pictures.sweep},
        {"impedance-fine.png", pictures.fine},
        {"impedance-coarse.png", pictures.coarse}};
    for (const auto& [name, image] : files) {
        const std::string path = (std::filesystem::path(job.path) / name).string();
        if (const int code = Written(WritePng(path, image)); code != 0) return code;
    }
    return 0;
}

// Where the runs without a window take the antenna from.
std::shared_ptr<const AntennaSource> SourceOf(const ExportJob&) {
    // The model lives for the whole program: the pointer owns nothing.
    return {std::shared_ptr<void>(), &ClosedFormModel()};
}

}  // namespace

int RunExport(const ExportJob& job, int& argc, char** argv) {
    // The sweep-tune reads the banks of its own tuner as well.
    if (job.kind == ExportJob::Kind::SweepTune) return RunSweepTune(job.tuner, job.path);
    if (job.kind == ExportJob::Kind::TunerLab) return RunTunerLab(job.tuner, job.path);
    std::map<std::string, std::string> values;
    if (!ReadRunSettings(MainKeyNames(), values)) return 1;

    const MainInputs inputs = InputsFromSettings(values);
    switch (job.kind) {
        case ExportJob::Kind::SweepCsv:
            return Written(WriteFileAtomically(
                job.path, SweepCsv(ClosedFormModel(), inputs.antenna, inputs.limits, job.losses)));
        case ExportJob::Kind::Touchstone:
            return Written(WriteFileAtomically(
                job.path, TouchstoneText(ClosedFormModel(), inputs.antenna, kOrvaneVersion)));
        case ExportJob::Kind::NecCompare: {
            // The runner's process needs an event loop, but no display.
            QCoreApplication app(argc, argv);
            return RunNecCompare(job.path, inputs.antenna);
        }
        case ExportJob::Kind::Analysis:
        case ExportJob::Kind::Report:
            return RunAnalysisExport(job, SourceOf(job), inputs, argc, argv);
        case ExportJob::Kind::Pictures:
        case ExportJob::Kind::SweepTune:
        case ExportJob::Kind::TunerLab:
            break;
    }
    return WritePictures(job, values, argc, argv);
}
