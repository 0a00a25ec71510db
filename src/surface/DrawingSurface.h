#pragma once

#include "surface/PathPiece.h"

#include <cstdint>
#include <span>
#include <string_view>

// How strongly lines, arcs and open circles are inked: fully, or faintly, as
// the fine lines of a reading grid that must not hide what lies on it.
enum class Tone : int8_t { Full, Faint };

// How a text is set: plainly, as the documented views print it, or for a
// figure over a thin knock-out of the background so that no line crosses
// it, bold for a plotted entry's own index, italic for the second crystal's.
enum class TextStyle : int8_t { Plain, Haloed, HaloedBold, HaloedItalic, HaloedBoldItalic };

// The drawing operations the nets and the pole markers use on the picture box.
// Coordinates and radii are twips of the picture (origin top-left, y down);
// arc angles are radians, counterclockwise on screen from +x. Plain values
// only, so that a surface that records the calls needs no painting at all.
class DrawingSurface
{
public:
    virtual ~DrawingSurface() = default;

    // Fills everything with the background colour and puts CurrentX/CurrentY at 0.
    virtual void Cls() = 0;
    // The pen width in pixels, 1 to MaxLineWidth; any other keeps the pen.
    virtual void SetDrawWidth(int width) = 0;
    virtual void Line(double x1, double y1, double x2, double y2) = 0;
    // A whole circle, filled with the fill colour while FillStyle is 0.
    virtual void Circle(double cx, double cy, double r) = 0;
    // Only the arc from start to end (start < end); arcs are never filled.
    virtual void Arc(double cx, double cy, double r, double start, double end) = 0;
    // A curve from start through each piece in turn, never filled: lines
    // and Bezier curves whose controls the pieces carry, so that a curve
    // of any radius is drawn where it lies.
    virtual void Path(TwipsPoint start, std::span<const PathPiece> pieces) = 0;
    virtual void SetFillStyle(int16_t style) = 0;
    // Markers and text are always inked fully, whatever the tone.
    virtual void SetTone(Tone tone) = 0;
    virtual void SetCurrentX(double x) = 0;
    virtual void SetCurrentY(double y) = 0;
    // Top-left corner of the first character cell at (CurrentX, CurrentY);
    // the labels are ASCII: indices, brackets and bars drawn as lines.
    virtual void Print(std::string_view text) = 0;
    // Plain until set.
    virtual void SetTextStyle(TextStyle style) = 0;
    // Which ink lines, marks and text take: 0 the picture's own (until
    // set), 1 the second crystal's colour, which reads on a light or a dark
    // background alike.
    virtual void SetInkColour(int16_t colour) = 0;
    // Clears a disc to the background colour, so that a mark drawn on it
    // stands clear of the lines and labels beneath.
    virtual void KnockOut(double cx, double cy, double r) = 0;
};
