#pragma once

#include "files/IndexEntry.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// An index list (*.txt, UTF-8): one plane a line as three whole numbers,
// separated by blanks or commas and optionally in parentheses, "(1 2 3)" or
// "1, 2, 3"; a direction in square brackets, "[1 0 0]"; in the free view
// a family of planes in braces, "{1 1 1}", or of directions in angle
// brackets, "<1 1 0>". Blank lines and
// lines starting with "#" are skipped. The index list the window saves
// reads back as it is.

struct IndexListOptions
{
    // Hexagonal views: four numbers (h k i l) with i = -(h + k), and
    // directions [u v t w] with t = -(u + v), read as their three-index forms.
    bool fourIndex = false;
    // Only a free view plots directions, and families: "{1 1 1}" the
    // planes and "<1 1 0>" (or "⟨1 1 0⟩") the directions equivalent to one.
    bool directions = false;
    bool families = false;
    // With a second crystal, a line may begin with its crystal, "1:" or
    // "2:", as the lists write it; the second's lines take four indices
    // where it does. A "2:" line without one is refused.
    std::optional<bool> secondFourIndex = std::nullopt;
};

// The entries in order, or the first problem in Japanese (FileMessages),
// naming the line by its number and text.
struct IndexListRead
{
    QList<IndexEntry> entries;
    QString error;
};
IndexListRead ReadIndexList(const QByteArray& bytes, IndexListOptions options);
