#pragma once

#include "poles/PoleStore.h"
#include "scene/Crystal.h"

#include <QString>
#include <QStringList>
#include <array>
#include <variant>
#include <vector>

// What one plot did: the messages to show in order, and whether an entry
// was appended (only then does the window redraw).
struct DrawCommandResult
{
    QStringList messages;
    bool added = false;
};

// Plots three numbers into the crystal's store: turns them into the index
// the crystal stores (reduced, folded or as typed, fractions cut by floor)
// and appends exactly one entry, or refuses and leaves the store as it was.
// A direction is refused without a word where the crystal cannot show one.
DrawCommandResult PlotIndex(const std::array<double, 3>& values, const Crystal& crystal,
    PoleStore& store, IndexKind kind = IndexKind::Plane);

// Plots the whole family {h k l} or <u v w> of three numbers under the
// crystal's point group, every member once in the family's order, each
// remembering the family as typed; all of them, or none when one does not
// fit or the store has no room for them all. Where the crystal reduces
// what is typed, it plots the one entry PlotIndex plots.
DrawCommandResult PlotFamily(const std::array<double, 3>& values, const Crystal& crystal,
    PoleStore& store, IndexKind kind = IndexKind::Plane);
// The entries PlotFamily appends for a family as stored, or why a member
// does not fit the store's range.
std::variant<std::vector<Entry>, QString> FamilyEntries(
    const Index3& typed, const Crystal& crystal, IndexKind kind);

// The draw button: validates the three typed texts (CheckIndex) and plots
// what they read, one entry or a family.
using PlotFunction
    = DrawCommandResult (*)(const std::array<double, 3>&, const Crystal&, PoleStore&, IndexKind);
DrawCommandResult RunDrawCommand(const QString& x, const QString& y, const QString& z,
    const Crystal& crystal, PoleStore& store, IndexKind kind = IndexKind::Plane,
    PlotFunction plot = PlotIndex);
