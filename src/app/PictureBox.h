#pragma once

#include "surface/PictureSize.h"

#include <QWidget>

class PainterSurface;

// Shows the picture box's persistent image. It never draws the picture
// itself: whoever owns the surface redraws it and then calls update().
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(PainterSurface& surface, QWidget* parent = nullptr);

    QSize sizeHint() const override
    {
        return { PictureSize::WidthPixels, PictureSize::HeightPixels };
    }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PainterSurface& m_surface;
};
