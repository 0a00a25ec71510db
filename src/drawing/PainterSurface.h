#pragma once

#include "drawing/DrawingSurface.h"

#include <QColor>
#include <QFont>
#include <QImage>

// The picture box's persistent image: every drawing operation paints into
// it, the window only shows it, and the copy command puts it on the
// clipboard. Twips become logical pixels at 15 twips to the pixel; the image
// itself is kept at the screen's device pixel ratio.
class PainterSurface : public DrawingSurface
{
public:
    static constexpr int TwipsPerPixel = 15;

    PainterSurface(int widthTwips, int heightTwips, qreal devicePixelRatio = 1.0);

    const QImage& image() const { return m_image; }
    // Reallocates the image for a screen of another density; the caller redraws.
    void setDevicePixelRatio(qreal ratio);
    void setBackground(const QColor& color) { m_background = color; }
    int drawWidth() const { return m_drawWidth; }
    int16_t fillStyle() const { return m_fillStyle; }
    const QFont& font() const { return m_font; }

    void Cls() override;
    void SetDrawWidth(const QString& lineWidth) override;
    void Line(double x1, double y1, double x2, double y2) override;
    void Circle(double cx, double cy, double r) override;
    void Arc(double cx, double cy, double r, double start, double end) override;
    void SetFillStyle(int16_t style) override { m_fillStyle = style; }
    void SetCurrentX(double x) override { m_currentX = x; }
    void SetCurrentY(double y) override { m_currentY = y; }
    void Print(const QString& text) override;

private:
    QImage m_image;
    QColor m_background = Qt::white;
    QFont m_font;
    int m_drawWidth = 1;
    int16_t m_fillStyle = 1;
    double m_currentX = 0.0;
    double m_currentY = 0.0;
};
