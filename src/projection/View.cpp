#include "projection/View.h"

#include <algorithm>
#include <cmath>

namespace {

QString caption(const char16_t* text)
{
    return QString::fromUtf16(text);
}

// The cubic view along [100] with [001] up; the hexagonal one along [0001]
// with a2 up, so that (10-10) lies to the right.
Rotation cubicOrientation()
{
    return *Orientation(Lattice::UnitCubic(), { 1, 0, 0 }, { 0, 0, 1 });
}

Rotation hexagonalOrientation()
{
    return *Orientation(Lattice::IdealHexagonal(), { 0, 0, 1 }, { 0, 1, 0 });
}

// (110) lies 2 tan 22.5 deg from (100); the view stretches that to 5000 twips.
const Frame CubicSymFrame { 1000.0, 5500.0, 5000.0 / (2.0 * std::tan(Pi * 22.5 / 180.0)) };
const Frame HexSymFrame { 1000.0, 5500.0, 2500.0 };
const Frame FullFrame { 3500.0, 3500.0, 1500.0 };

// The Cartesian vector of direct-lattice indices scaled to a largest of 1:
// only their direction counts, and tiny or huge indices would underflow or
// overflow once squared for the length. Zero for (0 0 0) or a non-finite index.
Vector3 directionOf(const Lattice& lattice, const Vector3& indices)
{
    const double largest
        = std::max({ std::fabs(indices[0]), std::fabs(indices[1]), std::fabs(indices[2]) });
    if (!(largest > 0.0) || !std::isfinite(largest))
        return {};
    return lattice.direction({ indices[0] / largest, indices[1] / largest, indices[2] / largest });
}

std::array<ViewRow, 4> makeRows()
{
    const Lattice cubic = Lattice::UnitCubic();
    const Lattice hexagonal = Lattice::IdealHexagonal();
    // "立法晶" and "六法晶" are the items' captions as they have always read;
    // the third caption of the first row has two plain spaces. The third
    // hexagonal reference is the (1 1 -2 0) pole, 30 degrees from the
    // second, so its column is headed (1120).
    return { {
        { 1, 1, "cubic-sym", caption(u"立法晶・対称性あり"), caption(u"立方晶・対称性あり"),
            { caption(u"(100)\u3000との\u3000 角度差"), caption(u"(110)\u3000との\u3000 角度差"),
                caption(u"(111)  との\u3000 角度差") },
            { Projector(cubic, cubicOrientation(), Region::CubicTriangle, CubicSymFrame),
                IndexRule::CubicTriangle, NetKind::CubicSym, {} } },
        { 1, 2, "cubic-full", caption(u"立方晶・対称性なし"), caption(u"立方晶・対称性なし"),
            ReferencesOf(LatticeSystem::Cubic).captions,
            { Projector(cubic, cubicOrientation(), Region::Full, FullFrame), IndexRule::FoldFirst,
                NetKind::CubicFull, {} } },
        { 2, 1, "hex-sym", caption(u"六法晶・対称性あり"), caption(u"六方晶・対称性あり"),
            ReferencesOf(LatticeSystem::Hexagonal).captions,
            { Projector(hexagonal, hexagonalOrientation(), Region::HexSector, HexSymFrame),
                IndexRule::HexSector, NetKind::HexSym, {} } },
        { 2, 2, "hex-full", caption(u"六方晶・対称性なし"), caption(u"六方晶・対称性なし"),
            ReferencesOf(LatticeSystem::Hexagonal).captions,
            { Projector(hexagonal, hexagonalOrientation(), Region::Full, FullFrame),
                IndexRule::FoldThird, NetKind::HexFull, {} } },
    } };
}

} // namespace

std::span<const ViewRow> DocumentedViews()
{
    static const std::array<ViewRow, 4> rows = makeRows();
    return rows;
}

const ViewRow* FindView(int16_t crystalSystem, int16_t symmetryMode)
{
    const int16_t mode = symmetryMode == 1 ? 1 : 2;
    for (const ViewRow& row : DocumentedViews())
        if (row.crystalSystem == crystalSystem && row.symmetryMode == mode)
            return &row;
    return nullptr;
}

const ViewRow* FindView(const QString& id)
{
    for (const ViewRow& row : DocumentedViews())
        if (id == QLatin1String(row.id))
            return &row;
    return nullptr;
}

std::optional<Rotation> Orientation(
    const Lattice& lattice, const Vector3& centre, const Vector3& up)
{
    const Vector3 c = directionOf(lattice, centre);
    const Vector3 u = directionOf(lattice, up);
    const double nc = Norm(c);
    const double nu = Norm(u);
    if (!std::isfinite(nc) || !std::isfinite(nu) || !(nc > 0.0) || !(nu > 0.0))
        return std::nullopt;
    const Vector3 toViewer = Scaled(c, 1.0 / nc);
    const Vector3 across = Difference(u, Scaled(toViewer, Dot(toViewer, u)));
    // Up within a thousandth of a degree of the centre leaves no turn defined.
    if (!(Norm(across) > 1e-8 * nu))
        return std::nullopt;
    const Vector3 upward = Normalised(across);
    return Rotation::FromRows(toViewer, Cross(upward, toViewer), upward);
}

Vector3 DefaultUp(const Lattice& lattice, const Vector3& centre)
{
    const Vector3 c = Normalised(directionOf(lattice, centre));
    for (const Vector3& preferred :
        { Vector3 { 0, 0, 1 }, Vector3 { 0, 1, 0 }, Vector3 { 1, 0, 0 } }) {
        const Vector3 p = Normalised(lattice.direction(preferred));
        if (std::fabs(Dot(p, c)) > 1.0 - 1e-9)
            continue;
        const Vector3 wanted = Normalised(Difference(p, Scaled(c, Dot(c, p))));
        // The low-index direction nearest to it that is exactly perpendicular.
        Vector3 best {};
        double bestCos = 1.0 - 1e-9;
        constexpr int Limit = 6;
        for (int u = -Limit; u <= Limit; ++u)
            for (int v = -Limit; v <= Limit; ++v)
                for (int w = -Limit; w <= Limit; ++w) {
                    const Vector3 d = lattice.direction({ double(u), double(v), double(w) });
                    const double n = Norm(d);
                    if (!(n > 0.0) || std::fabs(Dot(d, c)) > 1e-9 * n)
                        continue;
                    const double cosine = Dot(d, wanted) / n;
                    if (cosine > bestCos + 1e-12) {
                        bestCos = cosine;
                        best = { double(u), double(v), double(w) };
                    }
                }
        if (Norm(best) > 0.0) {
            const std::array<int, 3> r = Reduced({ int(best[0]), int(best[1]), int(best[2]) });
            return { double(r[0]), double(r[1]), double(r[2]) };
        }
        return lattice.directionIndices(wanted);
    }
    return { 0, 0, 1 };
}

View FreeView(const Lattice& lattice, const Rotation& orientation, const NetOptions& options)
{
    return { Projector(lattice, orientation, Region::Full, FullFrame), IndexRule::AsTyped,
        NetKind::Generated, options };
}
