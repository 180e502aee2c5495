#pragma once

#include <array>

// The eleven numeric inputs with their spin buttons, in screen order: the first seven
// describe the antenna and the transmitter, the last four the matching components.
struct InputFieldSpec {
    const char* field;
    const char* label;
    const char* caption;
    const char* quantity;  // with its unit, for the tooltip
    int plusButton;        // number of the "+" button (CommandN)
    int minusButton;
    double step;
    double lower;
    double upper;
    bool antennaInput;  // a change of the antenna retires the tuning strip
    bool grid = false;  // steps keep the value on a grid of the step (the frequency)
};

inline constexpr std::array<InputFieldSpec, 11> kInputFields = {{
    {"Text1", "Label1", "Length (m)", "rod length in m", 1, 2, 0.1, 1, 30, true},
    {"Text2", "Label2", "Diam. (mm)", "rod diameter in mm", 3, 4, 1, 1, 100, true},
    {"Text8", "Label8", "f (MHz)", "operating frequency in MHz", 7, 8, 0.1, 0.1, 1000, false, true},
    {"Text45", "Label19", "Lcoil (\u00b5H)", "base loading coil in \u00b5H (0: none)", 30, 31, 1, 0,
     1000, true},
    {"Text17", "Label44", "Cfoot (pF)", "capacitance of the base insulator in pF", 11, 12, 1, 0,
     1000, true},
    {"Text4", "Label4", "AEloss (Ohm)", "antenna and earth loss resistance in Ohm", 5, 6, 1, 0,
     1000, true},
    {"Text43", "Label90", "Ptx (W)", "transmitter power in W", 9, 10, 1, 0, 5000, false},
    {"Text16", "Label49", "Cmin (pF)", "smallest matching capacitor you can build, in pF", 22, 23,
     1, 1, 10000, false},
    {"Text29", "Label50", "Cmax (pF)", "largest matching capacitor you can build, in pF", 24, 25, 1,
     1, 10000, false},
    {"Text33", "Label54", "Lmax (\u00b5H)", "largest matching inductor you can build, in \u00b5H",
     26, 27, 1, 1, 1000, false},
    {"Text41", "Label87", "Mloss (Ohm)", "loss resistance of the matching network in Ohm", 28, 29,
     1, 0, 1000, false},
}};

inline constexpr int kAntennaInputCount = 7;
inline constexpr std::size_t kFrequencyField = 2;  // Text8

// Held flags are kept in the order Command1 .. Command12, Command22 .. Command31.
inline constexpr int HeldFlagIndex(int buttonNumber) {
    return buttonNumber <= 12 ? buttonNumber - 1 : buttonNumber - 22 + 12;
}
