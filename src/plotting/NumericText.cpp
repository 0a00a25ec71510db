#include "plotting/NumericText.h"
