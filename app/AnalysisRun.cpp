#include "app/AnalysisRun.h"

#include <QDir>
#include <QFile>

#include "analysis/AnalysisFiles.h"
#include "analysis/FrequencyPlots.h"
#include "app/WindowRun.h"
#include "platform/Controls.h"
#include "platform/TextFile.h"

namespace {

const QSize kSmithSize(900, 900);
const QSize kPlotsSize(1200, 900);

int Written(const std::string& path, const QByteArray& bytes) {
    const FileResult result = bytes.isEmpty() ? FileProblem(path, "cannot draw the picture")
                                              : WriteFileAtomically(path, bytes.toStdString());
    if (result.ok()) return 0;
    ReportOnStandardError(result.error);
    return 1;
}

int WritePictures(const ExportJob& job, const AnalysisScene& scene) {
    const QString folder = QFile::decodeName(job.path.c_str());
    if (!QDir().mkpath(folder)) {
        ReportOnStandardError(job.path + ": cannot create the folder");
        return 1;
    }
    FrequencyPlots plots;
    plots.SetScene(&scene);
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {
        {"smith.png", PngBytes(kSmithSize, 1, SmithPicture(scene))},
        {"smith.svg", SvgBytes(kSmithSize, "Smith chart", SmithPicture(scene))},
        {"plots.png", PngBytes(kPlotsSize, 1, PlotsPicture(plots))},
        {"plots.svg", SvgBytes(kPlotsSize, "Plots against frequency", PlotsPicture(plots))},
    };
    for (const auto& [name, bytes] : files) {
        const std::string path = QFile::encodeName(QDir(folder).filePath(name)).toStdString();
        if (const int code = Written(path, bytes); code != 0) return code;
    }
    return 0;
}

}  // namespace

int RunAnalysisExport(const ExportJob& job, std::shared_ptr<const AntennaSource> source,
                      const MainInputs& inputs) {
    PrepareWindowApplication();
    AnalysisSetup setup;
    setup.input = inputs.antenna;
    setup.limits = inputs.limits;
    setup.network = job.network;
    setup.losses = job.losses;
    AnalysisSpan span(AnalysisSpan::RangeOf(*source));
    if (job.span_MHz) span.Show(job.span_MHz->first, job.span_MHz->second);
    const AnalysisScene scene = MakeScene(std::move(source), setup, span, {});
    if (job.kind == ExportJob::Kind::Report) {
        return Written(job.path,
                       ReportPdf(MakeReportText(scene.setup, ReportDate(), scene.shown), scene));
    }
    return WritePictures(job, scene);
}
