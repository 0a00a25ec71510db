#include "scene/DrawPicture.h"

#include "figure/PlotPoles.h"

#include <algorithm>

namespace {

void Draw(DrawingSurface& surface, const Layers& layers, const Scene& scene, int lineWidth)
{
    const Projector projector = scene.projector();
    const Crystal& crystal = scene.crystal;
    const LayerOptions options { lineWidth, crystal.net.limit,
        crystal.net.absences ? std::optional(crystal.group) : std::nullopt };
    for (const Layer* layer : layers)
        layer->draw(surface, projector, options);
}

// The second crystal's own net, over the first's, while one variant is
// drawn: the same layers, limit and absences, in its own style.
void DrawSecondNet(DrawingSurface& surface, const Scene& scene, int lineWidth)
{
    if (!scene.second || !scene.second->net || scene.second->allShown())
        return;
    const Projector projector = *scene.secondProjector();
    LayerOptions options { lineWidth, scene.crystal.net.limit,
        scene.crystal.net.absences ? std::optional(scene.second->group) : std::nullopt };
    options.second = true;
    surface.SetInkColour(scene.second->colour ? 1 : 0);
    for (const Layer* layer : scene.net)
        layer->draw(surface, projector, options);
    surface.SetInkColour(0);
}

} // namespace

bool Paper::costly() const
{
    return std::any_of(
        layers.begin(), layers.end(), [](const Layer* layer) { return layer->costly(); });
}

Paper PaperOf(const PictureSettings& settings)
{
    return { settings.scene.frame, settings.scene.paper, settings.display.lineWidth };
}

void DrawLayers(DrawingSurface& surface, const Scene& scene, int lineWidth)
{
    Draw(surface, scene.paper, scene, lineWidth);
    Draw(surface, scene.net, scene, lineWidth);
    DrawSecondNet(surface, scene, lineWidth);
}

void DrawPaper(DrawingSurface& surface, const PictureSettings& settings)
{
    surface.Cls();
    Draw(surface, settings.scene.paper, settings.scene, settings.display.lineWidth);
}

void DrawNetOverPaper(DrawingSurface& surface, const PictureSettings& settings)
{
    Draw(surface, settings.scene.net, settings.scene, settings.display.lineWidth);
    DrawSecondNet(surface, settings.scene, settings.display.lineWidth);
}

void DrawNet(DrawingSurface& surface, const PictureSettings& settings)
{
    DrawPaper(surface, settings);
    DrawNetOverPaper(surface, settings);
}

void PlotEntries(
    DrawingSurface& surface, const PictureSettings& settings, const PoleStore& store, int first)
{
    const DisplaySettings& display = settings.display;
    const Scene& scene = settings.scene;
    if (scene.isFree()) {
        std::vector<Projector> variants;
        if (scene.second && scene.second->allShown())
            for (int n = 1; n <= scene.second->variantCount(); ++n)
                variants.push_back(*scene.secondProjector(n));
        PlotFigurePoles(surface, store, scene.placer(), display.plotSize, display.indexLabels,
            first,
            { variants, scene.second && scene.second->variantNumbers,
                scene.second && scene.second->colour });
    } else
        PlotPoles(surface, store, scene.projector(), display.plotSize, first);
}

void DrawPicture(DrawingSurface& surface, const PictureSettings& settings, const PoleStore& store)
{
    DrawNet(surface, settings);
    PlotEntries(surface, settings, store);
}
