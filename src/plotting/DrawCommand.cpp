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

} // namespace

TypedEntry EntryOf(const std::array<double, 3>& values, const Crystal& crystal,
    const PoleStore& store, IndexKind kind)
{
    TypedEntry result;
    if (store.isFull()) {
        result.messages << Messages::StoreFull;
        return result;
    }
    if (kind == IndexKind::Direction && !crystal.allowsDirections())
        return result;

    const std::array<double, 3> p = StoredIndex(values, crystal.rule);
    // A hexagonal plane's i = -(h + k) is an index of its own and must fit too.
    const bool fits = FitsIndex(p[0]) && FitsIndex(p[1]) && FitsIndex(p[2])
        && (!crystal.fourIndices() || kind == IndexKind::Direction || FitsIndex(-(p[0] + p[1])));
    if (!fits) {
        result.messages << Messages::IndexTooLarge;
        return result;
    }
    // A typed fraction such as 0.5 0 0 passes the zero test but has no
    // direction once it is cut to whole numbers.
    if (p[0] == 0.0 && p[1] == 0.0 && p[2] == 0.0) {
        result.messages << Messages::ZeroIndex;
        return result;
    }

    const Index3 index = crystal.rule == IndexRule::CubicTriangle
        ? SortCubicIndex(values[0], values[1], values[2])
        : Index3 { static_cast<int16_t>(p[0]), static_cast<int16_t>(p[1]),
              static_cast<int16_t>(p[2]) };
    result.entries.push_back(Entry { kind, index, std::nullopt });
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

TypedEntry FamilyOf(const std::array<double, 3>& values, const Crystal& crystal,
    const PoleStore& store, IndexKind kind)
{
    // The typed index as the crystal stores it, then its family.
    TypedEntry result = EntryOf(values, crystal, store, kind);
    if (result.entries.empty() || !crystal.allowsFamilies())
        return result;
    const Index3 typed = result.entries.front().index;
    result.entries.clear();
    auto members = FamilyEntries(typed, crystal, kind);
    if (const QString* why = std::get_if<QString>(&members)) {
        result.messages << *why;
        return result;
    }
    std::vector<Entry>& entries = std::get<std::vector<Entry>>(members);
    const int room = PoleStore::MaxPoles - store.PoleCount();
    if (int(entries.size()) > room) {
        result.messages << Messages::FamilyTooLarge.arg(entries.size()).arg(room);
        return result;
    }
    result.entries = std::move(entries);
    return result;
}

TypedEntry ReadTypedEntry(const QStringList& texts, const Crystal& crystal, const PoleStore& store,
    IndexKind kind, ReadFunction read)
{
    const CheckIndexResult check = CheckIndexTexts(texts, kind);
    if (!check.proceed)
        return { check.message.isEmpty() ? QStringList() : QStringList { check.message }, {} };
    TypedEntry result = read(check.values, crystal, store, kind);
    if (!check.message.isEmpty())
        result.messages.prepend(check.message);
    return result;
}

namespace {

DrawCommandResult AppendAll(const TypedEntry& made, PoleStore& store)
{
    for (const Entry& entry : made.entries)
        store.append(entry);
    return { made.messages, !made.entries.empty() };
}

} // namespace

DrawCommandResult PlotIndex(
    const std::array<double, 3>& values, const Crystal& crystal, PoleStore& store, IndexKind kind)
{
    return AppendAll(EntryOf(values, crystal, store, kind), store);
}

DrawCommandResult PlotFamily(
    const std::array<double, 3>& values, const Crystal& crystal, PoleStore& store, IndexKind kind)
{
    return AppendAll(FamilyOf(values, crystal, store, kind), store);
}

DrawCommandResult RunDrawCommand(const QString& x, const QString& y, const QString& z,
    const Crystal& crystal, PoleStore& store, IndexKind kind, ReadFunction read)
{
    return AppendAll(ReadTypedEntry({ x, y, z }, crystal, store, kind, read), store);
}
