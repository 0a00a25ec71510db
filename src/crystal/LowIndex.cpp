#include "crystal/LowIndex.h"

#include "geometry/Geometry.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace {

constexpr int MaxLimit = 20;
constexpr int UpLimit = 6;
// Cosines this close to 0 are a right angle; the same bound the free view
// has always used for "perpendicular".
constexpr double RightAngle = 1e-9;

struct Candidate
{
    Index3 index;
    // Largest index, non-zero indices, their sum, as written.
    std::array<int, 3> rank;
    std::array<int, 4> written;
};

Candidate candidate(const Index3& index, std::array<int, 4> written, int count)
{
    std::array<int, 3> rank { 0, 0, 0 };
    for (int j = 0; j < count; ++j) {
        const int a = std::abs(written[std::size_t(j)]);
        rank[0] = std::max(rank[0], a);
        rank[1] += a != 0;
        rank[2] += a;
    }
    return { index, rank, written };
}

// Calls visit(index, written, count) for every index triple up to limit in
// size as written (count indices: three, or four where four is set), with
// primitive only those with no common divisor, four-index directions then
// reduced on their three axes.
template <typename Visit>
void forEachIndex(bool four, IndexKind kind, int limit, bool primitive, Visit visit)
{
    if (limit < 1)
        return;
    const int n = std::min(limit, MaxLimit);
    for (int a = -n; a <= n; ++a)
        for (int b = -n; b <= n; ++b)
            for (int c = -n; c <= n; ++c) {
                if (primitive ? std::gcd(std::gcd(a, b), c) != 1 : a == 0 && b == 0 && c == 0)
                    continue;
                if (!four) {
                    visit(Index3 { int16_t(a), int16_t(b), int16_t(c) },
                        std::array<int, 4> { a, b, c, 0 }, 3);
                    continue;
                }
                // a, b, c are h k l of (h k i l), or u v w of [u v t w].
                const int third = -(a + b);
                if (std::abs(third) > n)
                    continue;
                const std::array<int, 4> written { a, b, third, c };
                if (kind == IndexKind::Plane) {
                    visit(Index3 { int16_t(a), int16_t(b), int16_t(c) }, written, 4);
                    continue;
                }
                // [u v t w] is [u - t, v - t, w] on the three axes.
                std::array<int, 3> three { a - third, b - third, c };
                if (primitive)
                    three = Reduced(three);
                visit(
                    Index3 { int16_t(three[0]), int16_t(three[1]), int16_t(three[2]) }, written, 4);
            }
}

bool lowerFirst(const Candidate& x, const Candidate& y)
{
    if (x.rank != y.rank)
        return x.rank < y.rank;
    return x.written > y.written;
}

Vector3 cartesian(const Lattice& lattice, IndexKind kind, const Vector3& v)
{
    return kind == IndexKind::Plane ? lattice.planeNormal(v) : lattice.direction(v);
}

Vector3 cartesian(const Lattice& lattice, IndexKind kind, const Index3& index)
{
    return cartesian(
        lattice, kind, Vector3 { double(index[0]), double(index[1]), double(index[2]) });
}

} // namespace

std::optional<Vector3> UnitVectorOf(const Lattice& lattice, IndexKind kind, const Vector3& indices)
{
    const double largest
        = std::max({ std::fabs(indices[0]), std::fabs(indices[1]), std::fabs(indices[2]) });
    if (!(largest > 0.0) || !std::isfinite(largest))
        return std::nullopt;
    const Vector3 v = cartesian(lattice, kind, Scaled(indices, 1.0 / largest));
    const double n = Norm(v);
    if (!(n > 0.0) || !std::isfinite(n))
        return std::nullopt;
    return Scaled(v, 1.0 / n);
}

std::optional<Vector3> UnitVectorOf(const Lattice& lattice, IndexKind kind, const Index3& index)
{
    return UnitVectorOf(
        lattice, kind, Vector3 { double(index[0]), double(index[1]), double(index[2]) });
}

std::vector<Index3> LowIndices(LatticeSystem system, IndexKind kind, int limit)
{
    std::vector<Candidate> all;
    forEachIndex(UsesFourIndices(system), kind, limit, true,
        [&](const Index3& index, const std::array<int, 4>& written, int count) {
            all.push_back(candidate(index, written, count));
        });
    std::sort(all.begin(), all.end(), lowerFirst);
    std::vector<Index3> out;
    out.reserve(all.size());
    for (const Candidate& c : all)
        out.push_back(c.index);
    return out;
}

std::optional<LowIndexForm> NearestLowIndex(
    const Lattice& lattice, IndexKind kind, const Vector3& v, int limit)
{
    const double n = Norm(v);
    if (!(n > 0.0) || !std::isfinite(n))
        return std::nullopt;
    const Vector3 unit = Scaled(v, 1.0 / n);
    // The largest cosine; where two are equal to rounding, the lower
    // indices, so that a multiple loses to its primitive form and no common
    // divisor need be sought. This runs as the crystal turns.
    std::optional<Candidate> best;
    double bestCos = -2.0;
    forEachIndex(UsesFourIndices(lattice.system()), kind, limit, false,
        [&](const Index3& index, const std::array<int, 4>& written, int count) {
            const Vector3 w = cartesian(lattice, kind, index);
            const double cosine = Dot(w, unit) / Norm(w);
            if (cosine < bestCos - 1e-14)
                return;
            const Candidate c = candidate(index, written, count);
            if (cosine > bestCos + 1e-14 || lowerFirst(c, *best)) {
                best = c;
                bestCos = std::max(bestCos, cosine);
            }
        });
    if (!best)
        return std::nullopt;
    const std::array<int, 3> r = Reduced({ best->index[0], best->index[1], best->index[2] });
    const Index3 index { int16_t(r[0]), int16_t(r[1]), int16_t(r[2]) };
    return LowIndexForm { index, AngleBetween(cartesian(lattice, kind, index), v) };
}

std::optional<UpDirection> LowIndexUp(const Lattice& lattice, const Vector3& centre)
{
    const std::optional<Vector3> c = UnitVectorOf(lattice, IndexKind::Direction, centre);
    if (!c)
        return std::nullopt;
    Vector3 vertical { 0, 0, 0 };
    for (const Vector3& preferred :
        { Vector3 { 0, 0, 1 }, Vector3 { 0, 1, 0 }, Vector3 { 1, 0, 0 } }) {
        const Vector3 p = Normalised(lattice.direction(preferred));
        if (std::fabs(Dot(p, *c)) > 1.0 - 1e-9)
            continue;
        vertical = Normalised(Difference(p, Scaled(*c, Dot(*c, p))));
        break;
    }

    // One pass, no sort: a multiple loses to its primitive form on rank.
    // Ranked as typed, [u v w] on three axes in every system: on hexagonal
    // axes the a axes come first, so that along [0 0 1] a2 is up, as the
    // documented hexagonal views have it.
    std::optional<Candidate> chosen;
    double chosenCos = 0.0;
    forEachIndex(false, IndexKind::Direction, UpLimit, false,
        [&](const Index3& index, const std::array<int, 4>& written, int count) {
            const Vector3 v = Normalised(cartesian(lattice, IndexKind::Direction, index));
            if (std::fabs(Dot(v, *c)) > RightAngle)
                return;
            const Candidate d = candidate(index, written, count);
            if (chosen && d.rank != chosen->rank) {
                if (d.rank > chosen->rank)
                    return;
            } else if (chosen) {
                const double cosine = Dot(v, vertical);
                if (cosine < chosenCos - 1e-12
                    || (cosine <= chosenCos + 1e-12 && !lowerFirst(d, *chosen)))
                    return;
            }
            chosen = d;
            chosenCos = Dot(v, vertical);
        });
    if (chosen) {
        const std::array<int, 3> i
            = Reduced({ chosen->index[0], chosen->index[1], chosen->index[2] });
        return UpDirection { { double(i[0]), double(i[1]), double(i[2]) }, true };
    }
    return UpDirection { lattice.directionIndices(vertical), false };
}
