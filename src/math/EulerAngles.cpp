#include "math/EulerAngles.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr double Degree = std::numbers::pi / 180.0;

struct SinCos
{
    double sin;
    double cos;
};

// Exact at every multiple of 90 degrees, so that Euler (90, 0, 0) and the
// right-angle tilts give matrices of exact zeros and ones, and accurate for
// huge angles, which are reduced before they become radians.
SinCos sinCosDegrees(double degrees)
{
    if (!std::isfinite(degrees)) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        return { nan, nan };
    }
    double r = std::fmod(degrees, 360.0);
    if (r < 0.0)
        r += 360.0;
    const double quadrant = std::round(r / 90.0);
    const double t = (r - 90.0 * quadrant) * Degree;
    const double s = std::sin(t);
    const double c = std::cos(t);
    switch (int(quadrant) % 4) {
    case 0:
        return { s, c };
    case 1:
        return { c, -s };
    case 2:
        return { -s, -c };
    default:
        return { -c, s };
    }
}

double wrap360(double degrees)
{
    double r = std::fmod(degrees, 360.0);
    if (r < 0.0)
        r += 360.0;
    // A tiny negative angle rounds up to 360 when 360 is added.
    return r >= 360.0 ? 0.0 : r + 0.0;
}

double at(const Matrix3& m, int i, int j)
{
    return m.rows[std::size_t(i)][std::size_t(j)];
}

} // namespace

bool IsFinite(const EulerAngles& e)
{
    return std::isfinite(e.phi1) && std::isfinite(e.Phi) && std::isfinite(e.phi2);
}

EulerAngles NormalisedEuler(EulerAngles e)
{
    if (!IsFinite(e))
        return e;
    e.phi1 = wrap360(e.phi1);
    e.phi2 = wrap360(e.phi2);
    e.Phi = wrap360(e.Phi);
    // (phi1, -Phi, phi2) is the orientation (phi1 + 180, Phi, phi2 + 180).
    if (e.Phi > 180.0) {
        e.Phi = 360.0 - e.Phi;
        e.phi1 += 180.0;
        e.phi2 += 180.0;
    }
    if (e.Phi <= GimbalLockDegrees) {
        e = { e.phi1 + e.phi2, 0.0, 0.0 };
    } else if (e.Phi >= 180.0 - GimbalLockDegrees) {
        e = { e.phi1 - e.phi2, 180.0, 0.0 };
    }
    e.phi1 = wrap360(e.phi1);
    e.phi2 = wrap360(e.phi2);
    return e;
}

Matrix3 EulerMatrix(const EulerAngles& e)
{
    const auto [s1, c1] = sinCosDegrees(e.phi1);
    const auto [S, C] = sinCosDegrees(e.Phi);
    const auto [s2, c2] = sinCosDegrees(e.phi2);
    return { { { { c1 * c2 - s1 * s2 * C, s1 * c2 + c1 * s2 * C, s2 * S },
        { -c1 * s2 - s1 * c2 * C, -s1 * s2 + c1 * c2 * C, c2 * S }, { s1 * S, -c1 * S, C } } } };
}

EulerAngles EulerFromMatrix(const Matrix3& g)
{
    const double sine = std::hypot(at(g, 2, 0), at(g, 2, 1));
    const double Phi = std::atan2(sine, at(g, 2, 2)) / Degree;
    if (Phi <= GimbalLockDegrees || Phi >= 180.0 - GimbalLockDegrees) {
        // Rows 0 and 1 hold the turn by phi1 + phi2 (Phi = 0) or by
        // phi1 - phi2 (Phi = 180); with phi2 = 0 both read the same.
        return NormalisedEuler({ std::atan2(at(g, 0, 1), at(g, 0, 0)) / Degree,
            at(g, 2, 2) > 0.0 ? 0.0 : 180.0, 0.0 });
    }
    return NormalisedEuler({ std::atan2(at(g, 2, 0), -at(g, 2, 1)) / Degree, Phi,
        std::atan2(at(g, 0, 2), at(g, 1, 2)) / Degree });
}

AxisAngle AxisAngleOf(const Matrix3& m)
{
    // Shepperd's choice: divide by the largest of the quaternion's four
    // components, so that no division loses the digits.
    const double m00 = at(m, 0, 0), m11 = at(m, 1, 1), m22 = at(m, 2, 2);
    const double trace = m00 + m11 + m22;
    double w, x, y, z;
    if (trace >= std::max({ m00, m11, m22 })) {
        const double r = std::sqrt(1.0 + trace);
        const double s = 0.5 / r;
        w = 0.5 * r;
        x = (at(m, 2, 1) - at(m, 1, 2)) * s;
        y = (at(m, 0, 2) - at(m, 2, 0)) * s;
        z = (at(m, 1, 0) - at(m, 0, 1)) * s;
    } else if (m00 >= m11 && m00 >= m22) {
        const double r = std::sqrt(1.0 + m00 - m11 - m22);
        const double s = 0.5 / r;
        x = 0.5 * r;
        w = (at(m, 2, 1) - at(m, 1, 2)) * s;
        y = (at(m, 0, 1) + at(m, 1, 0)) * s;
        z = (at(m, 0, 2) + at(m, 2, 0)) * s;
    } else if (m11 >= m22) {
        const double r = std::sqrt(1.0 - m00 + m11 - m22);
        const double s = 0.5 / r;
        y = 0.5 * r;
        w = (at(m, 0, 2) - at(m, 2, 0)) * s;
        x = (at(m, 0, 1) + at(m, 1, 0)) * s;
        z = (at(m, 1, 2) + at(m, 2, 1)) * s;
    } else {
        const double r = std::sqrt(1.0 - m00 - m11 + m22);
        const double s = 0.5 / r;
        z = 0.5 * r;
        w = (at(m, 1, 0) - at(m, 0, 1)) * s;
        x = (at(m, 0, 2) + at(m, 2, 0)) * s;
        y = (at(m, 1, 2) + at(m, 2, 1)) * s;
    }
    Vector3 v { x, y, z };
    if (w < 0.0) {
        w = -w;
        v = Scaled(v, -1.0);
    }
    const double n = Norm(v);
    if (!(n > 0.0))
        return {};
    return { Scaled(v, 1.0 / n), 2.0 * std::atan2(n, w) / Degree };
}

Matrix3 AxisAngleMatrix(const AxisAngle& turn)
{
    const Vector3 k = Normalised(turn.axis);
    const auto [s, c] = sinCosDegrees(turn.degrees);
    const double t = 1.0 - c;
    // Rodrigues' formula.
    return { { { { t * k[0] * k[0] + c, t * k[0] * k[1] - s * k[2], t * k[0] * k[2] + s * k[1] },
        { t * k[0] * k[1] + s * k[2], t * k[1] * k[1] + c, t * k[1] * k[2] - s * k[0] },
        { t * k[0] * k[2] - s * k[1], t * k[1] * k[2] + s * k[0], t * k[2] * k[2] + c } } } };
}

Matrix3 TurnAboutX(double degrees)
{
    const auto [s, c] = sinCosDegrees(degrees);
    return { { { { 1, 0, 0 }, { 0, c, -s }, { 0, s, c } } } };
}

Matrix3 TurnAboutY(double degrees)
{
    const auto [s, c] = sinCosDegrees(degrees);
    return { { { { c, 0, s }, { 0, 1, 0 }, { -s, 0, c } } } };
}

Matrix3 TurnAboutZ(double degrees)
{
    const auto [s, c] = sinCosDegrees(degrees);
    return { { { { c, -s, 0 }, { s, c, 0 }, { 0, 0, 1 } } } };
}

bool IsProperRotation(const Matrix3& m, double tolerance)
{
    if (!(MaxDifference(m * m.transposed(), Matrix3 {}) <= tolerance))
        return false;
    return std::fabs(m.determinant() - 1.0) <= tolerance;
}

double MaxDifference(const Matrix3& a, const Matrix3& b)
{
    double largest = 0.0;
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j) {
            const double d = std::fabs(a.rows[i][j] - b.rows[i][j]);
            // NaN counts as the largest difference of all.
            if (!(d <= largest))
                largest = std::isnan(d) ? std::numeric_limits<double>::infinity() : d;
        }
    return largest;
}
