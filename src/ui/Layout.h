#pragma once

#include "surface/PictureSize.h"

#include <QRect>
#include <QSize>
#include <algorithm>

// Where every control of both windows sits, in twips as the forms were laid
// out, and the one conversion to Qt's logical pixels.
namespace Layout {

// Nearest logical pixel; every value here is non-negative.
constexpr int Px(int twips)
{
    return (twips + PictureSize::TwipsPerPixel / 2) / PictureSize::TwipsPerPixel;
}

struct Twips
{
    int left;
    int top;
    int width;
    int height;
};

constexpr QRect ToPixels(Twips t)
{
    return QRect(Px(t.left), Px(t.top), Px(t.width), Px(t.height));
}
constexpr QSize ToPixels(int width, int height)
{
    return QSize(Px(width), Px(height));
}

// A caption whose font needs more than its box (CaptionSize) grows, its
// text keeping its left edge: to the right, and down into any room above
// floorTwips, the top of the control it names, or else up from there. The
// boxes overlap the controls below them by a pixel, which the ink must
// leave free.
constexpr QRect CaptionToPixels(Twips t, QSize needed, int floorTwips)
{
    QRect box = ToPixels(t);
    if (needed.width() > box.width())
        box.setWidth(needed.width());
    const int floor = std::min(box.bottom() + 1, Px(floorTwips));
    if (needed.height() > floor - box.top()) {
        if (box.top() + needed.height() <= Px(floorTwips))
            box.setHeight(needed.height());
        else
            box = QRect(box.left(), floor - needed.height(), box.width(), needed.height());
    }
    return box;
}

// The main window's client area, below the menu bar.
inline constexpr int ClientWidth = 12465;
inline constexpr int ClientHeight = 8805;

inline constexpr Twips Frame1 { 360, 120, 2295, 1095 };
// The letter labels are children of Frame1: relative to its top-left corner.
inline constexpr Twips Label2 { 360, 240, 135, 255 };
inline constexpr Twips Label1 { 1080, 240, 135, 255 };
inline constexpr Twips Label3 { 1800, 240, 135, 255 };
inline constexpr Twips txtAxisX { 600, 720, 375, 270 };
inline constexpr Twips txtAxisY { 1320, 720, 375, 270 };
inline constexpr Twips txtAxisZ { 2040, 720, 375, 270 };
// A crystal written in four indices (h k i l) takes four boxes over the
// same span, each under its letter; the documented views keep their three.
inline constexpr Twips txtAxisFour[4] = { { 600, 720, 375, 270 }, { 1080, 720, 375, 270 },
    { 1560, 720, 375, 270 }, { 2040, 720, 375, 270 } };
inline constexpr Twips LabelFour[4] = { { 360, 240, 135, 255 }, { 840, 240, 135, 255 },
    { 1320, 240, 135, 255 }, { 1800, 240, 135, 255 } };
inline constexpr Twips cmdDraw { 3000, 480, 975, 495 };
inline constexpr Twips cmdClear { 4200, 480, 975, 495 };
inline constexpr Twips cmdCopy { 5400, 480, 975, 495 };
inline constexpr Twips Label4 { 6600, 480, 1335, 255 };
inline constexpr Twips cboPlotSize { 6840, 720, 735, 300 };
inline constexpr Twips Label5 { 8040, 480, 1335, 255 };
inline constexpr Twips cboLineWidth { 8280, 720, 735, 300 };
// Shown only while the free view holds two crystals: which one the boxes
// plot into.
inline constexpr Twips lblCrystal { 3000, 1140, 495, 255 };
inline constexpr Twips cboCrystal { 3480, 1080, 1695, 300 };
inline constexpr Twips picPictureBox { 120, 1680, PictureSize::WidthTwips,
    PictureSize::HeightTwips };
inline constexpr Twips Label6 { 7440, 1440, 1335, 255 };
inline constexpr Twips txtIndexList { 7320, 1680, 2055, 7000 };
inline constexpr Twips lblAngle1 { 9600, 1080, 735, 615 };
inline constexpr Twips lblAngle2 { 10440, 1080, 735, 615 };
inline constexpr Twips lblAngle3 { 11280, 1080, 735, 615 };
inline constexpr Twips txtAngleList { 9480, 1680, 2895, 7000 };

// Where the picture and the two lists lie in a client area of any size, in
// logical pixels. At the documented size, exactly as laid out; larger, the
// lists widen first until lines as long as the ones given (at least the
// documented widths) fit unwrapped, the picture grows with the rest,
// keeping its aspect, and what it leaves goes to the lists in halves. The
// top row stays where it is.
struct Arrangement
{
    QRect picture;
    QRect indexList;
    QRect angleList;
};
inline Arrangement Arrange(QSize client, int indexWidth, int angleWidth)
{
    const QRect picture = ToPixels(picPictureBox);
    const QRect index = ToPixels(txtIndexList);
    const QRect angles = ToPixels(txtAngleList);
    const int extraWidth = std::max(0, client.width() - Px(ClientWidth));
    const int extraHeight = std::max(0, client.height() - Px(ClientHeight));
    const int angleGrowth = std::clamp(angleWidth - angles.width(), 0, extraWidth);
    const int indexGrowth = std::clamp(indexWidth - index.width(), 0, extraWidth - angleGrowth);
    const int widest = picture.width() + extraWidth - angleGrowth - indexGrowth;
    const int tallest = picture.height() + extraHeight;
    // The box keeps the aspect of its documented pixels, 475 by 467.
    const int width = std::clamp(tallest * picture.width() / picture.height(), picture.width(),
        std::max(widest, picture.width()));
    const int height = (width * picture.height() + picture.width() - 1) / picture.width();
    Arrangement a;
    a.picture = QRect(picture.topLeft(), QSize(width, height));
    const int listsHeight = index.height() + extraHeight;
    const int left = widest - width;
    a.indexList = QRect(index.left() + width - picture.width(), index.top(),
        index.width() + indexGrowth + left / 2, listsHeight);
    a.angleList = QRect(angles.left() + a.indexList.right() - index.right(), angles.top(),
        angles.width() + angleGrowth + left - left / 2, listsHeight);
    return a;
}

// The version dialog.
inline constexpr int AboutClientWidth = 3150;
inline constexpr int AboutClientHeight = 2610;
inline constexpr Twips picIcon { 1080, 0, 1020, 1020 };
inline constexpr Twips lblTitle { 795, 1140, 1605, 240 };
inline constexpr Twips lblVersion { 795, 1485, 1605, 225 };
inline constexpr Twips lblDescription { 75, 1830, 3045, 210 };
inline constexpr Twips cmdOK { 900, 2160, 1380, 345 };

static_assert(Px(picPictureBox.width) == PictureSize::WidthPixels
    && Px(picPictureBox.height) == PictureSize::HeightPixels);

} // namespace Layout
