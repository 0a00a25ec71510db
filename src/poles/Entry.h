#pragma once

#include "crystal/Notation.h"

#include <cstdint>
#include <optional>

// One plotted plane or direction: the index as the view stores it. Where it
// is drawn and its angles follow from the view.
struct Entry
{
    Entry() = default;
    Entry(IndexKind kind_, const Index3& index_, std::optional<Index3> family_ = std::nullopt)
        : kind(kind_)
        , index(index_)
        , family(family_)
    {
    }

    IndexKind kind = IndexKind::Plane;
    // Which crystal of the scene it belongs to: 0 the first, 1 the second.
    int8_t crystal = 0;
    Index3 index {};
    // The family {h k l} or <u v w> as typed, when the entry was plotted as
    // one of its members: a session keeps the family whole members as the
    // one family typed. In what a file asks to plot, an entry with a family
    // asks for every member of it (and its index is the family's).
    std::optional<Index3> family;
    bool operator==(const Entry&) const = default;
};
