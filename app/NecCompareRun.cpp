#include "app/NecCompareRun.h"

#include <QEventLoop>
#include <QFile>
#include <cstdio>

#include "app/RunSettings.h"
#include "nec/Comparison.h"
#include "nec/Runner.h"
#include "platform/TextFile.h"

int RunNecCompare(const QString& csvPath) {
    AntennaInput input;
    if (!ReadRunAntenna(input)) return 1;
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
        std::fprintf(stderr, "orvane: %s\n", qPrintable(outcome->fault));
        return 1;
    }
    const std::string csv = ComparisonCsv(CompareWithModel(outcome->points, input));
    const FileResult written = WriteFileAtomically(QFile::encodeName(csvPath).toStdString(), csv);
    if (!written.ok()) {
        std::fprintf(stderr, "orvane: %s\n", written.error.c_str());
        return 1;
    }
    return 0;
}
