#include "crystal/SymmetryDoor.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>

namespace {

// Each crystal system as the tables name it, with its holohedry's number.
struct SystemRow
{
    gemmi::CrystalSystem tables;
    LatticeSystem system;
    int holohedry;
};
constexpr SystemRow Systems[] = { { gemmi::CrystalSystem::Cubic, LatticeSystem::Cubic, 221 },
    { gemmi::CrystalSystem::Tetragonal, LatticeSystem::Tetragonal, 123 },
    { gemmi::CrystalSystem::Orthorhombic, LatticeSystem::Orthorhombic, 47 },
    { gemmi::CrystalSystem::Hexagonal, LatticeSystem::Hexagonal, 191 },
    { gemmi::CrystalSystem::Trigonal, LatticeSystem::Trigonal, 166 },
    { gemmi::CrystalSystem::Monoclinic, LatticeSystem::Monoclinic, 10 },
    { gemmi::CrystalSystem::Triclinic, LatticeSystem::Triclinic, 2 } };

constexpr IntMatrix3 Identity { { { 1, 0, 0 }, { 0, 1, 0 }, { 0, 0, 1 } } };

IntMatrix3 PointPart(const gemmi::Op& op)
{
    IntMatrix3 r {};
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            r[i][j] = op.rot[i][j] / gemmi::Op::DEN;
    return r;
}

// Full-width letters, digits and signs as ASCII; the minus sign U+2212 too.
QString Ascii(const QString& text)
{
    return text.normalized(QString::NormalizationForm_KC)
        .replace(QChar(0x2212), QLatin1Char('-'))
        .trimmed();
}

} // namespace

SpaceGroup SpaceGroupDoor::Of(const gemmi::SpaceGroup& entry)
{
    // Some hundreds of entries at most, each made on first use and kept for
    // the run, so that a group is a pointer and copies cost nothing.
    static std::mutex mutex;
    static std::map<const gemmi::SpaceGroup*, std::unique_ptr<const SpaceGroup::Data>> made;
    const std::lock_guard lock(mutex);
    std::unique_ptr<const SpaceGroup::Data>& data = made[&entry];
    if (!data) {
        auto fresh = std::make_unique<SpaceGroup::Data>();
        fresh->entry = &entry;
        fresh->operations = entry.operations();
        for (const gemmi::Op& op : fresh->operations.sym_ops)
            fresh->pointOperations.push_back(PointPart(op));
        const auto identity
            = std::find(fresh->pointOperations.begin(), fresh->pointOperations.end(), Identity);
        if (identity != fresh->pointOperations.end())
            std::rotate(fresh->pointOperations.begin(), identity, identity + 1);
        data = std::move(fresh);
    }
    return SpaceGroup(data.get());
}

const gemmi::SpaceGroup* SpaceGroupDoor::FindByName(
    const QString& symbol, double alpha, double gamma)
{
    if (const gemmi::SpaceGroup* found
        = gemmi::find_spacegroup_by_name(symbol.toStdString(), alpha, gamma))
        return found;
    // Older tables write the cubic groups' bar-3 as 3: Fm3m, P a 3, I a 3 d.
    static const QRegularExpression oldCubic(QStringLiteral("(?<=[mndac])\\s*3"));
    QString modern = symbol;
    modern.replace(oldCubic, QStringLiteral(" -3"));
    if (modern == symbol)
        return nullptr;
    return gemmi::find_spacegroup_by_name(modern.toStdString(), alpha, gamma);
}

std::optional<int> SpaceGroupDoor::UniqueAxis(const gemmi::GroupOps& operations)
{
    // The proper part of the two-fold axis or of the mirror (its negative)
    // is +1 along the unique axis and -1 across it.
    for (const gemmi::Op& op : operations.sym_ops) {
        const gemmi::Op::Rot r = op.det_rot() < 0 ? op.negated_rot() : op.rot;
        if (r == gemmi::Op::identity().rot)
            continue;
        for (int axis = 0; axis < 3; ++axis)
            if (r[std::size_t(axis)][std::size_t(axis)] == gemmi::Op::DEN)
                return axis;
    }
    return std::nullopt;
}

LatticeSystem SpaceGroupDoor::SystemOf(const gemmi::SpaceGroup& entry)
{
    for (const SystemRow& row : Systems)
        if (row.tables == entry.crystal_system())
            return row.system;
    return LatticeSystem::Triclinic;
}

SpaceGroup::SpaceGroup()
    : SpaceGroup(SpaceGroupDoor::Of(gemmi::get_spacegroup_p1()))
{
}

std::variant<SpaceGroup, QString> SpaceGroup::FromText(const QString& text)
{
    const QString symbol = Ascii(text);
    if (symbol.isEmpty())
        return SymmetryMessages::Empty;
    const bool digits
        = std::all_of(symbol.begin(), symbol.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (digits) {
        const int number = symbol.size() <= 3 ? symbol.toInt() : 0;
        if (number < 1 || number > 230)
            return SymmetryMessages::NumberOutOfRange;
        // Below 231 the tables number each group's standard setting.
        return SpaceGroupDoor::Of(*gemmi::find_spacegroup_by_number(number));
    }
    const gemmi::SpaceGroup* entry = nullptr;
    const bool ascii = std::all_of(symbol.begin(), symbol.end(),
        [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7f; });
    if (ascii)
        entry = SpaceGroupDoor::FindByName(symbol);
    if (!entry)
        return SymmetryMessages::Unknown.arg(symbol);
    const SpaceGroup group = SpaceGroupDoor::Of(*entry);
    if (entry->ext == 'R')
        return SymmetryMessages::RhombohedralAxes.arg(symbol);
    if (group.system() == LatticeSystem::Monoclinic
        && SpaceGroupDoor::UniqueAxis(group.m_data->operations) != 1)
        return SymmetryMessages::UniqueAxisNotB.arg(symbol);
    return group;
}

SpaceGroup SpaceGroup::Holohedry(LatticeSystem system)
{
    // Every crystal made asks for one: each is looked up once.
    static const auto groups = [] {
        std::array<SpaceGroup, std::size(Systems)> made;
        for (const SystemRow& row : Systems)
            made[std::size_t(row.system)]
                = SpaceGroupDoor::Of(*gemmi::find_spacegroup_by_number(row.holohedry));
        return made;
    }();
    const std::size_t row = std::size_t(system);
    return row < groups.size() ? groups[row] : groups[std::size_t(LatticeSystem::Triclinic)];
}

QString SpaceGroup::name() const
{
    const gemmi::SpaceGroup& entry = *m_data->entry;
    QString name = QString::fromLatin1(entry.hm);
    if (entry.ext && gemmi::find_spacegroup_by_name(entry.hm) != &entry)
        name += QLatin1Char(':') + QChar::fromLatin1(entry.ext);
    return name;
}

int SpaceGroup::number() const
{
    return m_data->entry->number;
}

LatticeSystem SpaceGroup::system() const
{
    return SpaceGroupDoor::SystemOf(*m_data->entry);
}

bool SpaceGroup::fits(LatticeSystem crystal) const
{
    const LatticeSystem own = system();
    return own == crystal
        || (own == LatticeSystem::Trigonal && crystal == LatticeSystem::Hexagonal
            && m_data->entry->hm[0] == 'P');
}

QString SpaceGroup::misfit(LatticeSystem crystal) const
{
    if (fits(crystal))
        return {};
    return SymmetryMessages::Misfit.arg(name(), SystemName(system()), SystemName(crystal));
}

QString SpaceGroup::pointGroup() const
{
    return QString::fromLatin1(m_data->entry->point_group_hm());
}

QString SpaceGroup::laueClass() const
{
    return QString::fromLatin1(m_data->entry->laue_str());
}

const std::vector<IntMatrix3>& SpaceGroup::pointOperations() const
{
    return m_data->pointOperations;
}

bool SpaceGroup::isAbsent(const Indices& hkl) const
{
    // The tables multiply indices by 24 and by translations of up to two
    // cells; 10^7 keeps that well inside an int.
    for (int x : hkl)
        if (x > 10'000'000 || x < -10'000'000)
            return false;
    return m_data->operations.is_systematically_absent(hkl);
}

std::optional<int> SpaceGroup::lowestAllowedOrder(const Indices& hkl, int limit) const
{
    const long long largest
        = std::max({ std::llabs(hkl[0]), std::llabs(hkl[1]), std::llabs(hkl[2]) });
    if (largest == 0)
        return std::nullopt;
    for (int n = 1; n <= limit / largest; ++n)
        if (!isAbsent({ n * hkl[0], n * hkl[1], n * hkl[2] }))
            return n;
    return std::nullopt;
}
