#pragma once

#include <QFont>
#include <QPointF>

class QPaintDevice;

// The font of the picture's labels, which the nets' overbars were placed
// for: a proportional Japanese Gothic font sized so that its digits are
// 100 twips wide and its "(" about half that.
QFont ChooseLabelFont();
// Where a text's origin (the left end of its baseline) lies from the
// corner the nets give, in logical pixels, for the font on the device at
// the given device pixel ratio.
QPointF LabelTextOrigin(const QFont& font, const QPaintDevice* device, qreal ratio);
