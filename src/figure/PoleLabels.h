#pragma once

#include "crystal/Notation.h"
#include "figure/NetPoles.h"
#include "surface/DrawingSurface.h"

#include <span>

// What the labels of the generated net assume of the label font, in twips
// from the corner a text is printed at: "(" and ")" half a digit wide, a
// digit 100 wide (so a digit's left is at 50 + 100 n after a "("), the
// overbars 20 above the text's top, and all of it, bars included, between
// LabelTop and LabelBottom.
namespace LabelFont {
inline constexpr double Paren = 50.0;
inline constexpr double Digit = 100.0;
inline constexpr double BarRise = 20.0;
inline constexpr double BarLength = 70.0;
inline constexpr double LabelTop = -30.0;
inline constexpr double LabelBottom = 205.0;
// Between the numbers of a label that has a two-digit index, each number
// printed as a text of its own so that the bars still know their digits.
inline constexpr double NumberGap = 50.0;
} // namespace LabelFont

// Labels the poles in their order, each beside its pole where it covers no
// label placed before it and stays inside the picture (0 to 7000 twips
// both ways); a pole with no such place is left unlabelled. Bars over the
// negative indices are lines of the current width.
void DrawPoleLabels(DrawingSurface& surface, std::span<const NetPole> poles, bool fourIndices);

// A plotted entry's own index, "(h k l)" or "[u v w]" (four indices where
// the crystal takes them), to the right of its mark of the given radius,
// in the text style set.
void PrintEntryLabel(DrawingSurface& surface, IndexKind kind, const Index3& index, bool fourIndices,
    TwipsPoint mark, double markRadius);

// A variant's number below and to the left of its mark, in the text style set.
void PrintVariantNumber(DrawingSurface& surface, int variant, TwipsPoint mark, double markRadius);
