#pragma once

#include <optional>

#include "core/Antenna.h"

// Frequencies a source has values for, in MHz, both ends included. Frequencies stepped by
// repeated addition miss an end by their rounding (30 MHz is 30.000000000000135 at the end of
// a sweep): that close, they are at the end.
struct FrequencySpan {
    static constexpr double kRounding = 1e-12;
    double low_MHz = 0;
    double high_MHz = 0;
    bool Contains(double f_MHz) const {
        return f_MHz >= low_MHz - kRounding * low_MHz && f_MHz <= high_MHz + kRounding * high_MHz;
    }
};

enum class SourceKind { Model, Nec2, Measured };

// Where the antenna's feed point comes from. Everything that shows or uses the antenna asks
// the source in use, never the closed-form model directly.
class AntennaSource {
public:
    virtual ~AntennaSource() = default;

    virtual SourceKind kind() const = 0;

    // The feed point at the input's frequency with the input's base elements and losses as
    // this source applies them; nothing outside span() or where a step faults.
    virtual std::optional<AntennaResult> FeedPoint(const AntennaInput& in) const = 0;

    // Where the source has values; none: at every frequency.
    virtual std::optional<FrequencySpan> span() const { return std::nullopt; }

    // Whether eta_f and eta_tot of its results mean anything: a measurement cannot tell
    // radiation from loss.
    virtual bool knowsEfficiency() const { return true; }

    // Whether Lcoil, Cfoot and AEloss enter its results.
    virtual bool usesBaseElements() const { return true; }
};

// The closed-form model of the rod: the default source, shared by all.
const AntennaSource& ClosedFormModel();
