// Writes the program's own icon as the PNG that desktops find in the icon
// theme, so the installed icon is always the one the window shows.
#include "ui/AppIcon.h"

#include <QString>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    return AppIconImage(64).save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
