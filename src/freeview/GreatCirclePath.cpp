#include "freeview/GreatCirclePath.h"

#include "painting/PainterPath.h"
#include "projection/CurvePath.h"

QPainterPath GreatCirclePath(const Frame& frame, const Vector3& normal)
{
    const CurvePath curve = GreatCircleCurve(frame, frame.kind, normal);
    if (curve.empty())
        return {};
    return ToPainterPath(curve.start, curve.pieces);
}
