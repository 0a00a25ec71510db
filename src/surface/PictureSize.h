#pragma once

// The picture box's drawing area, in twips as the window was laid out, and
// the screen's 15 twips to the logical pixel (96 dots per inch).
namespace PictureSize {

inline constexpr int TwipsPerPixel = 15;
inline constexpr int WidthTwips = 7125;
inline constexpr int HeightTwips = 7000;
// The whole logical pixels that cover the area: 475 x 467.
inline constexpr int WidthPixels = (WidthTwips + TwipsPerPixel - 1) / TwipsPerPixel;
inline constexpr int HeightPixels = (HeightTwips + TwipsPerPixel - 1) / TwipsPerPixel;

} // namespace PictureSize
