#pragma once

// The program's value of pi: the 15-digit decimal, kept as the angle lists
// and the nets have always been computed with it.
inline constexpr double Pi = 3.14159265358979;

// One coordinate of the stereographic projection of the unit vector w
// (w1 <= 0) onto the plane touching (-1, 0, 0), primitive circle radius 2:
// selector 1 gives the one from w2, any other selector the one from w3.
double StereoProject(double w1, double w2, double w3, int selector);

// The angle in degrees between a and b, in [0, 180). Exactly opposite
// directions give 0, as do cosines that rounding carries past +-1.
double AngleBetween(double a1, double a2, double a3, double b1, double b2, double b3);
