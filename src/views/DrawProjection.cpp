#include "views/DrawProjection.h"

#include "cubic/CubicFunction.h"
#include "hexagonal/HexagonalFunction.h"
#include "views/View.h"

void DrawProjection(
    DrawingSurface& surface, const QString& lineWidth, int16_t crystalSystem, int16_t symmetryMode)
{
    // Before start-up has chosen a view there is nothing to draw.
    const std::optional<View> view = ViewOf(crystalSystem, symmetryMode);
    if (!view)
        return;
    switch (*view) {
    case View::CubicSym:
        DrawCubicSymNet(surface, lineWidth);
        break;
    case View::CubicFull:
        DrawCubicFullNet(surface, lineWidth);
        break;
    case View::HexSym:
        DrawHexSymNet(surface, lineWidth);
        break;
    case View::HexFull:
        DrawHexFullNet(surface, lineWidth);
        break;
    }
}
