#pragma once

#include <array>

#include "core/Matching.h"

// The six network boxes of the matching area, in screen order.
struct NetworkBoxSpec {
    Network network;
    const char* option;
    const char* box;  // the box is a label whose caption stands at its top left
    const char* caption;
    const char* picture;
    const char* cLabel;
    const char* cField;
    const char* c2Label;  // nullptr for the two-element networks
    const char* c2Field;
    const char* lLabel;
    const char* lField;
};

inline constexpr std::array<NetworkBoxSpec, 6> kNetworkBoxes = {{
    {Network::HpCl, "Option4", "Label45", " HP-CL", "Picture2", "Label15", "Text11", nullptr,
     nullptr, "Label16", "Text12"},
    {Network::HpLc, "Option5", "Label48", " HP-LC", "Picture3", "Label46", "Text13", nullptr,
     nullptr, "Label47", "Text14"},
    {Network::HpClc, "Option6", "Label14", " HP-CLC (DIFFERENTIAL C)", "Picture4", "Label51",
     "Text30", "Label53", "Text32", "Label52", "Text31"},
    {Network::LpCl, "Option9", "Label76", " LP-CL", "Picture6", "Label78", "Text34", nullptr,
     nullptr, "Label79", "Text35"},
    {Network::LpLc, "Option10", "Label77", " LP-LC", "Picture7", "Label80", "Text36", nullptr,
     nullptr, "Label81", "Text37"},
    {Network::LpClc, "Option11", "Label82", " LP-CLC (PI-FILTER)", "Picture8", "Label83", "Text38",
     "Label84", "Text39", "Label85", "Text40"},
}};
