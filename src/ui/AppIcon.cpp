#include "ui/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

QImage AppIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 64.0;
    const QPointF c(size / 2.0, size / 2.0);
    const double r = 29.0 * s;

    p.setPen(QPen(QColor(20, 40, 110), 2.4 * s));
    p.setBrush(QColor(250, 250, 244));
    p.drawEllipse(c, r, r);

    // Everything else stays inside the primitive circle, as on the real net.
    QPainterPath inside;
    inside.addEllipse(c, r, r);
    p.setClipPath(inside);
    p.setBrush(Qt::NoBrush);

    // The {100} zones through the centre: the two axes and the two diagonals.
    p.setPen(QPen(QColor(40, 70, 150), 1.3 * s));
    p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
    const double d = r / std::sqrt(2.0);
    p.drawLine(QPointF(c.x() - d, c.y() - d), QPointF(c.x() + d, c.y() + d));
    p.drawLine(QPointF(c.x() - d, c.y() + d), QPointF(c.x() + d, c.y() - d));

    // Great circles whose poles lie 45 degrees from the centre project to
    // circles of radius r * sqrt 2 centred r away from the centre.
    const double big = r * std::sqrt(2.0);
    for (const QPointF offset : { QPointF(r, 0), QPointF(-r, 0), QPointF(0, r), QPointF(0, -r) })
        p.drawEllipse(c + offset, big, big);

    // The poles of {100} and {111}.
    p.setClipping(false);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 30));
    const double dot = 3.2 * s;
    p.drawEllipse(c, dot, dot);
    for (const QPointF e : { QPointF(r, 0), QPointF(-r, 0), QPointF(0, r), QPointF(0, -r) })
        p.drawEllipse(c + e, dot, dot);
    // (111) lies where the diagonal meets the {110} circles: tan(theta/2) with theta = 54.74 deg.
    const double t = r * std::tan(std::acos(1.0 / std::sqrt(3.0)) / 2.0) / std::sqrt(2.0);
    p.setBrush(QColor(30, 140, 60));
    for (const QPointF e : { QPointF(t, t), QPointF(-t, t), QPointF(t, -t), QPointF(-t, -t) })
        p.drawEllipse(c + e, 2.4 * s, 2.4 * s);
    return image;
}

QIcon AppIcon()
{
    QIcon icon;
    for (int size : { 16, 32, 48, 64 })
        icon.addPixmap(QPixmap::fromImage(AppIconImage(size)));
    return icon;
}
