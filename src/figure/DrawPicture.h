#pragma once

#include "poles/PoleStore.h"
#include "projection/View.h"
#include "surface/DrawingSurface.h"

#include <QString>
#include <optional>

// Everything besides the store that decides the picture: the view (none
// before start-up has chosen one) and the two display settings, as their
// texts stand.
struct PictureSettings
{
    std::optional<View> view;
    QString lineWidth;
    QString plotSize;
    bool operator==(const PictureSettings&) const = default;
};

// Clears the surface and draws the net of the view with its line width.
void DrawNet(DrawingSurface& surface, const PictureSettings& settings);
// Draws the whole picture afresh: the net, then every stored entry.
void DrawPicture(DrawingSurface& surface, const PictureSettings& settings, const PoleStore& store);
