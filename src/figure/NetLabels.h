#pragma once

#include "surface/DrawingSurface.h"

#include <span>

// A horizontal stroke over one digit of a label: a negative index.
struct Overbar
{
    double y, x1, x2;
};

// A pole label of a net: its text, the top-left corner of the text and the
// bars over its negative digits.
struct NetLabel
{
    const char* text;
    double x, y;
    int barCount;
    Overbar bars[2];
};

// Prints each label at its position, then draws its bars, in table order.
void DrawLabels(DrawingSurface& surface, std::span<const NetLabel> labels);
