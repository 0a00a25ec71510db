#pragma once

#include "scene/Scene.h"

#include <QString>
#include <array>
#include <cstdint>
#include <span>

// One of the four projections of the menu, as data: its run-wide pair
// (CrystalSystem 1 cubic or 2 hexagonal, SymmetryMode 1 with symmetry or 2
// the full circle), the name a session file gives it, its menu item and
// caption, its description, the captions of the angle columns and its scene.
struct ViewRow
{
    int16_t crystalSystem;
    int16_t symmetryMode;
    const char* id;
    const char* menuItem;
    QString menuCaption;
    QString name;
    std::array<QString, 3> captions;
    Scene scene;
};

// The four, in menu order.
std::span<const ViewRow> DocumentedViews();
// The view the program starts in: cubic, with symmetry.
const ViewRow& StartUpView();
// The row that CrystalSystem and SymmetryMode select (any mode but 1 is the
// full view); none for an unknown crystal system.
const ViewRow* FindView(int16_t crystalSystem, int16_t symmetryMode);
const ViewRow* FindView(const QString& id);
