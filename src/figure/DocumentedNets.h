#pragma once

#include "figure/Layer.h"
#include "surface/DrawingSurface.h"

// The four documented nets, each beginning by setting the line width.
// The standard triangle of the cubic view with symmetry.
void DrawCubicSymNet(DrawingSurface& surface, int lineWidth);
// The whole cubic standard projection centred on (100).
void DrawCubicFullNet(DrawingSurface& surface, int lineWidth);
// The 30-degree sector of the hexagonal view with symmetry.
void DrawHexSymNet(DrawingSurface& surface, int lineWidth);
// The whole hexagonal standard projection centred on (0001).
void DrawHexFullNet(DrawingSurface& surface, int lineWidth);

// A documented net as a layer of its view: a fixed figure, whatever the
// projector.
class DocumentedNetLayer : public Layer
{
public:
    using Draw = void (*)(DrawingSurface& surface, int lineWidth);
    explicit DocumentedNetLayer(Draw net)
        : m_draw(net)
    {
    }
    void draw(DrawingSurface& surface, const Projector&, const LayerOptions& options) const override
    {
        m_draw(surface, options.lineWidth);
    }

private:
    Draw m_draw;
};

extern const DocumentedNetLayer CubicSymNetLayer;
extern const DocumentedNetLayer CubicFullNetLayer;
extern const DocumentedNetLayer HexSymNetLayer;
extern const DocumentedNetLayer HexFullNetLayer;
