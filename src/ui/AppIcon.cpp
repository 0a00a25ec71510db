#include "ui/AppIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

QImage AppIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/icons/orvandeler.svg"));
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

QIcon AppIcon()
{
    // Rendered through QSvgRenderer rather than loaded as a file, so the icon
    // needs no SVG icon-engine plugin at run time.
    QIcon fallback;
    for (int size : { 16, 24, 32, 48, 64, 128, 256 })
        fallback.addPixmap(QPixmap::fromImage(AppIconImage(size)));
    return QIcon::fromTheme(AppIconName, fallback);
}
