#include "figure/DrawPicture.h"

#include "figure/DrawProjection.h"
#include "figure/PlotPoles.h"

void DrawNet(DrawingSurface& surface, const PictureSettings& settings)
{
    surface.Cls();
    // Before start-up has chosen a view there is nothing to draw.
    if (settings.view)
        DrawProjection(surface, settings.lineWidth, *settings.view);
}

void DrawPicture(DrawingSurface& surface, const PictureSettings& settings, const PoleStore& store)
{
    DrawNet(surface, settings);
    if (settings.view)
        PlotPoles(surface, store, *settings.view, settings.plotSize);
}
