#pragma once

#include "crystal/Lattice.h"
#include "crystal/Symmetry.h"
#include "math/Rotation.h"

#include <QString>
#include <variant>
#include <vector>

// A lattice with a space group that fits it, and the group's point
// operations in the lattice's Cartesian frame (a along x, c* along z): what
// turns poles, slip systems and orientations into their equivalents.
class CrystalSymmetry
{
public:
    // The lattice with the group, or why they do not go together: the
    // group must fit the lattice's system (SpaceGroup::fits). Then every
    // operation is a true rotation or rotoinversion of the lattice; a cubic
    // group on a tetragonal lattice, say, would only shear it.
    static std::variant<CrystalSymmetry, QString> Make(
        const Lattice& lattice, const SpaceGroup& group);

    const Lattice& lattice() const { return m_lattice; }
    const SpaceGroup& group() const { return m_group; }
    // Every operation of the point group, proper and improper, as an
    // orthonormal matrix A R A^-1 (A the direct basis, R the operation on
    // direct-lattice coordinates), in the order of pointOperations().
    const std::vector<Matrix3>& operations() const { return m_operations; }
    // The proper ones only, the identity first: the rotations that leave
    // the crystal as it was.
    const std::vector<Rotation>& rotations() const { return m_rotations; }

private:
    CrystalSymmetry(const Lattice& lattice, const SpaceGroup& group)
        : m_lattice(lattice)
        , m_group(group)
    {
    }

    Lattice m_lattice;
    SpaceGroup m_group;
    std::vector<Matrix3> m_operations;
    std::vector<Rotation> m_rotations;
};
