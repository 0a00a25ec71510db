#include "freeview/GreatCirclePath.h"

#include "surface/PictureSize.h"

#include <cmath>

QPainterPath GreatCirclePath(const Frame& frame, const Vector3& normal)
{
    QPainterPath path;
    const Vector3 n = Normalised(normal);
    if (!(Norm(n) > 0.0))
        return path;
    const double pixels = 1.0 / PictureSize::TwipsPerPixel;
    const QPointF centre(frame.x * pixels, frame.y * pixels);
    const double unit = frame.scale * pixels;
    if (std::fabs(n[0]) < 1e-9) {
        // Through the centre, across (n1, n2); projected y is drawn up.
        const QPointF across(-n[2], -n[1]);
        const double length = std::hypot(across.x(), across.y());
        const QPointF end = across * (2.0 * unit / length);
        path.moveTo(centre - end);
        path.lineTo(centre + end);
        return path;
    }
    const QPointF middle = centre + QPointF(2.0 * n[1] / n[0], -2.0 * n[2] / n[0]) * unit;
    const double radius = 2.0 / std::fabs(n[0]) * unit;
    path.addEllipse(middle, radius, radius);
    return path;
}
