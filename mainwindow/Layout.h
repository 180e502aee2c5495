#pragma once

// Fixed positions of the main window's parts, in pixels.
namespace layout {

inline constexpr int kWindowWidth = 1262;
inline constexpr int kWindowHeight = 690;

// Input column and antenna result column.
inline constexpr int kInputX = 6;
inline constexpr int kResultX = 104;
inline constexpr int kFieldWidth = 70;
inline constexpr int kSpinWidth = 18;
inline constexpr int kFieldHeight = 20;
inline constexpr int kLabelHeight = 14;
inline constexpr int kRowPitch = 38;

// Sweep diagram: picture origin and the strips above it.
inline constexpr int kDiagramX = 258;
inline constexpr int kDiagramY = 64;
inline constexpr int kStripPreviousY = 52;
inline constexpr int kStripY = 58;
inline constexpr int kCurveColumnX = 318;
inline constexpr int kCurveColumnPitch = 60;

// Right block: matching limits, diagram type, efficiency unit.
inline constexpr int kRightX = 868;
inline constexpr int kRightWidth = 388;

// Band of the six network boxes.
inline constexpr int kNetworkY = 530;
inline constexpr int kNetworkPitch = 208;
inline constexpr int kNetworkWidth = 206;
inline constexpr int kNetworkHeight = 112;

}  // namespace layout
