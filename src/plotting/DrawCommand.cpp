#include "plotting/DrawCommand.h"

#include "crystal/Families.h"
#include "crystal/Reduction.h"
#include "plotting/CheckIndex.h"

#include <cmath>

namespace {

std::array<double, 3> Opposite(const std::array<double, 3>& v)
{
    return { -v[0], -v[1], -v[2] };
}

// The index as the crystal stores it, still in doubles so that its range can
// be tested before anything is converted to 16 bits. The full views show
// the pole of a plane on the projected hemisphere: a plane typed with a
// negative index along the projection axis is the same plane as its
// opposite, which is what they store.
std::array<double, 3> StoredIndex(std::array<double, 3> v, IndexRule rule)
{
    switch (rule) {
    case IndexRule::CubicTriangle:
        // In any order: SortCubicIndex orders them once they are known to fit.
        return { std::trunc(std::fabs(v[0])), std::trunc(std::fabs(v[1])),
            std::trunc(std::fabs(v[2])) };
    case IndexRule::HexSector:
        return HexSectorIndex(v[0], v[1], v[2]);
    case IndexRule::FoldFirst:
        if (v[0] < 0)
            v = Opposite(v);
        break;
    case IndexRule::FoldThird:
        if (v[2] < 0)
            v = Opposite(v);
        break;
    case IndexRule::AsTyped:
        break;
    }
    return { std::floor(v[0]), std::floor(v[1]), std::floor(v[2]) };
}

// The index the crystal stores for three numbers, or why it stores none.
std::variant<Index3, QString> Stored(
    const std::array<double, 3>& values, const Crystal& crystal, IndexKind kind)
{
    const std::array<double, 3> p = StoredIndex(values, crystal.rule);
    // A hexagonal plane's i = -(h + k) is an index of its own and must fit too.
    const bool fits = FitsIndex(p[0]) && FitsIndex(p[1]) && FitsIndex(p[2])
        && (!crystal.fourIndices() || kind == IndexKind::Direction || FitsIndex(-(p[0] + p[1])));
    if (!fits)
        return Messages::IndexTooLarge;
    // A typed fraction such as 0.5 0 0 passes the zero test but has no
    // direction once it is cut to whole numbers.
    if (p[0] == 0.0 && p[1] == 0.0 && p[2] == 0.0)
        return Messages::ZeroIndex;
    return crystal.rule == IndexRule::CubicTriangle
        ? SortCubicIndex(values[0], values[1], values[2])
        : Index3 { static_cast<int16_t>(p[0]), static_cast<int16_t>(p[1]),
              static_cast<int16_t>(p[2]) };
}

} // namespace

DrawCommandResult PlotIndex(
    const std::array<double, 3>& values, const Crystal& crystal, PoleStore& store, IndexKind kind)
{
    DrawCommandResult result;
    if (store.isFull()) {
        result.messages << Messages::StoreFull;
        return result;
    }
    if (kind == IndexKind::Direction && !crystal.allowsDirections())
        return result;
    const std::variant<Index3, QString> index = Stored(values, crystal, kind);
    if (const QString* why = std::get_if<QString>(&index)) {
        result.messages << *why;
        return result;
    }
    result.added = store.append({ kind, std::get<Index3>(index), std::nullopt });
    return result;
}

std::variant<std::vector<Entry>, QString> FamilyEntries(
    const Index3& typed, const Crystal& crystal, IndexKind kind)
{
    const std::vector<Indices> members = kind == IndexKind::Plane
        ? PlaneFamily(crystal.group, typed)
        : DirectionFamily(crystal.group, typed);
    std::vector<Entry> entries;
    entries.reserve(members.size());
    for (const Indices& m : members) {
        const bool fits = FitsIndex(m[0]) && FitsIndex(m[1]) && FitsIndex(m[2])
            && (!crystal.fourIndices() || kind == IndexKind::Direction
                || FitsIndex(-(double(m[0]) + m[1])));
        if (!fits)
            return Messages::IndexTooLarge;
        entries.push_back(
            { kind, { int16_t(m[0]), int16_t(m[1]), int16_t(m[2]) }, std::optional(typed) });
    }
    return entries;
}

DrawCommandResult PlotFamily(
    const std::array<double, 3>& values, const Crystal& crystal, PoleStore& store, IndexKind kind)
{
    if (!crystal.allowsFamilies())
        return PlotIndex(values, crystal, store, kind);
    DrawCommandResult result;
    if (store.isFull()) {
        result.messages << Messages::StoreFull;
        return result;
    }
    const std::variant<Index3, QString> typed = Stored(values, crystal, kind);
    if (const QString* why = std::get_if<QString>(&typed)) {
        result.messages << *why;
        return result;
    }
    const auto members = FamilyEntries(std::get<Index3>(typed), crystal, kind);
    if (const QString* why = std::get_if<QString>(&members)) {
        result.messages << *why;
        return result;
    }
    const std::vector<Entry>& entries = std::get<std::vector<Entry>>(members);
    const int room = PoleStore::MaxPoles - store.PoleCount();
    if (int(entries.size()) > room) {
        result.messages << Messages::FamilyTooLarge.arg(entries.size()).arg(room);
        return result;
    }
    for (const Entry& entry : entries)
        store.append(entry);
    result.added = true;
    return result;
}

DrawCommandResult RunDrawCommand(const QString& x, const QString& y, const QString& z,
    const Crystal& crystal, PoleStore& store, IndexKind kind, PlotFunction plot)
{
    const CheckIndexResult check = CheckIndex(x, y, z);
    if (!check.proceed)
        return { check.message.isEmpty() ? QStringList() : QStringList { check.message }, false };
    DrawCommandResult result = plot(check.values, crystal, store, kind);
    if (!check.message.isEmpty())
        result.messages.prepend(check.message);
    return result;
}
