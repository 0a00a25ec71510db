#include "freeview/GreatCirclePath.h"

#include "projection/CurvePath.h"
#include "surface/PictureSize.h"

QPainterPath GreatCirclePath(const Frame& frame, const Vector3& normal)
{
    // Qt's own ellipses stray by a pixel and more on the huge circles of
    // near-diameters: the path takes the exact curve's Beziers instead.
    QPainterPath path;
    const CurvePath curve = GreatCircleCurve(frame, ProjectionKind::Stereographic, normal);
    if (curve.empty())
        return path;
    const auto at = [](TwipsPoint t) { return QPointF(t.x, t.y) / PictureSize::TwipsPerPixel; };
    path.moveTo(at(curve.start));
    for (const PathPiece& piece : curve.pieces) {
        if (piece.kind == PathPiece::Kind::Line)
            path.lineTo(at(piece.to));
        else
            path.cubicTo(at(piece.control1), at(piece.control2), at(piece.to));
    }
    return path;
}
