#pragma once

#include <QFont>
#include <QSize>
#include <QStringList>

// The pixels a top-left aligned label needs to show each of its captions
// whole: the ink of every line, laid out as the label lays it out, wrapped
// at wrapWidth pixels or, at 0, on one line.
QSize CaptionSize(const QFont& font, const QStringList& captions, int wrapWidth = 0);
