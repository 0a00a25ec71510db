#pragma once

#include <array>
#include <cstdint>

// One line of what a file asks to plot, in order: a plane (h k l) or, in a
// free view, a direction [u v w]; hexagonal indices in the three-index form.
struct IndexEntry
{
    bool direction = false;
    std::array<int16_t, 3> index {};

    friend bool operator==(const IndexEntry&, const IndexEntry&) = default;
};

// As many as the pole store holds.
constexpr int MaxFileEntries = 32767;
