#include "Pixels.h"

#include "surface/PictureSize.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Pixels {

QPoint DevicePixel(const QImage& image, double xTwips, double yTwips)
{
    const double scale = image.devicePixelRatio() / PictureSize::TwipsPerPixel;
    return { int(std::floor(xTwips * scale)), int(std::floor(yTwips * scale)) };
}

bool DarkAt(const QImage& image, int x, int y)
{
    return image.rect().contains(x, y) && qGray(image.pixel(x, y)) < 128;
}

bool DarkNear(const QImage& image, double xTwips, double yTwips, int tolerance)
{
    const QPoint p = DevicePixel(image, xTwips, yTwips);
    for (int dy = -tolerance; dy <= tolerance; ++dy)
        for (int dx = -tolerance; dx <= tolerance; ++dx)
            if (DarkAt(image, p.x() + dx, p.y() + dy))
                return true;
    return false;
}

int MaxChannelDifference(const QImage& a, const QImage& b)
{
    const QImage first = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage second = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int worst = 0;
    for (int y = 0; y < first.height(); ++y) {
        const auto* la = reinterpret_cast<const QRgb*>(first.constScanLine(y));
        const auto* lb = reinterpret_cast<const QRgb*>(second.constScanLine(y));
        for (int x = 0; x < first.width(); ++x) {
            worst = std::max({ worst, std::abs(qRed(la[x]) - qRed(lb[x])),
                std::abs(qGreen(la[x]) - qGreen(lb[x])), std::abs(qBlue(la[x]) - qBlue(lb[x])),
                std::abs(qAlpha(la[x]) - qAlpha(lb[x])) });
        }
    }
    return worst;
}

int DifferingPixels(const QImage& a, const QImage& b, int tolerance)
{
    const QImage first = a.convertToFormat(QImage::Format_ARGB32);
    const QImage second = b.convertToFormat(QImage::Format_ARGB32);
    int differing = 0;
    for (int y = 0; y < first.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(first.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(second.constScanLine(y));
        for (int x = 0; x < first.width(); ++x)
            differing += p[x] != q[x]
                && (std::abs(qRed(p[x]) - qRed(q[x])) > tolerance
                    || std::abs(qGreen(p[x]) - qGreen(q[x])) > tolerance
                    || std::abs(qBlue(p[x]) - qBlue(q[x])) > tolerance
                    || std::abs(qAlpha(p[x]) - qAlpha(q[x])) > tolerance);
    }
    return differing;
}

} // namespace Pixels
