#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QString>
#include <utility>

class QPainter;

// Paints a label over a knock-out: the text in the background colour moved
// `halo` logical pixels each way, then the text itself in the ink. The
// glyphs come from the painter's cache, where stroking every outline would
// cost more than the rest of a frame. A slanted label (the second
// crystal's) leans about its baseline: the label fonts have no italic face.
void PaintHaloedText(QPainter& painter, QPointF origin, const QString& text, const QFont& font,
    const QColor& ink, const QColor& background, double halo, bool slanted = false);
// How far a slanted label leans: x moves by this times the height above
// the baseline.
inline constexpr double LabelSlant = 0.21;

// Haloed labels rendered once and drawn wherever the same text goes again:
// the net's few hundred labels recur in every frame as the crystal turns,
// and one image costs a fraction of the text painted nine times.
class LabelImages
{
public:
    struct Label
    {
        // From the device pixel of the label's corner to the image's top left.
        QPoint offset;
        QImage image;
    };

    // The label of this text in this font with its baseline origin at
    // `origin` logical pixels from a corner on a whole device pixel; made on
    // first use and kept while the images stay within their budget, else
    // made for this once (valid until the next call); none for no text.
    const Label* label(const QString& text, const QFont& font, QPointF origin, qreal ratio,
        const QColor& ink, const QColor& background, double halo, bool slanted = false);
    // Forgets the labels, which carry their font, place, ratio and colours.
    void clear()
    {
        m_labels.clear();
        m_bytes = 0;
    }
    // What the images may hold together; labels past it are made each time
    // they are drawn, so the memory held stays bounded however many distinct
    // indices a figure writes.
    void setBudget(qsizetype bytes) { m_budget = bytes; }

private:
    // By text, ink, weight and slant.
    QHash<std::pair<QString, qint64>, Label> m_labels;
    qsizetype m_bytes = 0;
    qsizetype m_budget = 0;
    Label m_scratch;
};
