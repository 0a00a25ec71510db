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

std::vector<Candidate> candidates(LatticeSystem system, IndexKind kind, int limit)
{
    std::vector<Candidate> out;
    if (limit < 1)
        return out;
    const int n = std::min(limit, MaxLimit);
    const bool four = UsesFourIndices(system);
    for (int a = -n; a <= n; ++a)
        for (int b = -n; b <= n; ++b)
            for (int c = -n; c <= n; ++c) {
                if (std::gcd(std::gcd(a, b), c) != 1)
                    continue;
                if (!four) {
                    out.push_back(
                        candidate({ int16_t(a), int16_t(b), int16_t(c) }, { a, b, c, 0 }, 3));
                    continue;
                }
                // a, b, c are h k l of (h k i l), or u v w of [u v t w].
                const int third = -(a + b);
                if (std::abs(third) > n)
                    continue;
                if (kind == IndexKind::Plane) {
                    out.push_back(
                        candidate({ int16_t(a), int16_t(b), int16_t(c) }, { a, b, third, c }, 4));
                    continue;
                }
                // [u v t w] is [u - t, v - t, w] on the three axes.
                const std::array<int, 3> three = Reduced({ a - third, b - third, c });
                out.push_back(candidate({ int16_t(three[0]), int16_t(three[1]), int16_t(three[2]) },
                    { a, b, third, c }, 4));
            }
    std::sort(out.begin(), out.end(), [](const Candidate& x, const Candidate& y) {
        if (x.rank != y.rank)
            return x.rank < y.rank;
        return x.written > y.written;
    });
    return out;
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
    std::vector<Index3> out;
    for (const Candidate& c : candidates(system, kind, limit))
        out.push_back(c.index);
    return out;
}

std::optional<LowIndexForm> NearestLowIndex(
    const Lattice& lattice, IndexKind kind, const Vector3& v, int limit)
{
    const double n = Norm(v);
    if (!(n > 0.0) || !std::isfinite(n))
        return std::nullopt;
    std::optional<LowIndexForm> best;
    for (const Candidate& c : candidates(lattice.system(), kind, limit)) {
        const double deviation = AngleBetween(cartesian(lattice, kind, c.index), v);
        // Candidates come lowest first: a higher one must be nearer by more
        // than rounding to win.
        if (!best || deviation < best->deviation - 1e-9)
            best = LowIndexForm { c.index, deviation };
    }
    return best;
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

    const Candidate* chosen = nullptr;
    double chosenCos = 0.0;
    const std::vector<Candidate> all = candidates(lattice.system(), IndexKind::Direction, UpLimit);
    for (const Candidate& d : all) {
        if (chosen && d.rank != chosen->rank)
            break;
        const Vector3 v = Normalised(cartesian(lattice, IndexKind::Direction, d.index));
        if (std::fabs(Dot(v, *c)) > RightAngle)
            continue;
        const double cosine = Dot(v, vertical);
        if (!chosen || cosine > chosenCos + 1e-12) {
            chosen = &d;
            chosenCos = cosine;
        }
    }
    if (chosen) {
        const Index3& i = chosen->index;
        return UpDirection { { double(i[0]), double(i[1]), double(i[2]) }, true };
    }
    return UpDirection { lattice.directionIndices(vertical), false };
}
