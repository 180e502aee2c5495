#include "app/NecCompareRun.h"

#include <QEventLoop>

#include "nec/Comparison.h"
#include "nec/Runner.h"
#include "platform/Controls.h"
#include "platform/TextFile.h"

int RunNecCompare(const std::string& csvPath, const AntennaInput& input) {
    const NecRod rod{input.length_m, input.diameter_mm};
    NecRunner runner;
    const NecOutcome* outcome = nullptr;
    // The runner ends every run, by its timeout at the latest.
    while (!(outcome = runner.request(rod))) {
        QEventLoop loop;
        QObject::connect(&runner, &NecRunner::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (!outcome->fault.isEmpty()) {
        ReportOnStandardError(outcome->fault.toStdString());
        return 1;
    }
    const std::string csv = ComparisonCsv(CompareWithModel(outcome->points, input));
    const FileResult written = WriteFileAtomically(csvPath, csv);
    if (!written.ok()) {
        ReportOnStandardError(written.error);
        return 1;
    }
    return 0;
}
