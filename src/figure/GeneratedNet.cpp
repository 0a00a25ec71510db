#include "figure/GeneratedNet.h"
#include "figure/PlotPoles.h"

#include "figure/NetPoles.h"
#include "figure/PoleLabels.h"
#include "projection/PaperNet.h"

#include <cmath>
#include <cstdlib>
#include <optional>

namespace {

// The net's dots: well below the smallest plot mark (10 twips) and drawn
// one pixel wide whatever the line width, so thousands stay apart.
constexpr double DotRadius = 6.0;
constexpr int DotWidth = 1;

// The zone circles of the zone axes [uvw] with indices up to 1, one of each
// opposite pair: 13 of them. On hexagonal axes, where [1-10] lies 30
// degrees from the a axes and its two equivalents have a 2, the axes are
// those with |u - v| up to 1 as well: [001], the three a axes, and the
// six between them and c.
void DrawZoneCircles(DrawingSurface& surface, const Projector& projector)
{
    const bool hexagonalAxes = UsesFourIndices(projector.lattice().system());
    for (int u = -1; u <= 1; ++u)
        for (int v = -1; v <= 1; ++v)
            for (int w = -1; w <= 1; ++w) {
                const int first = u != 0 ? u : v != 0 ? v : w;
                if (first <= 0 || (hexagonalAxes && std::abs(u - v) > 1))
                    continue;
                const Frame& frame = projector.frame();
                const CurvePath zone = GreatCircleCurve(
                    frame, frame.kind, projector.direction({ int16_t(u), int16_t(v), int16_t(w) }));
                // Along the line of sight the zone is the whole primitive,
                // drawn already; it alone comes back closed.
                if (!zone.empty()
                    && (zone.pieces.back().to.x != zone.start.x
                        || zone.pieces.back().to.y != zone.start.y))
                    surface.Path(zone.start, zone.pieces);
            }
}

class PrimitiveCircle : public Layer
{
public:
    void draw(DrawingSurface& surface, const Projector& projector,
        const LayerOptions& options) const override
    {
        const Frame& frame = projector.frame();
        surface.SetDrawWidth(options.lineWidth);
        surface.Circle(frame.x, frame.y, 2.0 * frame.scale);
    }
};

// The Wulff net, or the Schmidt net in the equal-area projection: faint
// lines one pixel wide, strong ones at the line width. A few hundred
// curves, several times the rest of the picture on a high-density screen.
class Wulff : public Layer
{
public:
    void draw(DrawingSurface& surface, const Projector& projector,
        const LayerOptions& options) const override
    {
        const Frame& frame = projector.frame();
        std::optional<Tone> tone;
        // One path a curve: a single path of them all paints ten times slower.
        for (const NetCurve& curve : PaperNet(frame, frame.kind)) {
            if (curve.tone != tone) {
                tone = curve.tone;
                surface.SetTone(curve.tone);
                surface.SetDrawWidth(curve.tone == Tone::Faint ? 1 : options.lineWidth);
            }
            surface.Path(curve.path.start, curve.path.pieces);
        }
        if (tone != Tone::Full) {
            surface.SetTone(Tone::Full);
            surface.SetDrawWidth(options.lineWidth);
        }
    }
    bool costly() const override { return true; }
};

class ZoneCircles : public Layer
{
public:
    void draw(DrawingSurface& surface, const Projector& projector,
        const LayerOptions& options) const override
    {
        surface.SetDrawWidth(options.lineWidth);
        DrawZoneCircles(surface, projector);
    }
};

class Poles : public Layer
{
public:
    void draw(DrawingSurface& surface, const Projector& projector,
        const LayerOptions& options) const override
    {
        const std::vector<NetPole> poles = NetPoles(
            projector, options.netLimit, options.reflections ? &*options.reflections : nullptr);
        surface.SetDrawWidth(DotWidth);
        if (options.second) {
            surface.SetDrawWidth(1);
            for (const NetPole& pole : poles)
                SquareMark(surface, pole.at, DotRadius * 1.5);
        } else {
            surface.SetFillStyle(0);
            for (const NetPole& pole : poles)
                surface.Circle(pole.at.x, pole.at.y, DotRadius);
            surface.SetFillStyle(1);
        }
        // Over the zone circles and the paper's net, a label stays readable.
        surface.SetTextStyle(options.second ? TextStyle::HaloedItalic : TextStyle::Haloed);
        DrawPoleLabels(surface, poles, UsesFourIndices(projector.lattice().system()));
        surface.SetTextStyle(TextStyle::Plain);
        // The plot's markers drawn next take the net's width.
        surface.SetDrawWidth(options.lineWidth);
    }
};

const PrimitiveCircle ThePrimitiveCircle;
const Wulff TheWulffNet;
const ZoneCircles TheZoneCircles;
const Poles ThePoles;

} // namespace

const Layer& PrimitiveCircleLayer = ThePrimitiveCircle;
const Layer& WulffNetLayer = TheWulffNet;
const Layer& ZoneCirclesLayer = TheZoneCircles;
const Layer& NetPolesLayer = ThePoles;
