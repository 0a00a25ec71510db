#pragma once

#include "math/Matrix3.h"

// Orientations as the instruments give them. An orientation g is passive:
// it takes sample coordinates to crystal coordinates, v_crystal = g v_sample.
// Angles are in degrees throughout.

// Bunge's Euler angles (Z, X, Z): g = Z(phi2) X(Phi) Z(phi1), each factor a
// passive turn of the axes.
struct EulerAngles
{
    double phi1 = 0.0;
    double Phi = 0.0;
    double phi2 = 0.0;
    bool operator==(const EulerAngles&) const = default;
};

// A turn by degrees (0 to 180) about a unit axis, right-handed.
struct AxisAngle
{
    Vector3 axis { 0, 0, 1 };
    double degrees = 0.0;
};

// Phi within this many degrees of 0 or 180 is the gimbal lock, where only
// phi1 + phi2 (or phi1 - phi2) is defined; there phi2 is 0. The individual
// angles near the lock are as ill-defined as the tolerance is small, the
// matrix they give never is.
inline constexpr double GimbalLockDegrees = 1e-9;

bool IsFinite(const EulerAngles& e);
// The same orientation with phi1 and phi2 in [0, 360) and Phi in [0, 180];
// at the gimbal lock phi2 is 0 and Phi exactly 0 or 180. Non-finite angles
// stay as they are.
EulerAngles NormalisedEuler(EulerAngles e);

// g of the Euler angles: rows (c1 c2 - s1 s2 C, s1 c2 + c1 s2 C, s2 S),
// (-c1 s2 - s1 c2 C, -s1 s2 + c1 c2 C, c2 S), (s1 S, -c1 S, C).
Matrix3 EulerMatrix(const EulerAngles& e);
// The normalised Euler angles of a proper rotation g.
EulerAngles EulerFromMatrix(const Matrix3& g);

// The matrix's own axis and angle, so that m = AxisAngleMatrix(AxisAngleOf(m));
// the axis is (0, 0, 1) for the identity. The quaternion route keeps the
// axis accurate near 0 and 180 degrees, where the trace alone is not.
AxisAngle AxisAngleOf(const Matrix3& m);
Matrix3 AxisAngleMatrix(const AxisAngle& turn);

// Active right-handed turns about the coordinate axes.
Matrix3 TurnAboutX(double degrees);
Matrix3 TurnAboutY(double degrees);
Matrix3 TurnAboutZ(double degrees);

// Orthonormal with determinant +1, each entry of m m^T within tolerance of I.
bool IsProperRotation(const Matrix3& m, double tolerance = 1e-9);
// The largest difference between entries.
double MaxDifference(const Matrix3& a, const Matrix3& b);
