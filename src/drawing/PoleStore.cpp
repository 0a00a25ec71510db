#include "drawing/PoleStore.h"
