#pragma once

#include <array>

// How the picture is drawn, as numbers: the pen width of the net's lines,
// in pixels, and the radius of the pole marks, in twips; and whether the
// free view's marks carry their indices, and saved figures a caption. The texts the user
// types are read into these where they are typed; nothing below takes text.
struct DisplaySettings
{
    int lineWidth = 1;
    int plotSize = 30;
    // The free view labels each plotted entry with its own index.
    bool indexLabels = false;
    // Saved and exported figures carry a caption under the picture.
    bool figureCaption = false;
    bool operator==(const DisplaySettings&) const = default;
};

// The widest pen a line width may ask for, in pixels.
inline constexpr int MaxLineWidth = 100;
// The line widths and plot sizes the two lists offer, in list order.
inline constexpr std::array<int, 5> LineWidths { 1, 2, 3, 4, 5 };
inline constexpr std::array<int, 9> PlotSizes { 10, 15, 20, 25, 30, 35, 40, 45, 50 };
// What the window starts with, every projection choice puts the plot size
// back to, and a session that names neither takes.
inline constexpr DisplaySettings StartUpDisplay { 1, 30 };
