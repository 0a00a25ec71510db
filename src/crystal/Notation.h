#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <limits>
#include <string>

// A plane (h k l) or a direction [u v w], with the three indices as stored.
enum class IndexKind : int8_t { Plane, Direction };
using Index3 = std::array<int16_t, 3>;

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

// Appends "(h k l)", "(h k i l)", "[u v w]" or "[u v t w]".
void AppendIndexText(std::string& out, IndexKind kind, const Index3& index, bool fourIndices);
QString IndexText(IndexKind kind, const Index3& index, bool fourIndices);
// The family of planes or directions, as an index list writes it:
// "{h k l}", "{h k i l}", "<u v w>" or "<u v t w>".
QString FamilyText(IndexKind kind, const Index3& index, bool fourIndices);

// The three whole numbers divided by their greatest common divisor, the
// first non-zero one made positive when positive is set; (0 0 0) stays.
std::array<int, 3> Reduced(std::array<int, 3> v, bool positive = false);
