#include "about/frmAbout.h"
