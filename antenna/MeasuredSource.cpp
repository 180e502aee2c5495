#include "antenna/MeasuredSource.h"

MeasuredAntenna MeasuredFrom(ImpedanceFile file, const std::string& path) {
    return {std::make_shared<const ImpedanceTable>(std::move(file.points)), path, file.twoPort,
            file.negativeR};
}

std::shared_ptr<const TabulatedSource> MeasuredSource(const MeasuredAntenna& antenna,
                                                      bool bareRod) {
    std::string note;
    if (antenna.twoPort) note = "S11 of the two-port file is the antenna";
    if (antenna.negativeR > 0) {
        if (!note.empty()) note += "; ";
        note += std::to_string(antenna.negativeR) +
                (antenna.negativeR == 1 ? " point has" : " points have") +
                " R below 0 (a calibration error?), kept as measured";
    }
    return std::make_shared<const TabulatedSource>(
        antenna.table,
        bareRod ? TabulatedSource::Meaning::BareRod : TabulatedSource::Meaning::FeedPoint,
        TabulatedSource::Label{FileNameOf(antenna.path), antenna.path, note});
}
