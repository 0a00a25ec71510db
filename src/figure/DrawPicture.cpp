#include "figure/DrawPicture.h"

#include "figure/DrawProjection.h"
#include "figure/GeneratedNet.h"
#include "figure/PlotPoles.h"

std::optional<Paper> PaperOf(const PictureSettings& settings)
{
    if (!settings.view || settings.view->net != NetKind::Generated)
        return std::nullopt;
    return Paper { settings.view->projector.frame(), settings.display.lineWidth,
        settings.view->netOptions.wulffNet };
}

void DrawPaper(DrawingSurface& surface, const PictureSettings& settings)
{
    surface.Cls();
    if (const std::optional<Paper> paper = PaperOf(settings))
        DrawGeneratedPaper(surface, paper->lineWidth, paper->frame, settings.view->netOptions);
}

void DrawNetOverPaper(DrawingSurface& surface, const PictureSettings& settings)
{
    // Before start-up has chosen a view there is nothing to draw.
    if (!settings.view)
        return;
    if (settings.view->net == NetKind::Generated)
        DrawGeneratedCrystal(surface, settings.display.lineWidth, settings.view->projector,
            settings.view->netOptions);
    else
        DrawProjection(surface, settings.display.lineWidth, *settings.view);
}

void DrawNet(DrawingSurface& surface, const PictureSettings& settings)
{
    DrawPaper(surface, settings);
    DrawNetOverPaper(surface, settings);
}

void DrawPicture(DrawingSurface& surface, const PictureSettings& settings, const PoleStore& store)
{
    DrawNet(surface, settings);
    if (settings.view)
        PlotPoles(surface, store, *settings.view, settings.display.plotSize);
}
