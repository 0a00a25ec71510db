#pragma once

#include "poles/EntryGeometry.h"
#include "poles/PoleStore.h"

#include <QString>

#include <span>

class Lattice;

// The angle with exactly three decimals, rounded half to even, with a
// leading space below 10 degrees so that the decimal points line up.
QString FormatAngle(double angle);

// One line of the index list: "(h k l)", "(h k i l)" in the hexagonal and
// trigonal systems, "[u v w]" or "[u v t w]" for a direction.
QString IndexLine(const Entry& entry, const Lattice& lattice);
// One line of the angle list: "(a1  a2  a3)".
QString AngleLine(
    const Entry& entry, const Lattice& lattice, PlaneAngles planeAngles = PlaneAngles::Full);

// The two texts of the list boxes, one line per stored entry from the
// first on, each line ending in CR LF.
struct PoleLists
{
    QString indexList;
    QString angleList;
};
// With a second crystal's lattice, each index line begins with its
// crystal, "1:" or "2:", and each entry reads in its own lattice.
PoleLists BuildLists(const PoleStore& store, const Lattice& lattice, int first = 0,
    PlaneAngles planeAngles = PlaneAngles::Full, const Lattice* second = nullptr);
// The lines of these entries alone, as the store's lines would read them.
PoleLists BuildLists(std::span<const Entry> entries, const Lattice& lattice,
    PlaneAngles planeAngles = PlaneAngles::Full, const Lattice* second = nullptr);
