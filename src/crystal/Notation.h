#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

// A plane (h k l) or a direction [u v w], with the three indices as stored.
enum class IndexKind : int8_t { Plane, Direction };
using Index3 = std::array<int16_t, 3>;

// How the angle between two planes is read: from 0 to 180 degrees, as the
// documented views measure it, or as the acute angle at which the planes
// meet, 0 to 90. A plane and a direction, or two directions, always lie 0
// to 180 degrees apart.
enum class PlaneAngles : int8_t { Full, Acute };

// Whether a number lies in the range of an index as stored, 16 bits:
// -32768 to 32767.
constexpr bool FitsIndex(double value)
{
    return value >= std::numeric_limits<int16_t>::min()
        && value <= std::numeric_limits<int16_t>::max();
}

// The four-index forms of hexagonal and trigonal crystals: the plane
// (h k l) is (h k i l) with i = -(h + k); the direction [U V W] is
// [u v t w] = [2U - V, 2V - U, -(U + V), 3W], divided by 3 where all four
// allow it.
std::array<int32_t, 4> FourIndexPlane(const Index3& hkl);
std::array<int32_t, 4> FourIndexDirection(const Index3& uvw);

// The three indices four written ones stand for, the inverse of the two
// above: (h k i l) is (h k l) and [u v t w] is [u - t, v - t, w]. Whole
// numbers that FourIndexDirection wrote undivided read as the [U V W] that
// wrote them, so that every list line reads back as its entry. None when
// the third index is not -(first + second).
std::optional<std::array<double, 3>> ThreeIndexForm(
    IndexKind kind, const std::array<double, 4>& four);
// What the third of four indices must be: i = -(h + k), t = -(u + v).
constexpr double ThirdIndex(double first, double second)
{
    return -(first + second) + 0.0;
}

// Appends "(h k l)", "(h k i l)", "[u v w]" or "[u v t w]".
void AppendIndexText(std::string& out, IndexKind kind, const Index3& index, bool fourIndices);
QString IndexText(IndexKind kind, const Index3& index, bool fourIndices);
// The family of planes or directions, as an index list writes it:
// "{h k l}", "{h k i l}", "<u v w>" or "<u v t w>".
QString FamilyText(IndexKind kind, const Index3& index, bool fourIndices);

// The three whole numbers divided by their greatest common divisor, the
// first non-zero one made positive when positive is set; (0 0 0) stays.
std::array<int, 3> Reduced(std::array<int, 3> v, bool positive = false);
