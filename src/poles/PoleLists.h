#pragma once

#include "poles/PoleStore.h"
#include "projection/View.h"

#include <QString>

// The angle with exactly three decimals, rounded half to even, with a
// leading space below 10 degrees so that the decimal points line up.
QString FormatAngle(double angle);

// One line of the index list, with its CR LF: "(h k l)", "(h k i l)" in the
// hexagonal and trigonal systems, "[u v w]" or "[u v t w]" for a direction.
QString IndexLine(const Entry& entry, const View& view);
// One line of the angle list, with its CR LF: "(a1  a2  a3)".
QString AngleLine(const Entry& entry, const View& view);

// The two texts of the list boxes, one line per stored entry.
struct PoleLists
{
    QString indexList;
    QString angleList;
};
PoleLists BuildLists(const PoleStore& store, const View& view, int first = 0);
