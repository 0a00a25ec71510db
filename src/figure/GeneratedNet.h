#pragma once

#include "figure/Layer.h"

// The layers of the net generated for any crystal. Fixed to the paper, so
// that they stay as the crystal turns: the primitive circle and a Wulff
// net. The crystal's own: the zone circles of its zone axes with indices up
// to 1, and the poles of the planes with indices up to the net's limit
// (or of the reflections a space group allows), labelled where a label fits.
extern const Layer& PrimitiveCircleLayer;
extern const Layer& WulffNetLayer;
extern const Layer& ZoneCirclesLayer;
extern const Layer& NetPolesLayer;
