// The recalculation pass: inputs -> antenna results -> six networks -> diagrams.
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopeGuard>

#include "antenna/ShownResults.h"
#include "core/Numeric.h"
#include "diagrams/MatchingPath.h"
#include "mainwindow/Form1.h"
#include "mainwindow/NetworkBoxes.h"
#include "platform/BackColor.h"
#include "platform/Colors.h"
#include "platform/FieldText.h"

namespace {

// A field outside the guarded ones, written by this pass: its value is current.
void ShowValid(QLineEdit* field, const QString& text) {
    field->setText(text);
    SetBackColor(field, colors::kResult);
}

}  // namespace

void Form1::SetAntennaSource(std::shared_ptr<const AntennaSource> source) {
    source_ = std::move(source);
    Recalculate();
}

void Form1::RecalculateIfIdle() {
    for (uint8_t held : heldFlags_) {
        if (held) return;
    }
    Recalculate();
}

AntennaInput Form1::ReadAntennaInput() const {
    AntennaInput input;
    input.length_m = FieldValue(Text1);
    input.diameter_mm = FieldValue(Text2);
    input.aeloss_Ohm = FieldValue(Text4);
    input.mloss_Ohm = FieldValue(Text41);
    input.frequency_MHz = FieldValue(Text8);
    input.cfoot_pF = FieldValue(Text17);
    input.lcoil_uH = FieldValue(Text45);
    input.ptx_W = FieldValue(Text43);
    return input;
}

MatchLimits Form1::ReadMatchLimits() const {
    return {FieldValue(Text16), FieldValue(Text29), FieldValue(Text33)};
}

void Form1::Recalculate() {
    const auto announce = qScopeGuard([this] { emit resultsChanged(); });
    QLineEdit* const guarded[] = {Text3, Text5, Text6, Text9, Text10, Text15};
    for (QLineEdit* field : guarded) SetBackColor(field, colors::kInvalid);
    feedPoint_.reset();
    partStress_.fill(std::nullopt);
    lastLosses_.reset();
    ShowPartStress();

    limits_ = ReadMatchLimits();
    const AntennaInput input = ReadAntennaInput();
    FollowNecRod(input);
    ShowSourceNote(input.frequency_MHz);
    ShowModelCoverage(input.frequency_MHz);

    // A fault anywhere below ends the pass silently: the guarded fields stay red, and so do
    // the fields it did not reach and the networks, whose texts are an earlier pass's.
    auto endEarly = [this](std::initializer_list<QLineEdit*> unreached) {
        for (QLineEdit* field : unreached) SetBackColor(field, colors::kInvalid);
        for (const NetworkControls& controls : networks_) {
            for (QLineEdit* field : {controls.c, controls.c2, controls.l}) {
                if (field) SetBackColor(field, colors::kInvalid);
            }
        }
    };
    const ShownAntenna shown = ShowAntenna(*source_, input, Option13->isChecked());
    if (!shown.rod) return endEarly({Text7, Text44, Text42});
    Text3->setText(FieldText(shown.rod->zlc));
    ShowValid(Text7, FieldText(shown.rod->slenderness));
    if (!shown.feed) {
        endEarly({Text44, Text42});
        // A tabulated source has nothing here: no value is better than an old one, and the
        // diagrams show where it has values.
        if (source_->span()) {
            ShowNoAntennaValues();
            if (redrawSuppressed_ == 0) DrawSweepDiagram();
        }
        return;
    }
    Text5->setText(FieldText(shown.feed->r_f));
    Text6->setText(FieldText(shown.feed->x_f));
    Text9->setText(FieldText(shown.feed->z_f));
    Text15->setText(FieldText(shown.feed->swr_f));
    ShowValid(Text44, FieldText(shown.feed->u_f));
    if (!shown.complete()) return endEarly({Text42});
    // Empty where the source cannot know them.
    Text10->setText(shown.efficiency ? FieldText(shown.efficiency->eta_f) : QString());
    ShowValid(Text42, shown.efficiency ? FieldText(shown.efficiency->eta_tot) : QString());
    for (QLineEdit* field : guarded) SetBackColor(field, colors::kResult);
    feedPoint_ = FeedPointTexts{Text5->text(), Text6->text()};

    const AntennaResult& antenna = *shown.result;
    const double f_Hz = input.frequency_MHz * 1e6;
    for (std::size_t i = 0; i < kNetworkBoxes.size(); ++i) {
        const Network network = kNetworkBoxes[i].network;
        const MatchValues values = Match(network, antenna.r_f, antenna.x_f, f_Hz, limits_);
        // Only the inner pass of an R/X redraw draws the selected network's path, and only
        // at the frequency the field shows.
        if (impedancePlaneMode() && network == selectedNetwork() &&
            f_Hz / 1e6 == FieldValue(Text8) && redrawSuppressed_ == 1) {
            if (const auto path =
                    PlanMatchingPath(network, antenna.r_f, antenna.x_f, f_Hz, values, limits_)) {
                DrawMatchingPath({*Picture5_1, *Picture5_10}, *path);
            }
        }
        WriteNetworkResults(networks_[i], network, values);
        partStress_[i] =
            NetworkStress(network, values, limits_, {antenna.r_f, antenna.x_f}, f_Hz, input.ptx_W);
    }
    lastLosses_ = LossesAt(*source_, input, antenna, limits_, losses_);
    stressPower_W_ = input.ptx_W;
    ShowPartStress();

    ++recalculationCount_;
    if (redrawSuppressed_ == 0) DrawSweepDiagram();
    redrawSuppressed_ = 0;
}

void Form1::WriteNetworkResults(const NetworkControls& controls, Network network,
                                const MatchValues& values) {
    QLineEdit* const fields[] = {controls.c, controls.c2, controls.l};
    for (QLineEdit* field : fields) {
        if (field) SetBackColor(field, colors::kInvalid);
    }
    const MatchVerdict verdict = Judge(network, values, limits_);
    if (verdict == MatchVerdict::NoSolution) {
        for (QLineEdit* field : fields) {
            if (field) field->setText("");
        }
        return;
    }
    if (verdict == MatchVerdict::InsideLimits) {
        for (QLineEdit* field : fields) {
            if (field) SetBackColor(field, colors::kResult);
        }
    }
    // Values that large are outside every limit; showing them unrounded beats a fault.
    auto shown = [](double value) {
        Checked c;
        const double rounded = num::FloorTo(value, 10, c);
        return FieldText(c.ok() ? rounded : value);
    };
    controls.c->setText(shown(values.c_pF));
    if (controls.c2) controls.c2->setText(shown(values.c2_pF));
    controls.l->setText(shown(values.l_uH));
}
