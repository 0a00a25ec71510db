#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

// The icon's name in the icon theme: the desktop entry and the metainfo name
// the same one, so menus, software centres and the window agree.
inline const QString AppIconName = QStringLiteral("orvandeler");

// The program's own icon, rendered from its one SVG picture (a tiny full
// cubic standard projection) at size x size pixels.
QImage AppIconImage(int size = 64);
// The theme's icon of that name where one is installed, else the SVG's.
QIcon AppIcon();
