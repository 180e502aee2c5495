#include "tuners/SweepResults.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "exports/SweepTuneCsv.h"
#include "platform/Colors.h"
#include "platform/Controls.h"
#include "platform/FileDialogs.h"
#include "platform/TextFile.h"
#include "tuners/TunerLayout.h"

namespace {

constexpr const char* kComparisonTip =
    "After a whole sweep: how close each tuning came in SWR to the best setting of the banks, "
    "found by trying every one.";

constexpr double kShareOfSweepTime = 0.25;

}  // namespace

SweepResults::SweepResults(TunerKind kind, QLabel* statusLine, QWidget* window)
    : QWidget(window), kind_(kind), statusLine_(statusLine) {
    using namespace tuner_layout;
    setObjectName("SweepResults");
    setGeometry(kRightX, kSweepResultsY, kRightWidth,
                kComparisonHeight + kExportGap + kExportHeight);
    comparison_ = new QLabel(this);
    comparison_->setGeometry(0, 0, kRightWidth, kComparisonHeight);
    comparison_->setObjectName("SweepComparison");
    comparison_->setWordWrap(true);
    comparison_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    export_ = NewButton(this, "ExportSweepTune",
                        QRect(0, kComparisonHeight + kExportGap, kRightWidth, kExportHeight),
                        "Export sweep-tune results...", colors::kInput);
    export_->hide();
    connect(export_, &QPushButton::clicked, this, [this] { Export(); });
    comparison_->setToolTip(kComparisonTip);
    export_->setToolTip(
        "Writes every frequency of the last sweep as CSV: the tuning, its SWR, operations and "
        "time, and the best setting of the banks.");
}

void SweepResults::CompareSweep(std::vector<SweepTuneRow> rows, double sweepSeconds) {
    Clear();
    comparison_->setText("Comparing with every setting of the banks...");
    pass_.Start(
        kind_, std::move(rows), kShareOfSweepTime * sweepSeconds,
        [this](int compared, int total) {
            comparison_->setText(QString("Comparing with every setting of the banks: %1 of %2")
                                     .arg(compared)
                                     .arg(total));
        },
        [this](std::vector<SweepTuneRow> compared, bool complete) {
            Compared(std::move(compared), complete);
        });
}

void SweepResults::Clear() {
    pass_.Stop();
    rows_.clear();
    comparison_->clear();
    comparison_->setToolTip(kComparisonTip);
    export_->hide();
}

void SweepResults::Compared(std::vector<SweepTuneRow> rows, bool complete) {
    rows_ = std::move(rows);
    const SweepComparison comparison = Compare(rows_);
    comparison_->setText(
        QString::fromStdString(ComparisonText(comparison, rows_.size(), complete)));
    comparison_->setToolTip(QString(kComparisonTip) + "\n\n" +
                            QString::fromStdString(ComparisonDetails(comparison)));
    export_->show();
}

void SweepResults::Export() {
    const QString suggested =
        QDir::current().filePath(QString("sweeptune-%1.csv").arg(SweepTuneName(kind_)));
    const QString path =
        AskFileName(window(), {true, "Export sweep-tune results", "CSV files (*.csv)", suggested});
    if (path.isEmpty()) return;
    const FileResult written =
        WriteFileAtomically(QFile::encodeName(path).toStdString(), SweepTuneCsv(rows_));
    if (!written.ok()) {
        ReportFileProblem(statusLine_, "sweep-tune results not written: " + written.error);
        return;
    }
    statusLine_->setText("Sweep-tune results written to " + path);
}
