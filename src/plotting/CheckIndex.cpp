#include "plotting/CheckIndex.h"
