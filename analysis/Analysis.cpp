#include "analysis/Analysis.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/AnalysisHost.h"
#include "analysis/FrequencyPlots.h"
#include "analysis/PointerGestures.h"
#include "analysis/SmithChart.h"

namespace {

// The keyboard moves the view by a tenth of its width and zooms by a quarter.
constexpr double kKeyPan = 0.1;
constexpr double kKeyZoom = 0.8;

QString Cell(const std::optional<AnalysisPoint::Load>& load, double AnalysisPoint::Load::*value,
             char format, int digits) {
    return load ? QString::number((*load).*value, format, digits) : QString("-");
}

}  // namespace

Analysis::Analysis(AnalysisHost& host) : host_(host) {
    setObjectName("Analysis");
    setWindowTitle("Orvane analysis");
    BuildMenus();
    setCentralWidget(BuildViews());
    readout_ = new QLabel(this);
    readout_->setObjectName("AnalysisReadout");
    statusBar()->addWidget(readout_, 1);
    resize(1200, 760);
}

Analysis::~Analysis() = default;

void Analysis::BuildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("Save picture...", this, [this] { SavePicture(); });
    file->addAction("Print report...", this, [this] { PrintReport(); });
    file->addAction("Export report as PDF...", this, [this] { ExportReport(); });
    file->addSeparator();
    QAction* close = file->addAction("Close", this, [this] { this->close(); });
    close->setShortcut(QKeySequence::Close);

    QMenu* edit = menuBar()->addMenu("&Edit");
    QAction* undo =
        edit->addAction("Undo frequency change", this, [this] { host_.UndoFrequencyChange(); });
    undo->setObjectName("UndoFrequency");
    undo->setShortcut(QKeySequence::Undo);

    QMenu* view = menuBar()->addMenu("&Span");
    auto add = [&](const QString& text, QList<QKeySequence> keys, auto handler) {
        QAction* action = view->addAction(text, this, handler);
        action->setShortcuts(keys);
    };
    add("Zoom in", {Qt::Key_Plus, Qt::Key_Equal, Qt::Key_Up}, [this] { KeyZoom(kKeyZoom); });
    add("Zoom out", {Qt::Key_Minus, Qt::Key_Down}, [this] { KeyZoom(1 / kKeyZoom); });
    add("Lower frequencies", {Qt::Key_Left}, [this] { Pan(-kKeyPan); });
    add("Higher frequencies", {Qt::Key_Right}, [this] { Pan(kKeyPan); });
    view->addSeparator();
    add("Whole range", {Qt::Key_Home}, [this] { ShowBand(-1); });
    const auto bands = AmateurBands();
    for (std::size_t i = 0; i < bands.size(); ++i) {
        add(QString(bands[i].name) + " band", {}, [this, i] { ShowBand(static_cast<int>(i)); });
    }
    view->addSeparator();
    add("Remove the markers", {}, [this] {
        markers_.clear();
        beforePlacement_.reset();
        ShowMarkers();
    });
}

QWidget* Analysis::BuildViews() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 4, 6, 4);

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel("Span:"));
    bands_ = new QComboBox;
    bands_->setObjectName("BandPresets");
    bands_->setFocusPolicy(Qt::NoFocus);
    bands_->addItem("Whole range");
    for (const AmateurBand& band : AmateurBands()) bands_->addItem(band.name);
    connect(bands_, &QComboBox::activated, this, [this](int index) { ShowBand(index - 1); });
    controls->addWidget(bands_);
    controls->addSpacing(16);
    controls->addWidget(new QLabel("Plots:"));
    plots_ = new FrequencyPlots;
    smith_ = new SmithChart;
    for (PlotKind kind : kPlotKinds) {
        auto* check = new QCheckBox(PlotKindName(kind));
        check->setFocusPolicy(Qt::NoFocus);
        check->setChecked(plots_->isShown(kind));
        connect(check, &QCheckBox::toggled, this,
                [this, kind](bool on) { plots_->SetShown(kind, on); });
        controls->addWidget(check);
    }
    controls->addSpacing(16);
    auto* logarithmic = new QCheckBox("Logarithmic SWR");
    logarithmic->setObjectName("LogarithmicSwr");
    logarithmic->setFocusPolicy(Qt::NoFocus);
    logarithmic->setChecked(plots_->logarithmicSwr());
    connect(logarithmic, &QCheckBox::toggled, this,
            [this](bool on) { plots_->SetLogarithmicSwr(on); });
    controls->addWidget(logarithmic);
    controls->addStretch(1);
    layout->addLayout(controls);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName("AnalysisSplitter");
    splitter->addWidget(smith_);
    splitter->addWidget(plots_);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    // The chart square beside wider plots, in that share of any width.
    splitter->setSizes({400, 600});
    layout->addWidget(splitter, 1);

    bandwidth_ = new QLabel;
    bandwidth_->setObjectName("MatchedBandwidth");
    bandwidth_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(bandwidth_);

    markerTable_ = new QTableWidget(0, 6);
    markerTable_->setObjectName("Markers");
    markerTable_->setHorizontalHeaderLabels(
        {"f (MHz)", "R (Ohm)", "X (Ohm)", "|Z| (Ohm)", "SWR", "Matched SWR"});
    markerTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    markerTable_->verticalHeader()->setDefaultSectionSize(22);
    markerTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    markerTable_->setFocusPolicy(Qt::NoFocus);
    markerTable_->setFixedHeight(markerTable_->horizontalHeader()->sizeHint().height() + 4 * 22 +
                                 4);
    layout->addWidget(markerTable_);

    ConnectGestures(smith_->gestures());
    ConnectGestures(plots_->gestures());
    connect(&smith_->gestures(), &PointerGestures::hovered, this,
            [this](QPointF at) { Readout(smith_->ReadoutAt(at)); });
    connect(&plots_->gestures(), &PointerGestures::hovered, this,
            [this](QPointF at) { Readout(plots_->ReadoutAt(at)); });
    return central;
}

void Analysis::ConnectGestures(PointerGestures& g) {
    connect(&g, &PointerGestures::zoomRequested, this, &Analysis::ZoomAbout);
    connect(&g, &PointerGestures::panRequested, this, &Analysis::Pan);
    connect(&g, &PointerGestures::spanRequested, this, &Analysis::ShowSpan);
    connect(&g, &PointerGestures::markerPlaced, this, &Analysis::PlaceMarker);
    connect(&g, &PointerGestures::markerMoved, this, &Analysis::MoveMarker);
    connect(&g, &PointerGestures::markerRemoved, this, &Analysis::RemoveMarker);
    connect(&g, &PointerGestures::placementTakenBack, this, [this] {
        if (!beforePlacement_) return;
        markers_ = *beforePlacement_;
        beforePlacement_.reset();
        ShowMarkers();
    });
    connect(&g, &PointerGestures::frequencyChosen, this, &Analysis::ChooseFrequency);
    connect(&g, &PointerGestures::left, this, [this] { Readout({}); });
}

void Analysis::Follow() {
    if (followQueued_ || !isVisible()) return;
    followQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            followQueued_ = false;
            Refresh();
        },
        Qt::QueuedConnection);
}

void Analysis::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Hidden, it did not follow.
    Refresh();
}

void Analysis::Refresh() {
    std::shared_ptr<const AntennaSource> source = host_.sharedAntennaSource();
    AnalysisSetup setup;
    setup.input = host_.antennaInput();
    setup.limits = host_.matchLimits();
    setup.network = host_.selectedNetwork();
    setup.losses = host_.lossQ();
    const FrequencySpan range = AnalysisSpan::RangeOf(*source);
    if (range.low_MHz != span_.range().low_MHz || range.high_MHz != span_.range().high_MHz) {
        span_.SetRange(range);
    }
    scene_ = MakeScene(std::move(source), setup, span_, markers_);
    ShowScene();
}

void Analysis::SpanChanged() {
    ::ShowSpan(scene_, span_);
    ShowScene();
}

void Analysis::ShowScene() {
    smith_->SetScene(&scene_);
    bandwidth_->setText(QString::fromStdString(BandwidthText(scene_.bandwidth)));
    ShowMarkers();
}

void Analysis::ShowMarkers() {
    PlaceMarkers(scene_, markers_);
    smith_->update();
    plots_->SetScene(&scene_);
    markerTable_->setRowCount(static_cast<int>(scene_.markers.size()));
    using Load = AnalysisPoint::Load;
    for (std::size_t i = 0; i < scene_.markers.size(); ++i) {
        const AnalysisPoint& m = scene_.markers[i];
        const QString cells[] = {
            QString::number(m.f_MHz, 'f', 6),    Cell(m.antenna, &Load::r, 'f', 2),
            Cell(m.antenna, &Load::x, 'f', 2),   Cell(m.antenna, &Load::z, 'f', 2),
            Cell(m.antenna, &Load::swr, 'g', 4), Cell(m.matched, &Load::swr, 'g', 4)};
        for (int c = 0; c < 6; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            markerTable_->setItem(static_cast<int>(i), c, item);
        }
        markerTable_->setVerticalHeaderItem(static_cast<int>(i),
                                            new QTableWidgetItem(QString::number(i + 1)));
    }
}

std::vector<double> Analysis::markers() const {
    return markers_;
}

void Analysis::ShowSpan(double low, double high) {
    span_.Show(low, high);
    SpanChanged();
}

void Analysis::ZoomAbout(double f, double factor) {
    span_.ZoomAbout(f, factor);
    SpanChanged();
}

void Analysis::Pan(double share) {
    span_.Pan(share);
    SpanChanged();
}

void Analysis::ShowBand(int index) {
    const auto bands = AmateurBands();
    if (index < 0 || static_cast<std::size_t>(index) >= bands.size()) {
        span_.ShowWholeRange();
    } else if (!span_.ShowBand(bands[static_cast<std::size_t>(index)])) {
        Readout(QString("The %1 band lies outside the source's range")
                    .arg(bands[static_cast<std::size_t>(index)].name));
        return;
    }
    SpanChanged();
}

void Analysis::KeyZoom(double factor) {
    const double set = scene_.setup.input.frequency_MHz;
    ZoomAbout(scene_.shown.Contains(set) ? set : (span_.low() + span_.high()) / 2, factor);
}

void Analysis::PlaceMarker(double f) {
    beforePlacement_ = markers_;
    f = RoundedToView(f, span_.width());
    if (markers_.size() < AnalysisScene::kMostMarkers) {
        markers_.push_back(f);
    } else {
        // All four are out: the nearest one comes here.
        auto nearest = std::min_element(markers_.begin(), markers_.end(), [f](double a, double b) {
            return std::abs(a - f) < std::abs(b - f);
        });
        *nearest = f;
    }
    ShowMarkers();
}

void Analysis::MoveMarker(int index, double f) {
    if (index < 0 || static_cast<std::size_t>(index) >= markers_.size()) return;
    markers_[static_cast<std::size_t>(index)] = RoundedToView(f, span_.width());
    beforePlacement_.reset();
    ShowMarkers();
}

void Analysis::RemoveMarker(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= markers_.size()) return;
    markers_.erase(markers_.begin() + index);
    beforePlacement_.reset();
    ShowMarkers();
}

void Analysis::ChooseFrequency(double f) {
    // Last: the main window's change handling runs its pause, and this window follows after.
    host_.SetFrequencyUndoably(RoundedToView(f, span_.width()));
}

void Analysis::Readout(const QString& text) {
    readout_->setText(text);
}
