#pragma once

#include "surface/DrawingSurface.h"

#include <QString>
#include <cstdint>

// Draws the net of the current view: cubic (1) or hexagonal (2), with
// symmetry (1) or the full circle (any other mode). Draws nothing for an
// unknown crystal system.
void DrawProjection(
    DrawingSurface& surface, const QString& lineWidth, int16_t crystalSystem, int16_t symmetryMode);
