#include "losses/LossText.h"

#include "core/NumberFormat.h"

namespace {

// Tenths of a watt, and two digits of what is smaller.
std::string Watts(double value) {
    if (value == 0) return "0 W";
    return (value < 0.1 ? SignificantText(value, 2) : FixedText(value, 1)) + " W";
}

std::string Percent(double value) {
    return FixedText(value, 1) + " %";
}

std::string Ohms(double value) {
    return FixedText(value, 1) + " Ohm";
}

std::string PartLosses(Network network, const NetworkPowers& p) {
    std::string text = "L " + Watts(p.ploss_L_W) + ", C " + Watts(p.ploss_C_W);
    if (HasSecondCapacitor(network)) text += ", C' " + Watts(p.ploss_C2_W);
    return text;
}

}  // namespace

std::string PartQText(const LossQ& q) {
    return "Q " + QText(q.inductor) + "/" + QText(q.capacitor);
}

std::string RealNetworkText(Network network, const RealNetworkResult& real, const LossQ& q,
                            double ptx_W) {
    const std::string of = " of " + SignificantText(ptx_W, 6) + " W";
    const std::string delivered = real.p_radiated_W
                                      ? "radiated " + Watts(*real.p_radiated_W) + of
                                      : "into the antenna " + Watts(real.p_antenna_W) + of;
    return "with " + PartQText(q) + ": network " + Percent(real.eta_net_pct) + ", " +
           PartLosses(network, real) + "; SWR " + FixedText(real.swr, 2) + "; " + delivered;
}

std::string CoilLossText(const Losses& losses) {
    if (!losses.coilApplies || !losses.antenna) return {};
    const AntennaResult& a = *losses.antenna;
    std::string text =
        "coil Q " + QText(losses.q.coil) + ": R_f " + Ohms(a.r_f) + ", X_f " + Ohms(a.x_f);
    if (losses.efficiencyKnown) text += ", eta_f " + Percent(a.eta_f);
    return text;
}

std::string LossNote(Network network, const Losses& losses) {
    std::string note = CoilLossText(losses);
    const auto& real = losses.of(network);
    if (!real) return note;
    if (!note.empty()) note += "; ";
    return note + NetworkName(network) + " " +
           RealNetworkText(network, *real, losses.q, losses.ptx_W);
}

std::string TunerLossText(const NetworkPowers& powers, const LossQ& q, double ptx_W) {
    return PartQText(q) + " at " + SignificantText(ptx_W, 6) + " W: network " +
           Percent(powers.eta_net_pct) + ", lost L " + Watts(powers.ploss_L_W) + ", C " +
           Watts(powers.ploss_C_W);
}
