#include "plotting/DrawPicture.h"

#include "poles/PlotPoles.h"
#include "views/DrawProjection.h"

void DrawNet(DrawingSurface& surface, const PictureSettings& settings)
{
    surface.Cls();
    DrawProjection(surface, settings.lineWidth, settings.crystalSystem, settings.symmetryMode);
}

void DrawPicture(DrawingSurface& surface, const PictureSettings& settings, const PoleStore& store)
{
    DrawNet(surface, settings);
    PlotPoles(surface, store, settings.plotSize);
}
