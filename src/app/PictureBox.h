#pragma once

#include <QWidget>

class PainterSurface;

// Shows the picture box's persistent image. It never draws the picture
// itself: whoever owns the surface redraws it and then calls update().
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    static constexpr int LogicalWidth = 475;
    static constexpr int LogicalHeight = 467;

    explicit PictureBox(PainterSurface& surface, QWidget* parent = nullptr);

    QSize sizeHint() const override { return { LogicalWidth, LogicalHeight }; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PainterSurface& m_surface;
};
