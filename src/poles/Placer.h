#pragma once

#include "poles/Entry.h"
#include "projection/Projector.h"

#include <optional>

// Places each entry by the projector of the crystal it belongs to: the
// first's, or the second's as drawn (its first variant while all are).
struct Placer
{
    Placer() = default;
    // One crystal: every entry is its.
    Placer(const Projector& first_) // NOLINT: a projector is a one-crystal placer
        : first(first_)
    {
    }
    Placer(const Projector& first_, const std::optional<Projector>& second_)
        : first(first_)
        , second(second_)
    {
    }

    Projector first;
    std::optional<Projector> second;
    bool operator==(const Placer&) const = default;

    const Projector& of(const Entry& entry) const
    {
        return entry.crystal == 1 && second ? *second : first;
    }
    bool twoCrystals() const { return second.has_value(); }
};
