#pragma once

#include <memory>

#include "antenna/AntennaSource.h"
#include "app/ExportRun.h"
#include "mainwindow/MainKeys.h"

// The analysis without a window: the Smith chart and the plots as smith.png, smith.svg,
// plots.png and plots.svg in the job's folder, or the report as a PDF file; the exit code as
// RunExport gives it. Needs the QApplication.
int RunAnalysisExport(const ExportJob& job, std::shared_ptr<const AntennaSource> source,
                      const MainInputs& inputs);
