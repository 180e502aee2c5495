#pragma once

#include <memory>

#include "antenna/AntennaSource.h"
#include "core/Matching.h"
#include "losses/LossQ.h"

// What the analysis window follows in the main window, and the one change it may make there.
class AnalysisHost {
public:
    virtual ~AnalysisHost() = default;

    virtual std::shared_ptr<const AntennaSource> sharedAntennaSource() const = 0;
    // The inputs as the main window's fields hold them, the set frequency among them.
    virtual AntennaInput antennaInput() const = 0;
    virtual MatchLimits matchLimits() const = 0;
    virtual Network selectedNetwork() const = 0;
    // The Qs of the parts, for the report's real-part figures.
    virtual LossQ lossQ() const = 0;

    // Sets the main window's frequency; Ctrl+Z in either window takes it back.
    virtual void SetFrequencyUndoably(double f_MHz) = 0;
    virtual void UndoFrequencyChange() = 0;
};
