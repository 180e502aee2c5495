#include "app/RunSource.h"

#include <QEventLoop>

#include "nec/ConvergedRuns.h"
#include "nec/NecSource.h"
#include "platform/Controls.h"

std::optional<MeasuredAntenna> ReadMeasuredOption(const AntennaOption& option) {
    ImpedanceFileRead read = ReadImpedanceFile(option.path);
    if (!read.file) {
        ReportOnStandardError(read.fault);
        return std::nullopt;
    }
    return MeasuredFrom(std::move(*read.file), option.path);
}

std::shared_ptr<const AntennaSource> RunSource(const AntennaOption& option,
                                               const AntennaInput& input) {
    switch (option.kind) {
        case AntennaOption::Kind::Model:
            // The model lives for the whole program: the pointer owns nothing.
            return {std::shared_ptr<void>(), &ClosedFormModel()};
        case AntennaOption::Kind::File: {
            const std::optional<MeasuredAntenna> measured = ReadMeasuredOption(option);
            if (!measured) return nullptr;
            return MeasuredSource(*measured, false);
        }
        case AntennaOption::Kind::Nec2:
            break;
    }
    const std::optional<ConvergedNec> run = ConvergedRunOf(input);
    return run ? NecSource(*run) : nullptr;
}

std::optional<ConvergedNec> ConvergedRunOf(const AntennaInput& input) {
    ConvergedNecRuns runs;
    runs.setTimeout(60000);
    const NecRod rod{input.length_m, input.diameter_mm};
    const ConvergedOutcome* outcome = nullptr;
    // The runner ends every run, by its timeout at the latest.
    while (!(outcome = runs.request(rod))) {
        QEventLoop loop;
        QObject::connect(&runs, &ConvergedNecRuns::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (!outcome->run) ReportOnStandardError(outcome->fault.toStdString());
    return outcome->run;
}
