#include "drawing/PainterSurface.h"
