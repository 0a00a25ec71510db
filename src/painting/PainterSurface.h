#pragma once

#include "surface/DrawingSurface.h"
#include "surface/PictureSize.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <array>
#include <cstddef>
#include <cstdint>
#include <unordered_set>
#include <vector>

// The picture box's persistent image: every drawing operation paints into
// it, the window only shows it, and the copy command puts it on the
// clipboard. Twips become logical pixels at 15 twips to the pixel; the image
// itself is kept at the screen's device pixel ratio.
class PainterSurface : public DrawingSurface
{
public:
    static constexpr int MaxDrawWidth = 100;

    PainterSurface(int widthTwips, int heightTwips, qreal devicePixelRatio = 1.0);

    // Finishes any painting in progress, so the image is complete when read.
    const QImage& image() const
    {
        finishPainting();
        return m_image;
    }
    // Reallocates the image for a screen of another density; the caller redraws.
    void setDevicePixelRatio(qreal ratio);
    void setBackground(const QColor& color) { m_background = color; }
    // The colour of lines, labels and markers; black unless set.
    void setInk(const QColor& color);
    QColor ink() const { return m_ink; }
    int drawWidth() const { return m_drawWidth; }
    int16_t fillStyle() const { return m_fillStyle; }
    const QFont& font() const { return m_font; }
    qreal devicePixelRatio() const { return m_ratio; }
    QColor background() const { return m_background; }

    // The pen width a line-width text stands for, or 0 when it is no whole
    // number from 1 to MaxDrawWidth.
    static int parseDrawWidth(const QString& text);

    void Cls() override;
    void SetDrawWidth(const QString& lineWidth) override;
    void Line(double x1, double y1, double x2, double y2) override;
    void Circle(double cx, double cy, double r) override;
    void Arc(double cx, double cy, double r, double start, double end) override;
    void SetFillStyle(int16_t style) override { m_fillStyle = style; }
    void SetCurrentX(double x) override { m_currentX = x; }
    void SetCurrentY(double y) override { m_currentY = y; }
    void Print(const QString& text) override;

    // The same filled circle drawn by QPainter instead of the cached disc;
    // the cached disc must look the same.
    void paintFilledCircleDirectly(double cx, double cy, double r);

private:
    // One pre-rendered filled circle: coverage per pixel of a square whose
    // pixel (centre, centre) holds the circle's centre, plus each row's
    // covered span and its opaque middle, so blitting skips the empty
    // corners and only blends the antialiased rim.
    struct Disc
    {
        struct Row
        {
            int begin = 0;
            int solidBegin = 0;
            int solidEnd = 0;
            int end = 0;
        };
        double radiusTwips = 0.0;
        int width = 0;
        qreal ratio = 0.0;
        int size = 0;
        int centre = 0;
        std::vector<uint8_t> alpha;
        std::vector<Row> rows;
    };

    // A marker waiting to be blitted: which disc, and its top-left pixel.
    struct QueuedDisc
    {
        int left = 0;
        int top = 0;
        std::size_t disc = 0;
    };

    // One drawing operation with everything that decides its pixels.
    struct Mark
    {
        enum Kind : int16_t { Line, Circle, Arc, Text };
        int16_t kind = Line;
        int16_t fill = 0;
        int width = 0;
        std::array<double, 5> values {};
        QString text;
        bool operator==(const Mark&) const = default;
    };
    struct MarkHash
    {
        std::size_t operator()(const Mark& mark) const;
    };

    // False when the same operation was painted since the last Cls. Painted
    // again, it would darken its antialiased edges; drawing a figure over
    // itself must leave the picture as it was.
    bool firstTime(Mark&& mark);
    QPainter& painter();
    // Ends the painter and blits the queued markers, so the image is complete.
    void finishPainting() const;
    void blitQueuedDiscs() const;
    double penDevicePixels() const { return m_drawWidth * m_ratio; }
    // Twips to logical pixels, snapped so that a pen of the current width
    // lies on whole device pixels.
    QPointF snapped(double xTwips, double yTwips) const;
    std::size_t disc(double radiusTwips);
    void queueDisc(std::size_t disc, double cx, double cy);

    int m_widthTwips = 0;
    int m_heightTwips = 0;
    // Mutable because reading the image first completes the pending drawing.
    mutable QImage m_image;
    qreal m_ratio = 1.0;
    QColor m_background = Qt::white;
    QColor m_ink = Qt::black;
    QFont m_font;
    double m_fontAscent = 0.0;
    int m_drawWidth = 1;
    int16_t m_fillStyle = 1;
    double m_currentX = 0.0;
    double m_currentY = 0.0;
    std::unordered_set<Mark, MarkHash> m_painted;
    std::vector<Disc> m_discs;
    // Every marker is the same ink, and one colour source-over composites
    // in any order to the same picture; so markers are queued and blitted row
    // by row, which keeps the image's lines in cache.
    mutable std::vector<QueuedDisc> m_queue;
    mutable std::vector<QueuedDisc> m_sorted;
    mutable std::vector<int> m_rowCounts;
    // Kept open across calls: opening a painter per line or label would
    // cost more than the drawing. Declared after the image so it ends first.
    mutable QPainter m_painter;
};
