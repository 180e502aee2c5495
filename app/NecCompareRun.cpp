#include "app/NecCompareRun.h"

#include "app/RunSource.h"
#include "nec/Comparison.h"
#include "platform/Controls.h"
#include "platform/TextFile.h"

int RunNecCompare(const std::string& csvPath, const AntennaInput& input) {
    // The same converged run as the window's NEC-2 source and comparison.
    const std::optional<ConvergedNec> run = ConvergedRunOf(input);
    if (!run) return 1;
    const std::string csv = ComparisonCsv(CompareWithModel(run->points, input));
    const FileResult written = WriteFileAtomically(csvPath, csv);
    if (!written.ok()) {
        ReportOnStandardError(written.error);
        return 1;
    }
    return 0;
}
