#pragma once

#include "figure/DrawPicture.h"
#include "poles/PoleStore.h"

#include <QByteArray>

class QPaintDevice;

// The picture as it stood when copied, drawn again as a vector document:
// black on white, at the picture box's physical size. It keeps its own
// poles, so later plots do not change a copy.
class PictureDocument
{
public:
    PictureDocument(PictureSettings settings, PoleStore store);

    QByteArray svg() const;
    QByteArray pdf() const;
    // Draws the picture on a device whose metrics span the whole picture.
    void paint(QPaintDevice& device) const;

private:
    PictureSettings m_settings;
    PoleStore m_store;
};
