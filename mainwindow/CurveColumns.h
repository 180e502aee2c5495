#pragma once

#include <array>

// The columns of curve check boxes and range buttons above the sweep diagram, left to
// right. A range button's caption is its curve's full-scale value ("1 K" = 1000); each click
// moves it on through its cycle of three.
struct CurveColumn {
    int check;            // CheckN
    const char* caption;  // nullptr: the check box shows a picture instead
    int rangeButton;      // CommandN
    int checkColor[3];
    int buttonColor[3];
    std::array<const char*, 3> cycle;
};

inline constexpr std::array<CurveColumn, 9> kCurveColumns = {{
    {1, "R_f", 13, {224, 224, 0}, {224, 224, 0}, {"1 K", "10 K", "100"}},
    {2, nullptr, 14, {255, 255, 255}, {240, 0, 240}, {"1 K", "10 K", "100"}},
    {3, "Z_f", 16, {200, 136, 0}, {200, 136, 0}, {"1 K", "10 K", "100"}},
    {4, "SWR_f", 17, {0, 224, 224}, {0, 224, 224}, {"100", "1000", "10"}},
    {10, "U_f", 18, {160, 144, 255}, {160, 144, 255}, {"1 K", "10 K", "100 K"}},
    {5, "etaf", 15, {0, 160, 0}, {0, 160, 0}, {"100", "1", "10"}},
    {7, "C_m", 19, {0, 176, 176}, {0, 176, 176}, {"1000", "10000", "100"}},
    {8, "L_m", 20, {240, 128, 0}, {255, 128, 0}, {"100", "1000", "10"}},
    {9, "etat", 21, {0, 192, 0}, {0, 192, 0}, {"100", "1", "10"}},
}};
