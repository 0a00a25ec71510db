#pragma once

#include "crystal/Lattice.h"
#include "crystal/Symmetry.h"

#include <QString>
#include <span>

// A crystal to start from, with its lattice at room temperature and its
// space group.
struct CrystalPreset
{
    QString name;
    LatticeSystem system;
    LatticeParameters parameters;
    SpaceGroup spaceGroup;
};

// Aluminium, copper, alpha iron, silicon, magnesium, titanium, zinc,
// zirconium and beta tin; their source is named in the README.
std::span<const CrystalPreset> CrystalPresets();
