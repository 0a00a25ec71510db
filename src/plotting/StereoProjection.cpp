#include "plotting/StereoProjection.h"
