#pragma once

// The one place the crystallographic library's types meet the program's:
// included only by the room's own sources (crystal/Symmetry*.cpp), never
// by a header the rest of the program includes.

#include "crystal/Symmetry.h"

#include <gemmi/symmetry.hpp>

#include <QString>
#include <optional>

struct SpaceGroup::Data
{
    const gemmi::SpaceGroup* entry = nullptr;
    gemmi::GroupOps operations;
    std::vector<IntMatrix3> pointOperations;
};

struct SpaceGroupDoor
{
    // The group of a table entry; every entry is made once and kept.
    static SpaceGroup Of(const gemmi::SpaceGroup& entry);
    static const gemmi::SpaceGroup& Entry(const SpaceGroup& group) { return *group.m_data->entry; }
    static const gemmi::GroupOps& Operations(const SpaceGroup& group)
    {
        return group.m_data->operations;
    }
    // The unique axis of a monoclinic group's operations (0 a, 1 b, 2 c),
    // the one its two-fold axis or mirror normal lies along.
    static std::optional<int> UniqueAxis(const gemmi::GroupOps& operations);
    static LatticeSystem SystemOf(const gemmi::SpaceGroup& entry);
    // The table's entry for a Hermann-Mauguin symbol in ASCII, also in the
    // older cubic spelling (Fm3m). The angles alpha and gamma, when given,
    // choose rhombohedral axes for a bare R symbol on a rhombohedral cell.
    static const gemmi::SpaceGroup* FindByName(
        const QString& symbol, double alpha = 0.0, double gamma = 0.0);
};
