#pragma once

#include "painting/DiscCache.h"
#include "painting/LabelImages.h"
#include "painting/PaintedMarks.h"
#include "surface/DisplaySettings.h"
#include "surface/DrawingSurface.h"
#include "surface/PictureSize.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QStringList>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class QPaintDevice;

// Draws the picture with QPainter on any paint device. The screen's
// persistent image is its own: every drawing operation paints into it, the
// window only shows it, and the copy command puts it on the clipboard; there
// twips become logical pixels at 15 twips to the pixel, snapped to the
// screen's device pixels, and the image is kept at the screen's device pixel
// ratio. On another device (an SVG or PDF document) every coordinate stays
// exact, in whatever units the document wants for a logical pixel.
class PainterSurface : public DrawingSurface
{
public:
    // Paints into an image of its own.
    PainterSurface(int widthTwips, int heightTwips, qreal devicePixelRatio = 1.0);
    // Paints onto the device, unitsPerPixel of its units to the logical
    // pixel, until finish() or the end of the surface.
    PainterSurface(QPaintDevice& device, int widthTwips, int heightTwips, double unitsPerPixel);
    ~PainterSurface() override;
    PainterSurface(const PainterSurface&) = delete;
    PainterSurface& operator=(const PainterSurface&) = delete;

    // Finishes any painting in progress, so the image is complete when read.
    const QImage& image() const
    {
        finishPainting();
        return m_image;
    }
    // Everything the screen's picture holds at one moment, to come back to.
    struct Checkpoint
    {
        QImage image;
        PaintedMarks painted;
        int drawWidth = 1;
        int16_t fillStyle = 1;
        Tone tone = Tone::Full;
        double currentX = 0.0;
        double currentY = 0.0;
    };
    Checkpoint checkpoint() const;
    // Brings back a checkpoint of this surface at its current pixel ratio.
    void restore(const Checkpoint& checkpoint);
    // Ends painting on the device, which completes a document.
    void finish();
    // Reallocates the image for a screen of another density; the caller redraws.
    void setDevicePixelRatio(qreal ratio);
    void setBackground(const QColor& color)
    {
        m_background = color;
        m_clearDiscs.clear();
        m_labels.clear();
    }
    // The colour of lines, labels and markers; black unless set.
    void setInk(const QColor& color);
    // The pen width lines are drawn with now, in pixels.
    int drawWidth() const { return m_drawWidth; }
    int16_t fillStyle() const { return m_fillStyle; }
    const QFont& font() const { return m_font; }
    // Where Print puts the text's baseline origin from its corner, in logical pixels.
    QPointF textOrigin() const { return m_textOrigin; }
    qreal devicePixelRatio() const { return m_ratio; }
    QColor background() const { return m_background; }
    QColor ink() const { return m_ink; }

    // Where a mark centred at the given twips lies, in logical pixels: on the
    // screen's image snapped exactly as the mark itself is painted.
    QPointF markCentre(double xTwips, double yTwips) const { return place(xTwips, yTwips); }

    void Cls() override;
    void SetDrawWidth(int width) override;
    void Line(double x1, double y1, double x2, double y2) override;
    void Circle(double cx, double cy, double r) override;
    void Arc(double cx, double cy, double r, double start, double end) override;
    void Path(TwipsPoint start, std::span<const PathPiece> pieces) override;
    void SetFillStyle(int16_t style) override { m_fillStyle = style; }
    void SetTone(Tone tone) override { m_tone = tone; }
    void SetCurrentX(double x) override { m_currentX = x; }
    void SetCurrentY(double y) override { m_currentY = y; }
    void Print(std::string_view text) override;
    void SetTextStyle(TextStyle style) override { m_textStyle = style; }
    void SetInkColour(int16_t colour) override { m_colour = colour == 1 ? 1 : 0; }
    // The second crystal's colour.
    static const QColor SecondColour;
    void KnockOut(double cx, double cy, double r) override;

    // The same filled circle drawn as an ellipse instead of the cached disc;
    // the cached disc must look the same.
    void paintFilledCircleDirectly(double cx, double cy, double r);
    // Lines of any text, each centred across the surface from top on, a
    // line's height apart (twips): a figure's caption under the picture.
    void printCentred(const QStringList& lines, double top, double lineHeight);

private:
    bool raster() const { return m_device == &m_image; }
    // False when the same operation was painted since the last Cls. Painted
    // again, it would darken its antialiased edges, and a document would
    // hold it twice.
    // An operation repeated exactly, in the same ink and style, changes no pixel.
    bool firstTime(PaintedMark mark)
    {
        mark.colour = m_colour;
        return m_painted.insert(mark);
    }
    bool firstTime(PrintedText text)
    {
        text.style = int(m_textStyle);
        text.colour = m_colour;
        return m_painted.insert(text);
    }
    // The open painter, in logical pixels (the pen set) or in the screen's
    // device pixels (for drawing the cached discs).
    enum class Space { Logical, DevicePixels };
    QPainter& painter(Space space = Space::Logical);
    void finishPainting() const;
    double penDevicePixels() const { return m_drawWidth * m_ratio; }
    // The colour of strokes in the current tone; the mark style it adds.
    QColor strokeInk() const;
    int16_t toneStyle() const { return m_tone == Tone::Faint ? PaintedMark::Faint : 0; }
    // Twips to logical pixels; on the screen snapped so that a pen of the
    // current width lies on whole device pixels.
    QPointF place(double xTwips, double yTwips) const;
    void drawDisc(double cx, double cy, double r);
    void drawDisc(
        double cx, double cy, double r, DiscCache& cache, const QColor& colour, int width);

    int m_widthTwips = 0;
    int m_heightTwips = 0;
    // Mutable because reading the image first completes the pending drawing.
    mutable QImage m_image;
    QPaintDevice* m_device = nullptr;
    // Device units per logical pixel on a device other than the screen.
    double m_deviceScale = 1.0;
    // Whether filled circles go to the device as round dots.
    bool m_roundDots = false;
    qreal m_ratio = 1.0;
    QColor m_background = Qt::white;
    QColor m_ink = Qt::black;
    QFont m_font;
    QPointF m_textOrigin;
    int m_drawWidth = 1;
    int16_t m_fillStyle = 1;
    Tone m_tone = Tone::Full;
    TextStyle m_textStyle = TextStyle::Plain;
    double m_currentX = 0.0;
    double m_currentY = 0.0;
    PaintedMarks m_painted;
    DiscCache m_discs;
    // The discs in the second crystal's colour.
    DiscCache m_colourDiscs;
    int16_t m_colour = 0;
    // The ink of the colour set.
    const QColor& currentInk() const { return m_colour == 1 ? SecondColour : m_ink; }
    DiscCache m_clearDiscs;
    LabelImages m_labels;
    // The open painter's state, so that it is set only when it changes.
    mutable bool m_inDevicePixels = false;
    mutable int m_penWidth = -1;
    mutable QColor m_penInk;
    // Kept open across calls: opening a painter per line or label would
    // cost more than the drawing. Declared after the image so it ends first.
    mutable QPainter m_painter;
};
