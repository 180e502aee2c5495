#pragma once

#include <optional>

#include "core/Matching.h"
#include "losses/RealNetwork.h"
#include "tuners/search/TunerState.h"

// What the banks of a tuner burn: its network built from real parts, with the power into
// the tuner that the transmitter delivers.

// The tuners' networks are three of the matching networks, parts in the same places.
Network TunerNetwork(TunerKind kind);

// The setting c_pF, l_uH into the tuner's antenna; nothing where it faults or takes no power.
std::optional<NetworkPowers> SettingLosses(TunerKind kind, const TunerLoad& load, double c_pF,
                                           double l_uH, const LossQ& q, double ptx_W);

// The setting the tuner's last TUNE found, at the antenna it tuned; nothing when that TUNE
// was refused or abandoned.
std::optional<NetworkPowers> TunedSettingLosses(const TunerState& tuner, const LossQ& q,
                                                double ptx_W);
