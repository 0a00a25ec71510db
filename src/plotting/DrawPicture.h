#pragma once

#include "poles/PoleStore.h"
#include "surface/DrawingSurface.h"

#include <QString>
#include <cstdint>

// Everything besides the store that decides the picture: the view and the
// two display settings, as their texts stand.
struct PictureSettings
{
    int16_t crystalSystem = 1;
    int16_t symmetryMode = 1;
    QString lineWidth;
    QString plotSize;
    bool operator==(const PictureSettings&) const = default;
};

// Clears the surface and draws the net of the view with its line width.
void DrawNet(DrawingSurface& surface, const PictureSettings& settings);
// Draws the whole picture afresh: the net, then every stored pole.
void DrawPicture(DrawingSurface& surface, const PictureSettings& settings, const PoleStore& store);
