#include "painting/PainterPath.h"

#include "surface/PictureSize.h"

QPainterPath ToPainterPath(TwipsPoint start, std::span<const PathPiece> pieces)
{
    const auto at = [](TwipsPoint t) { return QPointF(t.x, t.y) / PictureSize::TwipsPerPixel; };
    QPainterPath path;
    path.moveTo(at(start));
    for (const PathPiece& piece : pieces) {
        if (piece.kind == PathPiece::Kind::Line)
            path.lineTo(at(piece.to));
        else
            path.cubicTo(at(piece.control1), at(piece.control2), at(piece.to));
    }
    return path;
}
