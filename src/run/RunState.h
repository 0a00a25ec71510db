#pragma once

#include "poles/PoleStore.h"
#include "projection/FreeViewSettings.h"
#include "projection/View.h"
#include "surface/DisplaySettings.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

// What one run of the program knows: the current view and the plotted
// entries. It lives as long as the program and belongs to no window.
struct RunState
{
    int16_t CrystalSystem = 0; // 1 cubic, 2 hexagonal
    int16_t SymmetryMode = 0; // 1 with symmetry, anything else the full view
    PoleStore store;
    // The line width and plot size the picture is drawn with.
    DisplaySettings display = StartUpDisplay;
    // The free view's crystal and orientation, kept while another view is
    // chosen so that choosing it again starts from them.
    FreeViewSettings free;
    bool freeChosen = false;
    // Until a projection is chosen the angle columns keep their start-up captions.
    bool projectionChosen = false;

    // The row of the documented view chosen; none before start-up and in
    // the free view.
    const ViewRow* row() const;
    std::optional<View> view() const;
    // The captions of the three angle columns.
    std::array<QString, 3> angleCaptions() const;
    // What the view shows, in words, for a screen reader and a document's
    // description; empty before start-up.
    QString viewName() const;

    // Choose a documented view or the free one; both empty the store.
    void chooseDocumented(const ViewRow& row);
    void chooseFree(const FreeViewSettings& settings);
};

// The captions the angle columns show from start-up until a projection is chosen.
const std::array<QString, 3>& StartUpAngleCaptions();
