#include "plotting/DrawCommand.h"
