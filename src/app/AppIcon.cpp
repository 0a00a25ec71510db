#include "app/AppIcon.h"
