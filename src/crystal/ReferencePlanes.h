#pragma once

#include "crystal/Lattice.h"
#include "crystal/Notation.h"

#include <QString>
#include <array>

// The three planes the angle list measures against, in column order, the
// names the tool tip gives them, the captions that head their columns (each
// name followed by the words "angle difference to") and the names a data
// file gives them, signed as indices are written: (10-10), not (1010).
struct ReferencePlanes
{
    std::array<Index3, 3> planes;
    std::array<QString, 3> names;
    std::array<QString, 3> captions;
    std::array<QString, 3> written;
};

// Cubic (100), (110), (111); hexagonal and trigonal (0001), (10-10),
// (11-20); tetragonal (001), (100), (110); the others (100), (010), (001).
const ReferencePlanes& ReferencesOf(LatticeSystem system);
