#pragma once

#include <QColor>
#include <QImage>
#include <cmath>
#include <vector>

// Filled circles rendered once and drawn wherever a marker of their size
// goes: drawing an image is far cheaper than rasterising an ellipse, and
// 32767 markers come in a handful of sizes.
class DiscCache
{
public:
    struct Disc
    {
        double radiusTwips = 0.0;
        int width = 0;
        // The circle's centre lies on pixel (centre, centre) of the image,
        // or half a pixel past it for an odd pen in device pixels.
        int centre = 0;
        QImage image;
    };

    // The disc of this radius in twips and outline width in pixels, in the
    // ink, at the device pixel ratio; made on first use.
    const Disc& disc(double radiusTwips, int width, qreal ratio, const QColor& ink);
    // Forgets the discs, which carry their ink and ratio.
    void clear() { m_discs.clear(); }

private:
    std::vector<Disc> m_discs;
};

// Whether a pen of this width lies on half-pixel centres, an odd number of
// device pixels wide: the offset at which lines and discs are snapped.
inline double PenOffset(int width, qreal ratio)
{
    return (std::lround(width * ratio) % 2 == 1) ? 0.5 : 0.0;
}
