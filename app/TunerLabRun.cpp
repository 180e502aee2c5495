#include "app/TunerLabRun.h"

#include <cstdio>
#include <map>

#include "app/RunSettings.h"
#include "app/RunSource.h"
#include "app/SweepTuneRun.h"
#include "exports/TunerLabCsv.h"
#include "mainwindow/MainKeys.h"
#include "platform/Controls.h"
#include "platform/TextFile.h"
#include "tuners/search/HandOver.h"
#include "tuners/search/lab/LabRuns.h"
#include "tuners/search/lab/LabSummary.h"

int RunTunerLab(TunerKind kind, const std::string& csvPath, const AntennaOption& antenna) {
    std::map<std::string, std::string> values;
    if (!ReadRunSettings(TunerRunKeys(kind), values)) return 1;
    std::string refusal;
    const std::optional<BankSetup> banks = TunerRunBanks(kind, values, refusal);
    if (!banks) {
        ReportOnStandardError("no tuner lab: " + refusal);
        return 1;
    }
    const AntennaInput input = InputsFromSettings(values).antenna;
    const std::shared_ptr<const AntennaSource> source = RunSource(antenna, input);
    if (!source) return 1;
    const LabRun run = SweepLab(kind, *banks, [&input, &source](double f_MHz) {
        return HandedOverAntenna(*source, input, f_MHz);
    });
    const RelayTimes times;
    if (const FileResult written =
            WriteFileAtomically(csvPath, TunerLabCsv(*banks, run.points, times));
        !written.ok()) {
        ReportOnStandardError(written.error);
        return 1;
    }
    std::fputs(SummaryTable(kind, Summarise(run.points, times), run.points.size()).c_str(), stdout);
    return 0;
}
