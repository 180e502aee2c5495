#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include "core/Impedance.h"

class QPainter;
class QPointF;

// The analysis window's colours and small drawing pieces, shared by its views, its pictures
// and its report.
namespace look {

inline const QColor kAntenna{31, 95, 191};
inline const QColor kMatched{217, 72, 15};
inline const QColor kReactance{112, 72, 160};
inline const QColor kEfficiencyTotal{43, 138, 62};
inline const QColor kSetFrequency{20, 20, 20};
inline const QColor kMarker{156, 39, 176};
inline const QColor kSwrCircle{47, 158, 68};
inline const QColor kGrid{190, 196, 204};
inline const QColor kGridText{110, 118, 128};
inline const QColor kRim{80, 86, 96};
inline const QColor kChartFace{250, 251, 253};
inline const QColor kText{30, 30, 30};
inline const QColor kBandSwr2{47, 158, 68, 40};
inline const QColor kBandSwr15{47, 158, 68, 70};

// How near the pointer must come to a marker to take it.
inline constexpr double kMarkerReach = 8;

QFont SmallFont();

// A marker: its number in a small round badge.
void MarkerBadge(QPainter& painter, const QPointF& at, int index);

// "R 12.3 Ohm, X -45.6 Ohm, |Z| 47.2 Ohm, SWR 4.12"
QString ImpedanceText(Impedance z);

}  // namespace look
