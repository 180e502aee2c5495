#include "nec/NecSource.h"

std::shared_ptr<const TabulatedSource> NecSource(const ConvergedNec& run) {
    std::vector<ImpedancePoint> points;
    points.reserve(run.points.size());
    for (const NecPoint& p : run.points) points.push_back({p.frequency_MHz, p.base});
    return std::make_shared<const TabulatedSource>(
        std::make_shared<const ImpedanceTable>(std::move(points)), TabulatedSource::Meaning::NecRod,
        TabulatedSource::Label{"NEC-2", {}, ConvergenceNote(run)});
}
