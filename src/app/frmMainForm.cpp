#include "app/frmMainForm.h"
