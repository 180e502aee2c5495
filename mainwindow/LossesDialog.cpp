#include "mainwindow/LossesDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/BackColor.h"
#include "platform/Colors.h"

namespace {

struct QField {
    const char* name;
    const char* label;
    const char* quantity;  // for the problem line
    const char* toolTip;
};

constexpr QField kFields[] = {
    {"QInductor", "Q of the matching inductors", "the matching inductors' Q",
     "Q of the coils of the six matching networks and of the tuners' inductor banks: a coil "
     "of reactance X has the loss resistance X / Q in series."},
    {"QCapacitor", "Q of the matching capacitors", "the matching capacitors' Q",
     "Q of the capacitors of the six matching networks and of the tuners' capacitor banks: a "
     "capacitor of reactance X has the loss resistance X / Q in series."},
    {"QCoil", "Q of the base coil", "the base coil's Q",
     "Q of the base loading coil Lcoil: its loss resistance omega * Lcoil / Q lies in series "
     "with it, before the base capacitance, and lowers eta_f.\nIt does not apply to a "
     "measured antenna taken as fed, whose file already holds whatever coil was measured."},
};
constexpr const char* kRange = "a number from 1 to 100000, or ideal (no loss)";
constexpr std::size_t kCoil = 2;

QString FieldToolTip(std::size_t field) {
    return QString("%1\nGive %2.").arg(kFields[field].toolTip, kRange);
}

double& Member(LossQ& q, std::size_t field) {
    return field == 0 ? q.inductor : field == 1 ? q.capacitor : q.coil;
}

}  // namespace

LossesDialog::LossesDialog(QWidget* parent, Apply apply)
    : QDialog(parent), apply_(std::move(apply)) {
    setObjectName("LossesDialog");
    setWindowTitle("Losses");
    auto* form = new QFormLayout;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        auto* field = new QLineEdit(this);
        field->setObjectName(kFields[i].name);
        field->setToolTip(FieldToolTip(i));
        connect(field, &QLineEdit::textChanged, this, [this] { Check(); });
        form->addRow(kFields[i].label, field);
        fields_[i] = field;
    }
    problem_ = new QLabel(this);
    problem_->setObjectName("LossesProblem");
    problem_->setWordWrap(true);
    problem_->setStyleSheet("color: rgb(192, 0, 0)");

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::RestoreDefaults, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { Accept(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this,
            [this] { Show(LossQ{}); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("The quality factors of the parts you build with.", this));
    layout->addLayout(form);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
}

void LossesDialog::Open(const LossQ& q, bool coilInFile) {
    Show(q);
    QString coilTip = FieldToolTip(kCoil);
    if (coilInFile) {
        coilTip.prepend("The antenna in use is measured as fed: this Q does not apply.\n");
    }
    fields_[kCoil]->setToolTip(coilTip);
    show();
    raise();
    activateWindow();
}

void LossesDialog::Show(const LossQ& q) {
    LossQ shown = q;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i]->setText(QString::fromStdString(QText(Member(shown, i))));
    }
    Check();
}

std::optional<LossQ> LossesDialog::Check() {
    LossQ q;
    QString problem;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const std::optional<double> read = ParseQ(fields_[i]->text().toStdString());
        SetBackColor(fields_[i], read ? colors::kInput : colors::kInvalid);
        if (read) {
            Member(q, i) = *read;
        } else if (problem.isEmpty()) {
            problem = QString("Not a Q for %1: give %2.").arg(kFields[i].quantity, kRange);
        }
    }
    problem_->setText(problem);
    ok_->setEnabled(problem.isEmpty());
    if (!problem.isEmpty()) return std::nullopt;
    return q;
}

void LossesDialog::Accept() {
    const std::optional<LossQ> q = Check();
    if (!q) return;
    apply_(*q);
    accept();
}
