#include <gtest/gtest.h>

#include "losses/LossText.h"

namespace {

RealNetworkResult Result(double eta, double lossL, double lossC, double lossC2, double swr,
                         std::optional<double> radiated) {
    RealNetworkResult r;
    r.eta_net_pct = eta;
    r.ploss_L_W = lossL;
    r.ploss_C_W = lossC;
    r.ploss_C2_W = lossC2;
    r.swr = swr;
    r.p_antenna_W = 100 - lossL - lossC - lossC2;
    r.p_radiated_W = radiated;
    return r;
}

Losses WithNetwork(Network network, const RealNetworkResult& real, const LossQ& q) {
    Losses losses;
    losses.q = q;
    losses.ptx_W = 100;
    losses.networks[static_cast<std::size_t>(network)] = real;
    return losses;
}

TEST(LossText, NotesTheSelectedNetworkAndTheCoil) {
    const RealNetworkResult hpcl = Result(91.23, 8.1, 0.66, 0, 1.0412, 8.3);
    const RealNetworkResult pi = Result(97.02, 2.93, 0.047, 0.004, 0.9999999999998, 40.25);
    const RealNetworkResult measured = Result(95, 4.96, 0, 0, 1.2, std::nullopt);
    const LossQ ideal{kIdealQ, kIdealQ, kIdealQ};
    const struct {
        Network network;
        Losses losses;
        const char* note;
    } cases[] = {
        {Network::HpCl, WithNetwork(Network::HpCl, hpcl, {}),
         "HP-CL with Q 150/1000: network 91.2 %, L 8.1 W, C 0.7 W; SWR 1.04; radiated 8.3 W "
         "of 100 W"},
        {Network::LpClc, WithNetwork(Network::LpClc, pi, {87.5, 1000, 200}),
         "LP-CLC with Q 87.5/1000: network 97.0 %, L 2.9 W, C 0.047 W, C' 0.004 W; SWR 1.00; "
         "radiated 40.2 W of 100 W"},
        {Network::LpCl, WithNetwork(Network::LpCl, Result(100, 0, 0, 0, 1, 48.4), ideal),
         "LP-CL with Q ideal/ideal: network 100.0 %, L 0 W, C 0 W; SWR 1.00; radiated 48.4 W of "
         "100 W"},
        {Network::HpCl, WithNetwork(Network::HpCl, measured, {}),
         "HP-CL with Q 150/1000: network 95.0 %, L 5.0 W, C 0 W; SWR 1.20; into the antenna "
         "95.0 W of 100 W"},
        // The selected network has no solution.
        {Network::HpLc, WithNetwork(Network::HpCl, hpcl, {}), ""},
    };
    for (const auto& [network, losses, note] : cases) {
        EXPECT_EQ(LossNote(network, losses), note);
    }

    Losses coil = WithNetwork(Network::HpCl, hpcl, {});
    coil.antenna = AntennaResult{.r_f = 15.2992, .x_f = 465.044, .eta_f = 31.04};
    EXPECT_EQ(LossNote(Network::HpCl, coil),
              "HP-CL " + RealNetworkText(Network::HpCl, hpcl, coil.q, 100));
    coil.coilApplies = true;
    EXPECT_EQ(LossNote(Network::HpLc, coil),
              "coil Q 200: R_f 15.3 Ohm, X_f 465.0 Ohm, eta_f 31.0 %");
    EXPECT_EQ(LossNote(Network::HpCl, coil),
              "coil Q 200: R_f 15.3 Ohm, X_f 465.0 Ohm, eta_f 31.0 %; HP-CL with Q 150/1000: "
              "network 91.2 %, L 8.1 W, C 0.7 W; SWR 1.04; radiated 8.3 W of 100 W");
    coil.efficiencyKnown = false;
    EXPECT_EQ(CoilLossText(coil), "coil Q 200: R_f 15.3 Ohm, X_f 465.0 Ohm");

    EXPECT_EQ(TunerLossText(hpcl, {120, 500, 200}, 400),
              "Q 120/500 at 400 W: network 91.2 %, lost L 8.1 W, C 0.7 W");
}

}  // namespace
