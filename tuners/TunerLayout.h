#pragma once

#include <QPoint>

// Fixed positions in the tuner windows, in pixels: the antenna column on the left, the
// banks in the middle, the results and SWEEP on the right.
namespace tuner_layout {

inline constexpr int kWindowWidth = 596;
// The design's height, then a band below it for what the found setting's parts lose.
inline constexpr int kDesignHeight = 348;
inline constexpr int kLossLineHeight = 18;
inline constexpr int kWindowHeight = kDesignHeight + kLossLineHeight + 4;

inline constexpr int kLabelHeight = 14;
inline constexpr int kFieldHeight = 20;
inline constexpr int kRowPitch = 38;
inline constexpr int kFirstRowY = 28;

inline constexpr int kLeftX = 8;
inline constexpr int kLeftWidth = 120;
inline constexpr int kMiddleX = 140;
inline constexpr int kMiddleColumnPitch = 104;
inline constexpr int kMiddleFieldWidth = 96;
inline constexpr int kRightX = 352;
inline constexpr int kRightWidth = 236;
inline constexpr int kCellWidth = 76;
inline constexpr int kSweepY = 176;
// Below SWEEP: the status line, then how the last sweep did and its export.
inline constexpr int kStatusY = kSweepY + 32;
inline constexpr int kStatusHeight = 40;
inline constexpr int kSweepResultsY = kStatusY + kStatusHeight + 4;
inline constexpr int kComparisonHeight = 72;
inline constexpr int kExportGap = 2;
inline constexpr int kExportHeight = 22;

// Result cells three to a row: the coarse result, the setting last evaluated, then the
// operations, the time and (HP-CL) the sweep average.
inline QPoint ResultCell(int index) {
    constexpr int kRowY[] = {kFirstRowY, 90, 134};
    return {kRightX + (index % 3) * 80, kRowY[index / 3]};
}

// Heading over the fields of the setting last evaluated.
inline constexpr int kLastSettingHeadingY = 72;

}  // namespace tuner_layout
