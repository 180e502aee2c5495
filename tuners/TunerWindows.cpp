#include "tuners/TunerWindows.h"

// Placeholder until the tuner windows exist.
class TunerWindow {};

TunerWindows::TunerWindows(TunerHost& host) : host_(host) {}
TunerWindows::~TunerWindows() = default;
void TunerWindows::Open(TunerKind, const QString&, const QString&, const QString&) {}
void TunerWindows::CloseAll() {}
void TunerWindows::ResetSweepButtons(bool) {}
