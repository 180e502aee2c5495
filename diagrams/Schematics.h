#pragma once

#include "core/Matching.h"

class PictureBox;

// A small circuit picture of a network: transmitter (TRX, 50 Ohm) on the left, the
// elements in between, the antenna (ANT) on the right. Fits a 120 x 72 picture box.
void DrawSchematic(PictureBox& picture, Network network);

// Draws it now and again whenever the picture's pixel ratio changes.
void KeepSchematic(PictureBox& picture, Network network);
