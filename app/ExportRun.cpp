#include "app/ExportRun.h"

#include <QApplication>
#include <filesystem>
#include <map>

#include "app/AnalysisRun.h"
#include "app/NecCompareRun.h"
#include "app/RunSettings.h"
#include "app/RunSource.h"
#include "app/SummaryJson.h"
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
int WritePictures(const ExportJob& job, const std::map<std::string, std::string>& values,
                  std::shared_ptr<const AntennaSource> source) {
    // The folder's name is kept byte for byte, whatever its encoding.
    std::error_code error;
    std::filesystem::create_directories(job.path, error);
    if (!std::filesystem::is_directory(job.path, error)) {
        return Failed(job.path + ": cannot create the folder");
    }

    PrepareWindowApplication();
    Form1 window(Form1::SettingsUse::Given);
    window.ShowSettingsValues(values);
    if (job.antenna.given) window.SetAntennaSource(std::move(source));
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

int Run(const ExportJob& job, const std::map<std::string, std::string>& values) {
    const MainInputs inputs = InputsFromSettings(values);
    // The comparison is the model's against NEC-2's own run.
    if (job.kind == ExportJob::Kind::NecCompare) return RunNecCompare(job.path, inputs.antenna);
    std::shared_ptr<const AntennaSource> source = RunSource(job.antenna, inputs.antenna);
    if (!source) return 1;
    switch (job.kind) {
        case ExportJob::Kind::SweepCsv:
            return Written(WriteFileAtomically(
                job.path, SweepCsv(*source, inputs.antenna, inputs.limits, job.losses)));
        case ExportJob::Kind::Touchstone:
            return Written(WriteFileAtomically(
                job.path, TouchstoneText(*source, inputs.antenna, kOrvaneVersion)));
        case ExportJob::Kind::Summary:
            return WriteSummaryJson(
                job.path, SummaryJson(*source, inputs.antenna, inputs.limits, job.losses));
        case ExportJob::Kind::Analysis:
        case ExportJob::Kind::Report:
            return RunAnalysisExport(job, std::move(source), inputs);
        case ExportJob::Kind::Pictures:
        case ExportJob::Kind::NecCompare:
        case ExportJob::Kind::SweepTune:
        case ExportJob::Kind::TunerLab:
            break;
    }
    return WritePictures(job, values, std::move(source));
}

// Runs that draw need fonts, but no display.
bool Draws(ExportJob::Kind kind) {
    return kind == ExportJob::Kind::Pictures || kind == ExportJob::Kind::Analysis ||
           kind == ExportJob::Kind::Report;
}

}  // namespace

int RunExport(const ExportJob& job, int& argc, char** argv) {
    if (Draws(job.kind)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        std::map<std::string, std::string> values;
        if (!ReadRunSettings(MainKeyNames(), values)) return 1;
        return Run(job, values);
    }
    // NEC-2's runs need an event loop.
    QCoreApplication app(argc, argv);
    // The tuner runs read the banks of their own tuner as well.
    if (job.kind == ExportJob::Kind::SweepTune) {
        return RunSweepTune(job.tuner, job.path, job.antenna, job.losses);
    }
    if (job.kind == ExportJob::Kind::TunerLab) return RunTunerLab(job.tuner, job.path, job.antenna);
    std::map<std::string, std::string> values;
    if (!ReadRunSettings(MainKeyNames(), values)) return 1;
    return Run(job, values);
}
