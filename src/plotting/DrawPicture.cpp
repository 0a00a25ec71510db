#include "plotting/DrawPicture.h"

#include "poles/PlotPoles.h"
#include "views/DrawProjection.h"

void DrawPicture(DrawingSurface& surface, const PictureSettings& settings, const PoleStore& store)
{
    surface.Cls();
    DrawProjection(surface, settings.lineWidth, settings.crystalSystem, settings.symmetryMode);
    PlotPoles(surface, store, settings.plotSize);
}
