#include "nec/ConvergedRuns.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include "core/NumberFormat.h"
#include "platform/TextFile.h"

namespace {

constexpr std::size_t kKeptOutcomes = 16;
// A cache file holds 300 lines of three numbers.
constexpr qint64 kLargestCache = 1024 * 1024;

QString Number(double value) {
    return QString::fromStdString(ShortestText(value));
}

}  // namespace

ConvergedNecRuns::ConvergedNecRuns(const QString& cacheFolder, QObject* parent)
    : QObject(parent),
      cacheFolder_(cacheFolder.isEmpty()
                       ? QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + "/nec2"
                       : cacheFolder) {
    connect(&runner_, &NecRunner::finished, this, &ConvergedNecRuns::RunFinished);
}

const ConvergedOutcome* ConvergedNecRuns::request(const NecRod& asked) {
    const NecRod rod{asked.length_m, asked.diameter_mm};
    if (const ConvergedOutcome* known = Known(rod)) return known;
    const NecDeck deck = WriteNecDeck(rod.length_m, rod.diameter_mm);
    if (!deck.fault.empty()) return Store(rod, {std::nullopt, QString::fromStdString(deck.fault)});
    if (std::optional<ConvergedNec> cached = ReadCache(rod, deck.segmentation)) {
        return Store(rod, {std::move(cached), {}});
    }
    pending_ = rod;
    const NecOutcome* full = runner_.request(rod);
    pendingStep_ = 1;
    pendingSegments_ = deck.segmentation.segments;
    if (!full) return nullptr;
    // Faults of the machine (no nec2c) are not kept: a later request tries again.
    if (!full->fault.isEmpty()) {
        pending_.reset();
        fault_ = {std::nullopt, full->fault};
        return &fault_;
    }
    const NecRod check{rod.length_m, rod.diameter_mm, 2};
    const NecOutcome* half = runner_.request(check);
    pendingStep_ = 2;
    pendingSegments_ = WriteNecDeck(rod.length_m, rod.diameter_mm, 2).segmentation.segments;
    if (!half) return nullptr;
    pending_.reset();
    if (!half->fault.isEmpty()) {
        fault_ = {std::nullopt, half->fault};
        return &fault_;
    }
    std::optional<ConvergedNec> run =
        EstimateConvergence(rod.length_m, rod.diameter_mm, deck.segmentation, pendingSegments_,
                            full->points, half->points);
    if (!run) return Store(rod, {std::nullopt, "NEC-2: the check run gave no comparable values"});
    WriteCache(*run);
    return Store(rod, {std::move(run), {}});
}

QString ConvergedNecRuns::progressNote() const {
    if (!pending_) return {};
    return QString("NEC-2: %1 the rod of %2 m, %3 mm in %4 segments (run %5 of 2) ...")
        .arg(pendingStep_ == 1 ? "computing" : "checking", Number(pending_->length_m),
             Number(pending_->diameter_mm), QString::number(pendingSegments_),
             QString::number(pendingStep_));
}

void ConvergedNecRuns::RunFinished() {
    if (!pending_) return;
    // Goes on with the check run, or ends.
    if (request(*pending_)) {
        emit finished();
    } else {
        emit progressed();
    }
}

const ConvergedOutcome* ConvergedNecRuns::Known(const NecRod& rod) const {
    for (const auto& [known, outcome] : outcomes_) {
        if (known == rod) return &outcome;
    }
    return nullptr;
}

const ConvergedOutcome* ConvergedNecRuns::Store(const NecRod& rod, ConvergedOutcome outcome) {
    if (outcomes_.size() == kKeptOutcomes) outcomes_.pop_front();
    outcomes_.emplace_back(rod, std::move(outcome));
    return &outcomes_.back().second;
}

std::optional<ConvergedNec> ConvergedNecRuns::ReadCache(const NecRod& rod,
                                                        RodSegmentation segmentation) const {
    const QString path = QDir(cacheFolder_)
                             .filePath(QString::fromStdString(
                                 NecCacheFileName(rod.length_m, rod.diameter_mm, segmentation)));
    // Read as any file the program reads: a FIFO planted there would hang the start.
    std::string text;
    if (!ReadFileBytes(QFile::encodeName(path).toStdString(), text, kLargestCache).ok()) {
        return std::nullopt;
    }
    return ReadNecCache(text, rod.length_m, rod.diameter_mm, segmentation);
}

void ConvergedNecRuns::WriteCache(const ConvergedNec& run) const {
    // A cache that cannot be written costs a run at the next start, nothing else.
    if (!QDir().mkpath(cacheFolder_)) return;
    QSaveFile file(QDir(cacheFolder_)
                       .filePath(QString::fromStdString(
                           NecCacheFileName(run.length_m, run.diameter_mm, run.segmentation))));
    if (!file.open(QIODevice::WriteOnly)) return;
    const std::string text = NecCacheText(run);
    file.write(text.data(), static_cast<qint64>(text.size()));
    file.commit();
}
