#include "tuners/search/TunerLosses.h"

#include "tuners/search/BankSetup.h"

Network TunerNetwork(TunerKind kind) {
    switch (kind) {
        case TunerKind::HpCl:
            return Network::HpCl;
        case TunerKind::LpCl:
            return Network::LpCl;
        case TunerKind::LpLc:
            break;
    }
    return Network::LpLc;
}

std::optional<NetworkPowers> SettingLosses(TunerKind kind, const TunerLoad& load, double c_pF,
                                           double l_uH, const LossQ& q, double ptx_W) {
    MatchValues values;
    values.c_pF = c_pF;
    values.l_uH = l_uH;
    return RealNetworkPowers(TunerNetwork(kind), values, load.antenna, load.f_Hz, ptx_W, q);
}

std::optional<NetworkPowers> TunedSettingLosses(const TunerState& tuner, const LossQ& q,
                                                double ptx_W) {
    const std::optional<TunerLoad> load = tuner.tunedLoad();
    if (!load || !tuner.banks()) return std::nullopt;
    Checked c;
    const BestSetting best = tuner.bestSetting();
    const double c_pF = CapacitanceOf(*tuner.banks(), best.c, c);
    const double l_uH = InductanceOf(*tuner.banks(), best.l, c);
    if (c.faulted()) return std::nullopt;
    return SettingLosses(tuner.kind(), *load, c_pF, l_uH, q, ptx_W);
}
