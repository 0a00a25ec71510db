#pragma once

#include "poles/PoleStore.h"
#include "projection/View.h"
#include "surface/DisplaySettings.h"
#include "surface/DrawingSurface.h"

#include <optional>

// Everything besides the store that decides the picture: the view (none
// before start-up has chosen one) and the two display settings.
struct PictureSettings
{
    std::optional<View> view;
    DisplaySettings display;
    bool operator==(const PictureSettings&) const = default;
};

// Clears the surface and draws the net of the view with its line width.
void DrawNet(DrawingSurface& surface, const PictureSettings& settings);

// The same in two steps: clearing the surface and drawing what is fixed to
// the paper, which a turn of the crystal leaves as it is (the free view's
// primitive circle and Wulff net; nothing in the documented views), then
// the rest of the net over it.
void DrawPaper(DrawingSurface& surface, const PictureSettings& settings);
void DrawNetOverPaper(DrawingSurface& surface, const PictureSettings& settings);
// Everything the paper depends on: settings with equal papers draw the same
// paper. None where the paper holds nothing.
struct Paper
{
    Frame frame;
    int lineWidth = 1;
    bool wulffNet = false;
    bool operator==(const Paper&) const = default;
};
std::optional<Paper> PaperOf(const PictureSettings& settings);

// Draws the whole picture afresh: the net, then every stored entry.
void DrawPicture(DrawingSurface& surface, const PictureSettings& settings, const PoleStore& store);
