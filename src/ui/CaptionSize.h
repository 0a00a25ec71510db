#pragma once

#include <QFont>
#include <QSize>
#include <QStringList>

// The pixels a top-left aligned label needs to show each of its captions
// whole, in its font, wrapped at wrapWidth pixels or, at 0, on one line:
// found by drawing the captions as the label draws them. Pixels that the
// glyphs cover by no more than a quarter, their antialiased fringe, may
// fall outside.
QSize CaptionSize(const QFont& font, const QStringList& captions, int wrapWidth = 0);
