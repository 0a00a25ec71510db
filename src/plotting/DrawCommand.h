#pragma once

#include "poles/PoleStore.h"
#include "projection/View.h"

#include <QString>
#include <QStringList>

// What one press of the draw button did: the messages to show in order,
// and whether an entry was appended (only then does the window redraw).
struct DrawCommandResult
{
    QStringList messages;
    bool added = false;
};

// Validates the three typed texts, turns them into the index the view
// stores (reduced, folded or as typed, decimals cut by floor) and appends
// exactly one entry, or refuses and leaves the store as it was. A
// direction is refused where the view cannot show one.
DrawCommandResult RunDrawCommand(const QString& x, const QString& y, const QString& z,
    const View& view, PoleStore& store, IndexKind kind = IndexKind::Plane);
