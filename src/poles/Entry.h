#pragma once

#include "crystal/Notation.h"

// One plotted plane or direction: the index as the view stores it. Where it
// is drawn and its angles follow from the view.
struct Entry
{
    IndexKind kind = IndexKind::Plane;
    Index3 index {};
    bool operator==(const Entry&) const = default;
};
