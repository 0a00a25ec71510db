#pragma once

#include "files/CommandLine.h"
#include "poles/PoleStore.h"
#include "scene/DrawPicture.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

class QPaintDevice;

// The picture as it stood when copied, drawn again as a vector document:
// black on white, at the picture box's physical size. It keeps its own
// poles, so later plots do not change a copy.
class PictureDocument
{
public:
    // description: what the picture shows, in words, as a screen reader is told.
    PictureDocument(PictureSettings settings, PoleStore store, QString description = {});

    // Its user units are CSS pixels, 96 to the inch, as programs pasting
    // SVG take them; titled and described for their lists of objects.
    QByteArray svg() const;
    QByteArray pdf() const;
    // The picture drawn by the screen's painter at dpi dots per inch, white
    // behind, saying its resolution: at 600 dpi 2969 x 2917 pixels.
    QImage image(int dpi) const;
    // The file of one of the picture formats; PNG and JPEG at dpi.
    QByteArray encoded(ExportFormat format, int dpi) const;

private:
    // The caption under the picture, a line each, when the settings ask
    // for one; and the height of the figure with it.
    QStringList captionLines() const;
    int heightTwips() const;
    // Draws the picture on a device, unitsPerPixel of its units to the
    // logical pixel.
    void paint(QPaintDevice& device, double unitsPerPixel) const;

    PictureSettings m_settings;
    PoleStore m_store;
    QString m_description;
};
