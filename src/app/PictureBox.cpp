#include "app/PictureBox.h"
