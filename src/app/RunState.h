#pragma once

#include "poles/PoleStore.h"

#include <cstdint>

// What one run of the program knows: the current view and the plotted poles.
// It lives as long as the program and belongs to no window.
struct RunState
{
    int16_t CrystalSystem = 0; // 1 cubic, 2 hexagonal
    int16_t SymmetryMode = 0; // 1 with symmetry, anything else the full view
    PoleStore store;
};
