#include "figure/NetLabels.h"

void DrawLabels(DrawingSurface& surface, std::span<const NetLabel> labels)
{
    for (const NetLabel& label : labels) {
        surface.SetCurrentX(label.x);
        surface.SetCurrentY(label.y);
        surface.Print(label.text);
        for (int i = 0; i < label.barCount; ++i) {
            const Overbar& bar = label.bars[i];
            surface.Line(bar.x1, bar.y, bar.x2, bar.y);
        }
    }
}
