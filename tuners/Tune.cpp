// TUNE: the window around the tuning, which shows its fields and yields between settings.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <utility>

#include "platform/EventLoop.h"
#include "platform/FieldText.h"
#include "platform/Shape.h"
#include "tuners/TunerWindow.h"

void TunerWindow::Command1_Click() {
    // One search at a time: a nested run on the same state would serve no purpose.
    if (!loaded_ || searching()) return;
    tuned_ = false;
    statusLine_->clear();
    lossLine_->clear();
    Command1->setText("...");

    TuneRequest request;
    request.banks = PrepareRun(request.refusal);
    request.rate = FieldValue(Text15);
    request.antennaMissing = antennaMissing_;
    // The run belongs to this loading of the window: once it is closed the search ends and
    // leaves the window as the closing left it.
    const uint32_t outerRun = std::exchange(runGeneration_, generation_);
    std::string refusal;
    const TuneEnd end = state_.Tune(request, refusal);
    runGeneration_ = outerRun;
    if (end == TuneEnd::Abandoned) return;

    if (end == TuneEnd::Refused) ShowStatus(QString::fromStdString(refusal));
    Command1->setText("TUNE");
    tuned_ = end == TuneEnd::Tuned;
    if (tuned_) {
        TuneFinished();
        ShowLosses();
    }
}

AntennaFields TunerWindow::Antenna() const {
    return {FieldValue(Text1), FieldValue(Text2), FieldValue(Text3)};
}

// Only the fields whose text changes are written: a search shows thousands of settings.
void TunerWindow::Show(const TunerDisplay& display) {
    const std::pair<QLineEdit*, const std::string*> fields[] = {
        {Text10, &display.c_pF},    {Text11, &display.l_uH},    {Text12, &display.swr},
        {Text13, &display.ops},     {Text14, &display.time_s},  {Text16, &display.coarseSwr},
        {Text17, &display.coarseC}, {Text18, &display.coarseL},
    };
    for (const auto& [field, text] : fields) WriteField(field, QString::fromStdString(*text));
    const QString caption = QString::fromStdString(display.coarseCaption);
    if (Label19->text() != caption) Label19->setText(caption);
    const QColor indicator(display.indicator.r, display.indicator.g, display.indicator.b);
    if (Shape1->FillColor() != indicator) Shape1->SetFillColor(indicator);
}

void TunerWindow::Yield() {
    ::Yield();
}
