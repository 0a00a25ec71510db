#include "drawing/PoleLists.h"
