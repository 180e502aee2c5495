// The losses of real parts: their Qs, kept between starts and set in the "Losses" dialog, and
// what they cost, in the status line and each network box's tooltip.
#include <QAction>
#include <QMenuBar>
#include <QRadioButton>

#include "losses/LossText.h"
#include "mainwindow/Form1.h"
#include "mainwindow/LossesDialog.h"
#include "mainwindow/NetworkBoxes.h"
#include "mainwindow/StatusLine.h"
#include "mainwindow/ViewStore.h"
#include "platform/FieldText.h"
#include "platform/PictureBox.h"

namespace {

constexpr const char* kKeys[] = {"losses/qInductor", "losses/qCapacitor", "losses/qCoil"};

}  // namespace

void Form1::BuildOptionsMenu() {
    QMenu* options = menuBar()->addMenu("&Options");
    options->setObjectName("OptionsMenu");
    QAction* losses = options->addAction("&Losses...", this, [this] { OpenLossesDialog(); });
    losses->setObjectName("Losses");
}

void Form1::OpenLossesDialog() {
    if (!lossesDialog_) {
        lossesDialog_ = new LossesDialog(this, [this](const LossQ& q) { SetLossQ(q); });
    }
    lossesDialog_->Open(losses_, !source_->usesBaseElements());
}

void Form1::SetLossQ(const LossQ& q) {
    losses_ = q;
    if (keepViewState_) {
        if (const std::unique_ptr<QSettings> store = OpenViewStore()) {
            const double values[] = {q.inductor, q.capacitor, q.coil};
            for (std::size_t i = 0; i < std::size(kKeys); ++i) {
                store->setValue(kKeys[i], QString::fromStdString(QText(values[i])));
            }
        }
    }
    Recalculate();
}

void Form1::RestoreLossQ(const QSettings& store) {
    LossQ q;
    double* values[] = {&q.inductor, &q.capacitor, &q.coil};
    for (std::size_t i = 0; i < std::size(kKeys); ++i) {
        // A value this program would not take keeps the default.
        const std::optional<double> kept = ParseQ(store.value(kKeys[i]).toString().toStdString());
        if (kept) *values[i] = *kept;
    }
    if (q != losses_) SetLossQ(q);
}

double Form1::transmitterPower_W() const {
    return FieldValue(Text43);
}

// Runs after ShowPartStress has written each box's tooltip afresh, which this extends.
void Form1::ShowLosses() {
    QString note;
    for (std::size_t i = 0; i < networks_.size(); ++i) {
        const Network network = kNetworkBoxes[i].network;
        if (lastLosses_) {
            if (const auto& real = lastLosses_->of(network)) {
                const QString line =
                    "Real parts " + QString::fromStdString(RealNetworkText(
                                        network, *real, lastLosses_->q, lastLosses_->ptx_W));
                // The box, and its schematic, which covers most of it.
                QWidget* box = networks_[i].option->parentWidget();
                const QString boxTip = box->toolTip();
                box->setToolTip(boxTip.isEmpty() ? line : boxTip + '\n' + line);
                networks_[i].picture->setToolTip(networks_[i].picture->toolTip() + "\n\n" + line);
            }
        }
        if (networks_[i].option->isChecked() && lastLosses_) {
            note = QString::fromStdString(LossNote(network, *lastLosses_));
        }
    }
    statusLine_->SetNote(StatusLine::Note::Losses, note);
}
