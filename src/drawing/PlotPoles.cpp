#include "drawing/PlotPoles.h"
