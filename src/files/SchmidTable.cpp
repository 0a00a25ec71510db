#include "files/SchmidTable.h"

#include "files/CsvTable.h"
#include "plotting/CheckIndex.h"

#include <cmath>

namespace {

std::optional<Index3> Stored(const Indices& v)
{
    if (!FitsIndex(v[0]) || !FitsIndex(v[1]) || !FitsIndex(v[2]))
        return std::nullopt;
    return Index3 { int16_t(v[0]), int16_t(v[1]), int16_t(v[2]) };
}

QString Factor(double m)
{
    // A factor that rounds to zero has no sign worth showing.
    return QString::number(std::fabs(m) < 0.0005 ? 0.0 : m, 'f', 3);
}

} // namespace

std::vector<SlipSet> SlipSetsFor(LatticeSystem system)
{
    std::vector<SlipSet> sets;
    for (const SlipSetRow& row : SlipSets())
        if (row.hexagonalAxes ? UsesFourIndices(system) : system == LatticeSystem::Cubic)
            sets.push_back(row.set);
    return sets;
}

std::variant<std::vector<SchmidRow>, QString> SchmidTable(
    const Crystal& crystal, const SlipChoice& slip, const Vector3& axis)
{
    const std::variant<CrystalSymmetry, QString> symmetry
        = CrystalSymmetry::Make(crystal.lattice, crystal.group);
    if (const QString* why = std::get_if<QString>(&symmetry))
        return *why;
    const std::variant<std::vector<SlipSystem>, QString> systems
        = std::holds_alternative<SlipSet>(slip)
        ? SlipSystems(std::get<CrystalSymmetry>(symmetry), std::get<SlipSet>(slip))
        : SlipSystems(crystal.group, std::get<SlipFamilies>(slip));
    if (const QString* why = std::get_if<QString>(&systems))
        return *why;
    const std::vector<SchmidFactor> factors
        = SchmidFactors(crystal.lattice, std::get<std::vector<SlipSystem>>(systems), axis);
    if (factors.empty())
        return SchmidTableMessages::ZeroAxis;

    std::vector<SchmidRow> rows;
    rows.reserve(factors.size());
    const double largest = factors.front().m;
    for (const SchmidFactor& f : factors) {
        const std::optional<Index3> plane = Stored(f.system.plane);
        const std::optional<Index3> direction = Stored(f.system.direction);
        if (!plane || !direction)
            return Messages::IndexTooLarge;
        rows.push_back({ f.system, f.m, IndexText(IndexKind::Plane, *plane, crystal.fourIndices()),
            IndexText(IndexKind::Direction, *direction, crystal.fourIndices()), Factor(f.m),
            SameSize(f.m, largest) });
    }
    return rows;
}

QByteArray SchmidCsv(std::span<const SchmidRow> rows)
{
    QList<QStringList> fields;
    fields.reserve(qsizetype(rows.size()));
    for (const SchmidRow& row : rows)
        fields.append({ row.plane, row.direction, row.factor });
    // The indices quoted, as the angle table quotes its own.
    return CsvRows(
        { QStringLiteral("plane"), QStringLiteral("direction"), QStringLiteral("m") }, fields, 2);
}
