#pragma once

#include "poles/PoleStore.h"
#include "scene/Crystal.h"

#include <QString>
#include <QStringList>
#include <array>
#include <variant>
#include <vector>

// What one plot did: the messages to show in order, and whether entries
// were appended (only then does the window redraw).
struct DrawCommandResult
{
    QStringList messages;
    bool added = false;
};

// The entries typed numbers make in a crystal (one, or a family's members),
// or none with the messages that refuse them; nothing is plotted. The
// store is asked only whether it has room.
struct TypedEntry
{
    QStringList messages;
    std::vector<Entry> entries;
};
// The one entry of three numbers: turned into the index the crystal stores
// (reduced, folded or as typed, fractions cut by floor). A direction is
// refused without a word where the crystal cannot show one.
TypedEntry EntryOf(const std::array<double, 3>& values, const Crystal& crystal,
    const PoleStore& store, IndexKind kind = IndexKind::Plane);
// The whole family {h k l} or <u v w> of three numbers under the crystal's
// point group, every member once in the family's order, each remembering
// the family as typed; none when one does not fit or the store has no room
// for them all. Where the crystal reduces what is typed, EntryOf's entry.
TypedEntry FamilyOf(const std::array<double, 3>& values, const Crystal& crystal,
    const PoleStore& store, IndexKind kind = IndexKind::Plane);
// The entries FamilyOf makes for a family as stored, or why a member does
// not fit the store's range.
std::variant<std::vector<Entry>, QString> FamilyEntries(
    const Index3& typed, const Crystal& crystal, IndexKind kind);

// What the index boxes' texts make, validated as CheckIndexTexts does:
// three, or four where the crystal writes four indices; read as one entry
// (EntryOf) or a family (FamilyOf).
using ReadFunction
    = TypedEntry (*)(const std::array<double, 3>&, const Crystal&, const PoleStore&, IndexKind);
TypedEntry ReadTypedEntry(const QStringList& texts, const Crystal& crystal, const PoleStore& store,
    IndexKind kind = IndexKind::Plane, ReadFunction read = EntryOf);

// Plots three numbers into the store: the entries EntryOf (PlotIndex) or
// FamilyOf (PlotFamily) makes are all appended, or the store is left as it
// was.
DrawCommandResult PlotIndex(const std::array<double, 3>& values, const Crystal& crystal,
    PoleStore& store, IndexKind kind = IndexKind::Plane);
DrawCommandResult PlotFamily(const std::array<double, 3>& values, const Crystal& crystal,
    PoleStore& store, IndexKind kind = IndexKind::Plane);

// The draw button without a window: reads the three typed texts and plots
// what they make.
DrawCommandResult RunDrawCommand(const QString& x, const QString& y, const QString& z,
    const Crystal& crystal, PoleStore& store, IndexKind kind = IndexKind::Plane,
    ReadFunction read = EntryOf);
