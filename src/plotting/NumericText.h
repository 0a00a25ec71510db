#pragma once

#include <QString>
#include <optional>

// The one reading of a typed number, used both to decide whether a text is
// numeric and to convert it. The text is NFKC-normalised first, so the
// full-width digits, signs and period of a Japanese input method count as
// ASCII, and U+2212 counts as "-"; blanks around the number are ignored.
// Accepted: optional sign, digits with an optional fraction or a fraction
// alone, optional exponent ("1", "-2", "+3", "1.5", ".5", "2.", "2.5E-1").
// A value too large for a double reads as an infinity of its sign.
std::optional<double> ParseNumericText(const QString& text);
