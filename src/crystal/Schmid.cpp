#include "crystal/Schmid.h"

#include "crystal/Families.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

QString Digits(const Index3& index)
{
    return QString::number(index[0]) + QLatin1Char(' ') + QString::number(index[1])
        + QLatin1Char(' ') + QString::number(index[2]);
}

long long IndexDot(const Indices& p, const Indices& d)
{
    return static_cast<long long>(p[0]) * d[0] + static_cast<long long>(p[1]) * d[1]
        + static_cast<long long>(p[2]) * d[2];
}

// Equal factors of symmetric systems differ in the last bits; compared to
// 1e-9 they are one size.
long long SizeKey(double m)
{
    return std::llround(std::fabs(m) * 1e9);
}

bool IsZero(const Index3& v)
{
    return v[0] == 0 && v[1] == 0 && v[2] == 0;
}

} // namespace

std::span<const SlipSetRow> SlipSets()
{
    // Hexagonal indices in three-index form: {10-10} is {1 0 0}, <11-20>
    // is <1 1 0>, {11-22} is {1 1 2} and <11-23> is <1 1 1>.
    static const std::array<SlipSetRow, 8> rows { {
        { SlipSet::Fcc, QStringLiteral("fcc"), QStringLiteral("fcc {111}⟨110⟩"),
            { { 1, 1, 1 }, { 1, 1, 0 } }, false },
        { SlipSet::Bcc110, QStringLiteral("bcc110"), QStringLiteral("bcc {110}⟨111⟩"),
            { { 1, 1, 0 }, { 1, 1, 1 } }, false },
        { SlipSet::Bcc112, QStringLiteral("bcc112"), QStringLiteral("bcc {112}⟨111⟩"),
            { { 1, 1, 2 }, { 1, 1, 1 } }, false },
        { SlipSet::Bcc123, QStringLiteral("bcc123"), QStringLiteral("bcc {123}⟨111⟩"),
            { { 1, 2, 3 }, { 1, 1, 1 } }, false },
        { SlipSet::Basal, QStringLiteral("basal"), QStringLiteral("hcp 底面 (0001)⟨11-20⟩"),
            { { 0, 0, 1 }, { 1, 1, 0 } }, true },
        { SlipSet::Prismatic, QStringLiteral("prismatic"),
            QStringLiteral("hcp 柱面 {10-10}⟨11-20⟩"), { { 1, 0, 0 }, { 1, 1, 0 } }, true },
        { SlipSet::PyramidalA, QStringLiteral("pyramidal-a"),
            QStringLiteral("hcp 錐面 ⟨a⟩ {10-11}⟨11-20⟩"), { { 1, 0, 1 }, { 1, 1, 0 } }, true },
        { SlipSet::PyramidalCA, QStringLiteral("pyramidal-ca"),
            QStringLiteral("hcp 錐面 ⟨c+a⟩ {11-22}⟨11-23⟩"), { { 1, 1, 2 }, { 1, 1, 1 } }, true },
    } };
    return rows;
}

const SlipSetRow& SlipSetRowOf(SlipSet set)
{
    return SlipSets()[std::size_t(set)];
}

std::optional<SlipSet> SlipSetFromName(const QString& name)
{
    for (const SlipSetRow& row : SlipSets())
        if (row.name == name)
            return row.set;
    return std::nullopt;
}

std::variant<std::vector<SlipSystem>, QString> SlipSystems(
    const SpaceGroup& group, const SlipFamilies& families)
{
    if (IsZero(families.plane) || IsZero(families.direction))
        return SchmidMessages::ZeroIndex;
    std::vector<Indices> directions = DirectionFamily(group, families.direction);
    for (Indices& d : directions)
        d = FirstPositive(d);
    std::sort(directions.begin(), directions.end(), std::greater<>());
    directions.erase(std::unique(directions.begin(), directions.end()), directions.end());

    std::vector<SlipSystem> systems;
    for (const Indices& p : PlaneFamily(group, families.plane))
        for (const Indices& d : directions)
            if (IndexDot(p, d) == 0)
                systems.push_back({ p, d });
    if (systems.empty())
        return SchmidMessages::NoDirectionInPlane.arg(
            Digits(families.direction), Digits(families.plane));
    return systems;
}

std::variant<std::vector<SlipSystem>, QString> SlipSystems(
    const CrystalSymmetry& crystal, SlipSet set)
{
    const SlipSetRow& row = SlipSetRowOf(set);
    const LatticeSystem system = crystal.lattice().system();
    if (row.hexagonalAxes && !UsesFourIndices(system))
        return SchmidMessages::HexagonalOnly.arg(row.caption);
    if (!row.hexagonalAxes && system != LatticeSystem::Cubic)
        return SchmidMessages::CubicOnly.arg(row.caption);
    return SlipSystems(crystal.group(), row.families);
}

std::vector<SchmidFactor> SchmidFactors(
    const Lattice& lattice, std::span<const SlipSystem> systems, const Vector3& axis)
{
    const auto vector = [](const Indices& v) {
        return Vector3 { double(v[0]), double(v[1]), double(v[2]) };
    };
    const Vector3 load = Normalised(lattice.direction(axis));
    if (!(std::isfinite(load[0]) && std::isfinite(load[1]) && std::isfinite(load[2]))
        || !(Norm(load) > 0.5))
        return {};
    std::vector<SchmidFactor> factors;
    factors.reserve(systems.size());
    for (const SlipSystem& s : systems) {
        const Vector3 n = Normalised(lattice.planeNormal(vector(s.plane)));
        const Vector3 d = Normalised(lattice.direction(vector(s.direction)));
        factors.push_back({ s, Dot(load, n) * Dot(load, d) });
    }
    std::stable_sort(factors.begin(), factors.end(),
        [](const SchmidFactor& a, const SchmidFactor& b) { return SizeKey(a.m) > SizeKey(b.m); });
    return factors;
}

bool SameSize(double m1, double m2)
{
    return SizeKey(m1) == SizeKey(m2);
}
