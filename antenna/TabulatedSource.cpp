#include "antenna/TabulatedSource.h"

#include <cmath>

TabulatedSource::TabulatedSource(std::shared_ptr<const ImpedanceTable> table, Meaning meaning,
                                 Label label)
    : table_(std::move(table)), meaning_(meaning), label_(std::move(label)) {}

SourceKind TabulatedSource::kind() const {
    return meaning_ == Meaning::NecRod ? SourceKind::Nec2 : SourceKind::Measured;
}

std::optional<AntennaResult> TabulatedSource::FeedPoint(const AntennaInput& in) const {
    const std::optional<Impedance> z = table_->At(in.frequency_MHz);
    if (!z) return std::nullopt;
    if (meaning_ != Meaning::FeedPoint) return FeedPointOfRod(*z, in);
    // As measured: the chain runs for SWR and U_f with nothing added on the way.
    AntennaInput bare = in;
    bare.lcoil_uH = 0;
    bare.cfoot_pF = 0;
    bare.aeloss_Ohm = 0;
    std::optional<AntennaResult> a = FeedPointOfRod(*z, bare);
    if (!a) return a;
    // A base capacitance of 0 pF is no element, but going through it would cost R and X
    // their last bit, and a measured 30 Ohm would show as 29.999.
    a->r_ant = a->r_f = z->r;
    a->x_ant = a->x_f = z->x;
    a->z_f = std::hypot(z->r, z->x);
    return a;
}
