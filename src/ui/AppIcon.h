#pragma once

#include <QIcon>
#include <QImage>

// The program's own icon, drawn in code: a tiny full cubic standard
// projection (primitive circle, the {100} and {110} great circles, the {100}
// poles), 64 x 64 pixels.
QImage AppIconImage(int size = 64);
QIcon AppIcon();
