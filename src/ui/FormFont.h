#pragma once

#include <QFont>

// The font the forms were laid out in, at the given size and weight; IPA's
// P Gothic is its close replacement, the others keep the Japanese readable
// where neither exists.
QFont FormFont(double pointSize, bool bold);

// The windows' own font, for every control that names none.
inline constexpr double DefaultPointSize = 9.0;
