#pragma once

#include "poles/PoleStore.h"

#include <QString>
#include <cstdint>

// The angle with exactly three decimals, rounded half to even, with a
// leading space below 10 degrees so that the decimal points line up.
QString FormatAngle(double angle);

// One line of the index list, with its CR LF: "(h k l)" or, for the
// hexagonal system, "(h k i l)".
QString IndexLine(const Pole& pole, int16_t crystalSystem);
// One line of the angle list, with its CR LF: "(a1  a2  a3)".
QString AngleLine(const Pole& pole);

// The two texts of the list boxes, one line per stored pole.
struct PoleLists
{
    QString indexList;
    QString angleList;
};
PoleLists BuildLists(const PoleStore& store, int16_t crystalSystem);
