#include "figure/DrawProjection.h"

#include "figure/DocumentedNets.h"
#include "figure/GeneratedNet.h"

void DrawProjection(DrawingSurface& surface, int lineWidth, const View& view)
{
    switch (view.net) {
    case NetKind::CubicSym:
        DrawCubicSymNet(surface, lineWidth);
        break;
    case NetKind::CubicFull:
        DrawCubicFullNet(surface, lineWidth);
        break;
    case NetKind::HexSym:
        DrawHexSymNet(surface, lineWidth);
        break;
    case NetKind::HexFull:
        DrawHexFullNet(surface, lineWidth);
        break;
    case NetKind::Generated:
        DrawGeneratedNet(surface, lineWidth, view.projector, view.netOptions);
        break;
    }
}
