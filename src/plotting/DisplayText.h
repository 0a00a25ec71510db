#pragma once

#include <QString>
#include <optional>

// The two display settings as the user types or picks them, read into
// numbers (DisplaySettings) at the one place text enters.

// The pen width a line-width text stands for: a whole number from 1 to
// MaxLineWidth in plain digits, blanks around allowed; none for any other
// text, which keeps the width there was.
std::optional<int> ReadLineWidth(const QString& text);
// One of the plot sizes offered, written as the list writes it; none else.
std::optional<int> ReadPlotSize(const QString& text);
