#pragma once

#include "poles/PoleStore.h"
#include "scene/Crystal.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// What one plot did: the messages to show in order, and whether an entry
// was appended (only then does the window redraw).
struct DrawCommandResult
{
    QStringList messages;
    bool added = false;
};

// The entry typed numbers make in a crystal, or none with the messages
// that refuse it; nothing is plotted. The store is asked only whether it
// has room.
struct TypedEntry
{
    QStringList messages;
    std::optional<Entry> entry;
};
TypedEntry EntryOf(const std::array<double, 3>& values, const Crystal& crystal,
    const PoleStore& store, IndexKind kind = IndexKind::Plane);
// The same for the boxes' texts, validated as CheckIndexTexts does: three,
// or four where the crystal writes four indices.
TypedEntry ReadTypedEntry(const QStringList& texts, const Crystal& crystal, const PoleStore& store,
    IndexKind kind = IndexKind::Plane);

// Plots three numbers into the crystal's store: turns them into the index
// the crystal stores (reduced, folded or as typed, fractions cut by floor)
// and appends exactly one entry, or refuses and leaves the store as it was.
// A direction is refused without a word where the crystal cannot show one.
DrawCommandResult PlotIndex(const std::array<double, 3>& values, const Crystal& crystal,
    PoleStore& store, IndexKind kind = IndexKind::Plane);

// The draw button: validates the three typed texts (CheckIndex) and plots
// what they read.
DrawCommandResult RunDrawCommand(const QString& x, const QString& y, const QString& z,
    const Crystal& crystal, PoleStore& store, IndexKind kind = IndexKind::Plane);
