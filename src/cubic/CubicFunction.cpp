#include "cubic/CubicFunction.h"
