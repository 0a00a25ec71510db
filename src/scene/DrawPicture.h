#pragma once

#include "poles/PoleStore.h"
#include "scene/Scene.h"
#include "surface/DisplaySettings.h"
#include "surface/DrawingSurface.h"

// Everything besides the store that decides the picture: the scene and the
// two display settings.
struct PictureSettings
{
    Scene scene;
    DisplaySettings display;
    bool operator==(const PictureSettings&) const = default;
};

// Draws the scene's layers, the paper's and then the crystal's net, with
// the line width, over whatever the surface holds.
void DrawLayers(DrawingSurface& surface, const Scene& scene, int lineWidth);

// Clears the surface and draws the net of the scene.
void DrawNet(DrawingSurface& surface, const PictureSettings& settings);

// The same in two steps: clearing the surface and drawing what is fixed to
// the paper, which a turn of the crystal leaves as it is (the free view's
// primitive circle and Wulff net; nothing in the documented views), then
// the crystal's net over it.
void DrawPaper(DrawingSurface& surface, const PictureSettings& settings);
void DrawNetOverPaper(DrawingSurface& surface, const PictureSettings& settings);
// Everything the paper depends on: settings with equal papers draw the same
// paper.
struct Paper
{
    Frame frame;
    Layers layers;
    int lineWidth = 1;
    bool operator==(const Paper&) const = default;
    // Whether its pixels are worth keeping while the crystal turns over it.
    bool costly() const;
};
Paper PaperOf(const PictureSettings& settings);

// Plots the stored entries from the first on: the documented views' marks
// as they always were, the free view's as a figure's.
void PlotEntries(DrawingSurface& surface, const PictureSettings& settings, const PoleStore& store,
    int first = 0);

// Draws the whole picture afresh: the net, then every stored entry.
void DrawPicture(DrawingSurface& surface, const PictureSettings& settings, const PoleStore& store);
