#pragma once

#include "poles/PoleStore.h"

#include <QString>
#include <QStringList>
#include <cstdint>

// What one press of the draw button did: the messages to show in order,
// and whether a pole was appended (only then does the window redraw).
struct DrawCommandResult
{
    QStringList messages;
    bool added = false;
};

// Validates the three typed texts, reduces or folds the index for the view,
// projects it, measures its angles and appends exactly one pole, or refuses
// and leaves the store as it was.
DrawCommandResult RunDrawCommand(const QString& x, const QString& y, const QString& z,
    int16_t crystalSystem, int16_t symmetryMode, PoleStore& store);
