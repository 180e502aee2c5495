#pragma once

#include <memory>
#include <string>

#include "antenna/ImpedanceTable.h"

// A source whose impedances come from a table: a measured file or a NEC-2 run.
class TabulatedSource final : public AntennaSource {
public:
    // What the table's impedances are.
    enum class Meaning {
        FeedPoint,  // the feed point as measured: nothing is added to it
        BareRod,    // the rod alone, measured: base elements and losses are added
        NecRod,     // NEC-2's rod over perfect ground: all its resistance radiates
    };

    struct Label {
        std::string name;  // the file's name, or "NEC-2"
        std::string path;  // the file as given; empty for NEC-2
        std::string note;  // what the status line says about the source besides its name
    };

    TabulatedSource(std::shared_ptr<const ImpedanceTable> table, Meaning meaning, Label label);

    SourceKind kind() const override;
    std::optional<AntennaResult> FeedPoint(const AntennaInput& in) const override;
    std::optional<FrequencySpan> span() const override { return table_->span(); }
    bool knowsEfficiency() const override { return meaning_ == Meaning::NecRod; }
    bool usesBaseElements() const override { return meaning_ != Meaning::FeedPoint; }

    Meaning meaning() const { return meaning_; }
    const Label& label() const { return label_; }
    const std::shared_ptr<const ImpedanceTable>& table() const { return table_; }

private:
    std::shared_ptr<const ImpedanceTable> table_;
    Meaning meaning_;
    Label label_;
};
