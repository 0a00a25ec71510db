#include "drawing/DrawProjection.h"
