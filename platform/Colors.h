#pragma once

#include <QColor>

// Colours that carry meaning across the windows.
namespace colors {

inline const QColor kInput{176, 208, 128};    // editable fields and their buttons
inline const QColor kResult{176, 176, 0};     // computed fields, value valid
inline const QColor kInvalid{255, 0, 0};      // computed fields, value not (yet) valid
inline const QColor kCapacitor{0, 176, 176};  // capacitor quantities and curves
inline const QColor kInductor{255, 128, 0};   // inductor quantities
inline const QColor kNeutral{178, 178, 178};  // network boxes and unselected labels

}  // namespace colors
