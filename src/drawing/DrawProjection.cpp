#include "drawing/DrawProjection.h"

#include "cubic/CubicFunction.h"
#include "hexagonal/HexagonalFunction.h"

void DrawProjection(
    DrawingSurface& surface, const QString& lineWidth, int16_t crystalSystem, int16_t symmetryMode)
{
    const bool withSymmetry = symmetryMode == 1;
    switch (crystalSystem) {
    case 1:
        if (withSymmetry)
            DrawCubicSymNet(surface, lineWidth);
        else
            DrawCubicFullNet(surface, lineWidth);
        break;
    case 2:
        if (withSymmetry)
            DrawHexSymNet(surface, lineWidth);
        else
            DrawHexFullNet(surface, lineWidth);
        break;
    default:
        // Only before start-up has chosen a view; there is nothing to draw yet.
        break;
    }
}
