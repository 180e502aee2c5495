#include "tuners/search/lab/LabRuns.h"

#include "core/NumberText.h"
#include "tuners/search/SweepTuneRows.h"

namespace {

// The frequency a sweep's step tunes at: its field's text read back.
double StepFrequency(const SweepTunePoint& point) {
    return ParseLeadingNumber(point.text);
}

}  // namespace

LabRun SweepLab(TunerKind kind, const BankSetup& banks, const AntennaAt& antennaAt,
                const StopRequest& stop, const LabProgress& progress) {
    TunerLab lab(kind, banks);
    const std::vector<SweepTunePoint> steps = SweepTunePoints();
    LabRun run;
    for (const SweepTunePoint& step : steps) {
        const double f_MHz = StepFrequency(step);
        std::optional<LabPoint> point = lab.At(f_MHz, antennaAt(f_MHz), stop);
        if (!point) return run;
        run.points.push_back(std::move(*point));
        if (progress) progress(run.points.size(), steps.size());
    }
    run.complete = true;
    return run;
}

std::optional<LabPoint> LabAt(TunerKind kind, const BankSetup& banks, const AntennaFields& here,
                              const AntennaAt& antennaAt, const StopRequest& stop) {
    TunerLab lab(kind, banks);
    for (const SweepTunePoint& step : SweepTunePoints()) {
        const double f_MHz = StepFrequency(step);
        if (!(f_MHz < here.f_MHz)) break;
        if (stop && stop()) return std::nullopt;
        lab.PassBy(antennaAt(f_MHz));
    }
    return lab.At(here.f_MHz, here, stop);
}
