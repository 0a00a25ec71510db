#include "plotting/CheckIndex.h"

#include "plotting/NumericText.h"

#include <cmath>

CheckIndexResult CheckIndex(const QString& x, const QString& y, const QString& z)
{
    CheckIndexResult result;
    const QString* texts[3] = { &x, &y, &z };
    for (int j = 0; j < 3; ++j) {
        const std::optional<double> value = ParseNumericText(*texts[j]);
        if (!value) {
            result.message = Messages::NotNumeric;
            return result;
        }
        result.values[static_cast<size_t>(j)] = *value;
    }

    const auto& v = result.values;
    if (v[0] == 0.0 && v[1] == 0.0 && v[2] == 0.0) {
        result.message = Messages::ZeroIndex;
        return result;
    }

    // An infinity has no fractional part; it is refused later as too large.
    for (double value : v) {
        if (std::isfinite(value) && value - std::floor(value) != 0.0) {
            result.message = Messages::DecimalsDropped;
            break;
        }
    }
    result.proceed = true;
    return result;
}
