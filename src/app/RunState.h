#pragma once

#include "poles/PoleStore.h"
#include "projection/View.h"

#include <cstdint>
#include <optional>

// What one run of the program knows: the current view and the plotted
// entries. It lives as long as the program and belongs to no window.
struct RunState
{
    int16_t CrystalSystem = 0; // 1 cubic, 2 hexagonal
    int16_t SymmetryMode = 0; // 1 with symmetry, anything else the full view
    PoleStore store;

    // The row of the documented view chosen, none before start-up.
    const ViewSpec* spec() const { return FindView(CrystalSystem, SymmetryMode); }
    std::optional<View> view() const
    {
        const ViewSpec* row = spec();
        return row ? std::optional<View>(row->view) : std::nullopt;
    }
};
