// The tuner window's controls, loading, settings and closing; TUNE and SWEEP have files
// of their own.
#include "tuners/TunerWindow.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <map>
#include <utility>

#include "diagrams/Schematics.h"
#include "platform/BackColor.h"
#include "platform/Colors.h"
#include "platform/Controls.h"
#include "platform/PictureBox.h"
#include "platform/SettingsFile.h"
#include "platform/SettingsTexts.h"
#include "platform/Shape.h"
#include "tuners/LabWindow.h"
#include "tuners/SweepResults.h"
#include "tuners/TunerHost.h"
#include "tuners/TunerLayout.h"
#include "tuners/TunerWindows.h"
#include "tuners/search/HandOver.h"

using namespace tuner_layout;

TunerWindow::TunerWindow(const TunerLooks& looks, TunerHost& host, TunerWindows& all)
    : looks_(looks), host_(host), all_(all), state_(looks.kind, *this) {
    setObjectName(looks.formName);
    setWindowTitle(looks.caption);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(8);
    setFont(font);
    setFixedSize(kWindowWidth, kWindowHeight);
    BuildCommonControls();
    BuildLossLine();
}

QLineEdit* TunerWindow::AddField(const QString& name, const QRect& geometry, const QString& text,
                                 const QColor& back) {
    QLineEdit* field = NewTextBox(this, name, geometry, text, back);
    designTexts_.emplace_back(field, text);
    return field;
}

QLabel* TunerWindow::AddLabel(const QString& name, const QRect& geometry, const QString& caption,
                              const QColor& back) {
    if (back.isValid()) return NewLabel(this, name, geometry, caption, back);
    auto* label = new QLabel(caption, this);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

void TunerWindow::BindSettingsKey(const std::string& key, QLineEdit* field) {
    settingsKeys_.emplace_back(key, field);
    connect(field, &QLineEdit::textEdited, this, [this] { banksEdited_ = true; });
}

void TunerWindow::ShowStatus(const QString& text) {
    statusLine_->setText(text);
}

void TunerWindow::ReportFileProblem(const std::string& message) {
    ::ReportFileProblem(statusLine_, message);
}

void TunerWindow::BuildCommonControls() {
    AddLabel("Label4", QRect(kLeftX, 8, kLeftWidth, kLabelHeight), "ANTENNA VALUES");
    const struct {
        const char* label;
        const char* caption;
        QLineEdit** field;
        const char* name;
    } antenna[] = {{"Label1", "f (MHz)", &Text1, "Text1"},
                   {"Label2", "R_f (Ohm)", &Text2, "Text2"},
                   {"Label3", "X_f (Ohm)", &Text3, "Text3"}};
    int y = kFirstRowY;
    for (const auto& row : antenna) {
        AddLabel(row.label, QRect(kLeftX, y, kLeftWidth, kLabelHeight), row.caption);
        *row.field = AddField(row.name, QRect(kLeftX, y + kLabelHeight, kLeftWidth, kFieldHeight),
                              "", colors::kInput);
        y += kRowPitch;
    }
    auto* schematic = new PictureBox("Picture1", 120, 72, this);
    schematic->move(kLeftX, y + 4);
    KeepSchematic(*schematic, looks_.schematic);
    y += 84;
    AddLabel("Label17", QRect(kLeftX, y, kLeftWidth, kLabelHeight), looks_.rateCaption);
    Text15 = AddField("Text15", QRect(kLeftX, y + kLabelHeight, kLeftWidth, kFieldHeight),
                      kDesignOperationsPerSecond, colors::kInput);
    y += kRowPitch + 4;
    Command1 = NewButton(this, "Command1", QRect(kLeftX, y, 84, 28), "TUNE", colors::kInput);
    Shape1 = new Shape(this, "Shape1", QRect(kLeftX + 92, y, 28, 28), colors::kInvalid);
    BuildLab(y + 36);

    AddLabel("Label18", QRect(kRightX, 8, kRightWidth, kLabelHeight), "LOOP0 END");
    const struct {
        const char* label;
        const char* caption;
        QLineEdit** field;
        const char* name;
        const char* text;
        QColor labelBack;
    } results[] = {
        {"Label19", "SWR", &Text16, "Text16", "", {}},
        {"Label20", "C (pF)", &Text17, "Text17", "", {}},
        {"Label21", "L (µH)", &Text18, "Text18", "", {}},
        {"Label12", "C (pF)", &Text10, "Text10", "", colors::kCapacitor},
        {"Label13", "L (µH)", &Text11, "Text11", "", colors::kInductor},
        {"Label14", "SWR", &Text12, "Text12", "9999", {}},
        {"Label15", looks_.opsCaption, &Text13, "Text13", "", {}},
        {"Label16", looks_.timeCaption, &Text14, "Text14", "", {}},
    };
    for (std::size_t i = 0; i < std::size(results); ++i) {
        const auto& r = results[i];
        const QPoint at = ResultCell(static_cast<int>(i));
        AddLabel(r.label, QRect(at.x(), at.y(), kCellWidth, kLabelHeight), r.caption, r.labelBack);
        *r.field = AddField(r.name, QRect(at.x(), at.y() + kLabelHeight, kCellWidth, kFieldHeight),
                            r.text, colors::kResult);
    }
    Label19 = findChild<QLabel*>("Label19");
    Command32 = NewButton(this, "Command32", QRect(kRightX, kSweepY, kRightWidth, 26), "SWEEP",
                          colors::kInput);
    statusLine_ = AddLabel("StatusLine", QRect(kRightX, kStatusY, kRightWidth, kStatusHeight), "");
    statusLine_->setWordWrap(true);
    statusLine_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    sweepResults_ = new SweepResults(looks_.kind, statusLine_, this);

    for (QLineEdit* antenna : {Text2, Text3}) {
        connect(antenna, &QLineEdit::textEdited, this, [this] { antennaMissing_ = false; });
    }
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command32, &QPushButton::clicked, this, [this] { Command32_Click(); });
    SetToolTips();
}

void TunerWindow::BuildLab(int y) {
    QPushButton* compare = NewButton(this, "CompareSearches", QRect(kLeftX, y, kLeftWidth, 24),
                                     "Compare searches", colors::kInput);
    compare->setToolTip(
        "Compare searches: opens this tuner's lab, which runs every search strategy on these "
        "banks, at the set frequency or over the band, with the settings each tries, the relays "
        "it switches and its time to tune.");
    LabInputs inputs{looks_.kind, [this](std::string& refusal) { return PrepareRun(refusal); },
                     [this]() -> std::optional<AntennaFields> {
                         if (antennaMissing_) return std::nullopt;
                         return Antenna();
                     },
                     [this]() -> AntennaAt {
                         return [source = host_.sharedAntennaSource(),
                                 input = host_.antennaInput()](double f_MHz) {
                             return HandedOverAntenna(*source, input, f_MHz);
                         };
                     }};
    lab_ = new LabWindow(std::move(inputs), NetworkName(looks_.schematic), this);
    connect(compare, &QPushButton::clicked, lab_, &LabWindow::Open);
}

void TunerWindow::Open(const QString& f_MHz, const std::optional<FeedPointTexts>& feed) {
    if (loaded_) {
        show();
    } else {
        Load();
        show();
        Form_Resize();
        Form_Paint();
    }
    Text1->setText(f_MHz);
    // Values of an earlier pass would be tuned as if they were the antenna's: no values
    // are shown then, and TUNE refuses until the user types some in.
    antennaMissing_ = !feed;
    Text2->setText(feed ? feed->r_Ohm : QString());
    Text3->setText(feed ? feed->x_Ohm : QString());
}

void TunerWindow::Load() {
    ++generation_;
    loaded_ = true;
    for (const auto& [field, text] : designTexts_) field->setText(text);
    state_.Reset();
    Show(state_.display());
    Command1->setText("TUNE");
    ResetSweepButton(true);
    statusLine_->clear();
    lossLine_->clear();
    sweepResults_->Clear();
    antennaMissing_ = tuned_ = banksEdited_ = false;
    sweepCode = 0;
    ResetState();
    ShowBankLimits();
}

void TunerWindow::Form_Resize() {
    std::vector<std::string> keys;
    for (const auto& [key, field] : settingsKeys_) keys.push_back(key);
    std::map<std::string, std::string> values;
    if (FileResult read = ReadSettingsKeys(SettingsFilePath(), keys, values); !read.ok()) {
        // The fields keep what they hold; the window says why.
        ReportFileProblem(read.error);
    }
    for (const auto& [key, field] : settingsKeys_) {
        if (auto found = values.find(key); found != values.end()) {
            field->setText(SettingsText(found->second));
        }
    }
    KeepBankTexts();
}

void TunerWindow::KeepBankTexts() {
    keptBankTexts_.clear();
    for (const auto& [key, field] : settingsKeys_) keptBankTexts_.push_back(field->text());
}

void TunerWindow::OfferToKeepBanks() {
    std::map<std::string, QString> texts;
    bool changed = false;
    for (std::size_t i = 0; i < settingsKeys_.size(); ++i) {
        const auto& [key, field] = settingsKeys_[i];
        texts[key] = field->text();
        changed = changed || i >= keptBankTexts_.size() || field->text() != keptBankTexts_[i];
    }
    if (!std::exchange(banksEdited_, false) || !changed || host_.endingSession()) return;
    const QString question =
        QString("The bank values of this tuner were edited. Write them into %1?")
            .arg(QString::fromStdString(SettingsFilePath()));
    if (QMessageBox::question(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::Yes) != QMessageBox::Yes) {
        return;
    }
    // Only keys the file holds are rewritten, so the file keeps its lines.
    if (FileResult written = RewriteSettingsTexts(SettingsFilePath(), texts); !written.ok()) {
        // This window is closing: the main window's status line says it.
        host_.ReportFileProblem(written.error);
        return;
    }
    KeepBankTexts();
}

// The rules a repaint would apply: run when the window is shown, since applying them on
// every repaint would take the focus from a field being typed in.
void TunerWindow::Form_Paint() {
    if (host_.impedancePlaneMode()) ResetSweepButton(false);
    ShowBankLimits();
    Command1->setFocus();
}

void TunerWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && loaded_) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        const bool restored =
            (change->oldState() & Qt::WindowMinimized) && !(windowState() & Qt::WindowMinimized);
        if (restored) Form_Resize();
    }
    QWidget::changeEvent(event);
}

void TunerWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (loaded_) Form_QueryUnload();
}

// Closing one tuner window closes all three; every one of them drops its sweep code, so a
// running sweep stops at its next step whichever window was closed.
void TunerWindow::Form_QueryUnload() {
    if (looks_.offersToKeepBanks) OfferToKeepBanks();
    sweepCode = 0;
    sweepResults_->Clear();
    lab_->CloseLab();
    SetSweepIdleColour();
    Command32->setText("SWEEP");
    loaded_ = false;
    all_.CloseAll();
}

void TunerWindow::ResetSweepButton(bool enabled) {
    SetSweepIdleColour();
    Command32->setText("SWEEP");
    Command32->setEnabled(enabled);
}

void TunerWindow::SetSweepIdleColour() {
    SetBackColor(Command32, colors::kInput);
}

void TunerWindow::SweepFinished(std::vector<SweepTuneRow> rows, double sweepSeconds) {
    sweepResults_->CompareSweep(std::move(rows), sweepSeconds);
}

void TunerWindow::DropSweepResults() {
    sweepResults_->Clear();
}

bool TunerWindow::tuneIdle() const {
    return Command1->text() == "TUNE";
}

QColor TunerWindow::indicatorColour() const {
    return Shape1->FillColor();
}
