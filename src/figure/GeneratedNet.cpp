#include "figure/GeneratedNet.h"

void DrawGeneratedNet(DrawingSurface& surface, const QString& lineWidth, const Projector& projector,
    const NetOptions& options)
{
    (void)options;
    surface.SetDrawWidth(lineWidth);
    const Frame& frame = projector.frame();
    surface.Circle(frame.x, frame.y, 2.0 * frame.scale);
}
