// Renders the program's SVG icon as the PNG that desktops find in the icon
// theme at one size, so every installed size is the picture the window shows.
#include "ui/AppIcon.h"

#include <QString>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const int size = QString::fromLocal8Bit(argv[1]).toInt();
    if (size <= 0)
        return 2;
    return AppIconImage(size).save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
