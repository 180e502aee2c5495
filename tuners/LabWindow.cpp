#include "tuners/LabWindow.h"

#include <qcustomplot.h>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QVBoxLayout>
#include <memory>

#include "core/NumberFormat.h"
#include "exports/TunerLabCsv.h"
#include "platform/FieldText.h"
#include "platform/FileDialogs.h"
#include "platform/TextFile.h"
#include "tuners/search/SweepTuneRows.h"
#include "tuners/search/lab/LabSummary.h"

namespace {

// The plot's colours, in the order of the strategies; every setting is the best.
const QColor kStrategyColours[] = {
    {200, 0, 0}, {0, 90, 220}, {0, 150, 60}, {230, 120, 0}, {0, 0, 0}};
constexpr double kPlotTop = 100;

QLineEdit* TimeField(QWidget* parent, const char* name, double ms, const QString& tip) {
    auto* field = new QLineEdit(FieldText(ms), parent);
    field->setObjectName(name);
    field->setToolTip(tip);
    // Milliseconds: digits with an optional point, nothing negative.
    field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(R"(\d{0,5}(\.\d{0,3})?)"), field));
    field->setMaximumWidth(70);
    return field;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

LabWindow::LabWindow(LabInputs inputs, const QString& tunerName, QWidget* tuner)
    : QWidget(tuner, Qt::Window), inputs_(std::move(inputs)), tunerName_(tunerName) {
    setObjectName("TunerLab");
    setWindowTitle("Compare searches: " + tunerName + " tuner");
    BuildControls();
    resize(1000, 640);
    // Laid out before it is first shown, so that every control has its size from the start.
    layout()->activate();
}

void LabWindow::BuildControls() {
    const RelayTimes defaults;
    const QString change =
        " (ms). A change of setting waits for the slower of operating and releasing once.";
    operate_ = TimeField(this, "LabOperate", defaults.operate_ms,
                         "Time a relay takes to operate" + change);
    release_ = TimeField(this, "LabRelease", defaults.release_ms,
                         "Time a relay takes to release" + change);
    measure_ = TimeField(this, "LabMeasure", defaults.measure_ms,
                         "Time to measure the SWR of each setting tried (ms).");
    auto* times = new QHBoxLayout;
    for (const auto& [caption, field] :
         {std::pair{"Relay operate (ms)", operate_}, std::pair{"release (ms)", release_},
          std::pair{"measurement per setting (ms)", measure_}}) {
        times->addWidget(new QLabel(caption, this));
        times->addWidget(field);
        connect(field, &QLineEdit::textEdited, this, [this] { ShowResults(); });
    }
    times->addStretch();

    here_ = Button(this, "LabHere", "At the set frequency");
    band_ = Button(this, "LabBand", "Over the band (299 frequencies)");
    stop_ = Button(this, "LabStop", "Stop");
    export_ = Button(this, "LabExport", "Export CSV...");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {here_, band_, stop_, export_}) buttons->addWidget(button);
    buttons->addStretch();
    here_->setToolTip(
        "Every strategy at the tuner's frequency, R_f and X_f, as after a sweep "
        "up to there.");
    band_->setToolTip(
        "Every strategy at each of the sweep's frequencies, 0.1 to 29.9 MHz, with "
        "the main window's antenna; runs in the background.");
    stop_->setToolTip(
        "Ends the run over the band; the frequencies run so far stay in the table and the plot.");
    export_->setToolTip("Writes each strategy's tune at each frequency of the last run as CSV.");
    connect(here_, &QPushButton::clicked, this, [this] { Run(false); });
    connect(band_, &QPushButton::clicked, this, [this] { Run(true); });
    connect(stop_, &QPushButton::clicked, this, [this] { worker_.RequestStop(); });
    connect(export_, &QPushButton::clicked, this, [this] { Export(); });

    progress_ = new QProgressBar(this);
    progress_->setObjectName("LabProgress");
    note_ = new QLabel(this);
    note_->setObjectName("LabNote");
    note_->setWordWrap(true);
    note_->setText(
        "Runs every search strategy on this tuner's banks: TUNE's own; grid and local (an 8 x 8 "
        "grid over both banks, then a local search by one index from its three best points); "
        "memory (that local search from where it ended at the frequency before); grid and "
        "valley (the grid, then along valleys that slant across the banks: one index in one "
        "bank, the other tuned again); and every setting.");

    table_ = new QTableWidget(static_cast<int>(kStrategyCount), 0, this);
    table_->setObjectName("LabTable");
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QStringList strategies;
    for (const Strategy strategy : kStrategies) strategies << StrategyTitle(strategy);
    table_->setVerticalHeaderLabels(strategies);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The whole table shows, without scroll bars.
    table_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    plot_ = new QCustomPlot(this);
    plot_->setObjectName("LabPlot");
    plot_->xAxis->setLabel("f (MHz)");
    plot_->yAxis->setLabel("SWR at the end of the search");
    plot_->yAxis->setScaleType(QCPAxis::stLogarithmic);
    plot_->yAxis->setTicker(QSharedPointer<QCPAxisTickerLog>::create());
    plot_->legend->setVisible(true);
    plot_->setMinimumHeight(240);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(times);
    layout->addLayout(buttons);
    layout->addWidget(progress_);
    layout->addWidget(note_);
    layout->addWidget(table_);
    layout->addWidget(plot_, 1);
    SetRunning(false);
    Plot();
}

void LabWindow::Open() {
    show();
    raise();
    activateWindow();
}

// Closing the lab ends its run; the results of a finished one stay for the next showing.
void LabWindow::closeEvent(QCloseEvent* event) {
    if (running_) {
        worker_.Cancel();
        SetRunning(false);
        note_->setText(ran_ + ": stopped, the window was closed.");
    }
    event->accept();
}

void LabWindow::CloseLab() {
    worker_.Cancel();
    SetRunning(false);
    banks_.reset();
    points_.clear();
    ShowResults();
    hide();
}

std::optional<RelayTimes> LabWindow::Times() {
    RelayTimes times;
    for (const auto& [field, ms] :
         {std::pair{operate_, &times.operate_ms}, std::pair{release_, &times.release_ms},
          std::pair{measure_, &times.measure_ms}}) {
        if (field->text().isEmpty() || field->text() == ".") {
            note_->setText("Give each relay time in milliseconds.");
            return std::nullopt;
        }
        *ms = FieldValue(field);
    }
    return times;
}

void LabWindow::Run(bool band) {
    if (!Times()) return;
    std::string refusal;
    const std::optional<BankSetup> banks = inputs_.banks(refusal);
    if (!banks) {
        note_->setText(Text(refusal));
        return;
    }
    std::optional<AntennaFields> here;
    if (!band) {
        here = inputs_.here();
        if (!here) {
            note_->setText(
                "No antenna values at the set frequency: check the main window's "
                "inputs, or type R_f and X_f into the tuner.");
            return;
        }
    }
    banks_ = banks;
    points_.clear();
    overBand_ = band;
    complete_ = false;
    ran_ = band ? tunerName_ + " over the sweep's 299 frequencies"
                : QString("%1 at %2 MHz, R_f %3 Ohm, X_f %4 Ohm")
                      .arg(tunerName_, FieldText(here->f_MHz), FieldText(here->r_Ohm),
                           FieldText(here->x_Ohm));
    ShowResults();
    note_->setText(ran_ + ": running...");
    SetRunning(true);
    progress_->setRange(0, band ? static_cast<int>(SweepTunePoints().size()) : 0);

    const TunerKind kind = inputs_.kind;
    const AntennaAt antennaAt = inputs_.band();
    worker_.Start([this, kind, band, here, banks = *banks, antennaAt](
                      std::stop_token stop, const WorkerThread::HandBack& handBack) {
        const StopRequest stopped = [&stop] { return stop.stop_requested(); };
        auto run = std::make_shared<LabRun>();
        if (band) {
            *run = SweepLab(kind, banks, antennaAt, stopped, [&](std::size_t done, std::size_t) {
                handBack([this, done] { progress_->setValue(static_cast<int>(done)); });
            });
        } else if (std::optional<LabPoint> point = LabAt(kind, banks, *here, antennaAt, stopped)) {
            run->points.push_back(std::move(*point));
            run->complete = true;
        }
        handBack([this, run] { Finished(std::move(run->points), run->complete); });
    });
}

void LabWindow::Finished(std::vector<LabPoint> points, bool complete) {
    points_ = std::move(points);
    complete_ = complete;
    SetRunning(false);
    ShowResults();
}

void LabWindow::SetRunning(bool running) {
    running_ = running;
    here_->setEnabled(!running);
    band_->setEnabled(!running);
    stop_->setEnabled(running);
    export_->setEnabled(!running && !points_.empty());
    progress_->setVisible(running);
    if (!running) progress_->setRange(0, 1);
}

void LabWindow::ShowResults() {
    export_->setEnabled(!running_ && !points_.empty());
    Plot();
    const std::optional<RelayTimes> times = Times();
    if (!times) return;
    ShowTable(*times);
    if (!banks_) return;
    QString note = ran_;
    if (overBand_) {
        const StrategySummary any = Summarise(points_, *times).front();
        note += QString(
                    ": %1 frequencies tuned, %2 matchable; excess and best within .05 over "
                    "the matchable ones.")
                    .arg(any.tuned)
                    .arg(any.matchable);
        if (!complete_) note += " Stopped before the end of the band.";
    } else if (points_.empty()) {
        note += ": stopped.";
    } else if (!points_.front().tuned) {
        note += ": no antenna values.";
    } else {
        note += QString(
                    ": the best setting reaches SWR %1. Memory and TUNE start as after a "
                    "sweep up to here.")
                    .arg(FixedText(points_.front().best.swr, 3).c_str());
    }
    note_->setText(note + " " + kBestExplained);
}

void LabWindow::ShowTable(const RelayTimes& times) {
    table_->clearContents();
    QStringList columns;
    if (overBand_) {
        for (const char* column : kSummaryColumns) columns << column;
    } else {
        for (const char* column : kTuneColumns) columns << column;
    }
    table_->setColumnCount(static_cast<int>(columns.size()));
    table_->setHorizontalHeaderLabels(columns);
    if (points_.empty() || !banks_) return;
    const LabSummary summary = Summarise(points_, times);
    for (const Strategy strategy : kStrategies) {
        const auto row = static_cast<int>(strategy);
        std::vector<std::string> cells;
        if (overBand_) {
            const auto s = SummaryCells(summary[static_cast<std::size_t>(strategy)]);
            cells.assign(s.begin(), s.end());
        } else if (points_.front().tuned) {
            const auto s = TuneCells(*banks_, points_.front(), strategy, times);
            cells.assign(s.begin(), s.end());
        }
        for (std::size_t column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(Text(cells[column]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(row, static_cast<int>(column), item);
        }
    }
}

void LabWindow::Plot() {
    plot_->clearGraphs();
    double low = 0, high = 30;
    if (!overBand_ && !points_.empty()) {
        low = points_.front().f_MHz - 1;
        high = points_.front().f_MHz + 1;
    }
    for (const Strategy strategy : kStrategies) {
        QCPGraph* graph = plot_->addGraph();
        graph->setName(StrategyTitle(strategy));
        QPen pen(kStrategyColours[static_cast<int>(strategy)]);
        if (strategy == Strategy::EverySetting) pen.setStyle(Qt::DashLine);
        graph->setPen(pen);
        if (!overBand_) {
            graph->setLineStyle(QCPGraph::lsNone);
            graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, 7));
        }
        for (const LabPoint& point : points_) {
            // No match is drawn at the top, so that it shows.
            if (point.tuned) {
                graph->addData(point.f_MHz, std::min(point.of(strategy).swr, kPlotTop));
            }
        }
    }
    plot_->xAxis->setRange(low, high);
    plot_->yAxis->setRange(1, kPlotTop);
    plot_->replot();
}

void LabWindow::Export() {
    const std::optional<RelayTimes> times = Times();
    if (!times || !banks_) return;
    const QString suggested =
        QDir::current().filePath(QString("tunerlab-%1.csv").arg(SweepTuneName(inputs_.kind)));
    const QString path =
        AskFileName(this, {true, "Export tuner lab results", "CSV files (*.csv)", suggested});
    if (path.isEmpty()) return;
    const FileResult written = WriteFileAtomically(QFile::encodeName(path).toStdString(),
                                                   TunerLabCsv(*banks_, points_, *times));
    note_->setText(written.ok() ? "Lab results written to " + path
                                : Text("Lab results not written: " + written.error));
}
