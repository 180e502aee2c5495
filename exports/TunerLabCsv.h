#pragma once

#include <span>
#include <string>

#include "tuners/search/lab/RelayCost.h"
#include "tuners/search/lab/TunerLab.h"

// A lab run as CSV: a record per frequency and strategy, in the order of the strategies,
// after a header line. C_pF and L_uH are the bank values of the setting the strategy ended
// on (empty where no setting came below SWR 9999), SWR its SWR unrounded, best_SWR the
// lowest of every setting and excess the difference; the time at `times`. A frequency the
// tuner could not tune keeps only its frequency and the strategy.
std::string TunerLabCsv(const BankSetup& banks, std::span<const LabPoint> points,
                        const RelayTimes& times);
