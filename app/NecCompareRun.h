#pragma once

#include <QString>

// The model against NEC-2 at the locus's 300 frequencies, for the rod and base elements of
// the settings file, written as CSV; one line on standard error and nothing written when
// nec2c is missing or fails or the file cannot be written. Needs the application object;
// gives the exit code.
int RunNecCompare(const QString& csvPath);
