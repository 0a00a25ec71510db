#pragma once

#include <QImage>
#include <QPoint>

// Pixel checks shared by the picture tests, the soak and the benchmark: a
// few pixels at known places, with a tolerance, rather than golden images.
namespace Pixels {

// The device pixel of the image that covers a point given in twips.
QPoint DevicePixel(const QImage& image, double xTwips, double yTwips);
// Inked: inside the image and darker than mid-grey.
bool DarkAt(const QImage& image, int x, int y);
// Antialiasing and rounding may move a thin line by a pixel or two.
bool DarkNear(const QImage& image, double xTwips, double yTwips, int tolerance = 2);
// The largest difference of any channel between two images of one size.
int MaxChannelDifference(const QImage& a, const QImage& b);
// How many pixels of two images of one size differ at all.
// Pixels whose colour differs in some channel by more than tolerance.
int DifferingPixels(const QImage& a, const QImage& b, int tolerance = 0);

} // namespace Pixels
