#include "app/UserDialogs.h"
