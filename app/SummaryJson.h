#pragma once

#include <QJsonObject>
#include <string>

#include "antenna/AntennaSource.h"
#include "core/Matching.h"
#include "losses/LossQ.h"

// The results at the set frequency for the chosen source as one JSON object: the source, the
// frequency, the antenna, the parts' Qs and the antenna with its coil's loss, and the six
// networks, each also built from parts of those Qs and with its matched bandwidth. Unknown or
// not applicable values are null. Each section comes from a function of its own, so that more
// can join the object.
QJsonObject SummaryJson(const AntennaSource& source, const AntennaInput& input,
                        const MatchLimits& limits, const LossQ& q);

// Writes the summary to `path`, or to standard output for "-"; the exit code.
int WriteSummaryJson(const std::string& path, const QJsonObject& summary);
