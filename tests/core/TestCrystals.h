#pragma once

// Test-only: lattices made from parameters known to be good, and the proper
// rotations of the cubic (432) and hexagonal (622) point groups in the
// lattice's Cartesian frame, for tests of the rooms that take a crystal's
// rotations as a parameter. The program takes its own from the symmetry
// room.

#include "crystal/Lattice.h"
#include "math/EulerAngles.h"

#include <algorithm>
#include <array>
#include <vector>

namespace TestCrystals {

inline Lattice Make(LatticeSystem system, const LatticeParameters& p)
{
    return std::get<Lattice>(Lattice::Make(system, p));
}

// The 24 signed permutation matrices of determinant +1.
inline std::vector<Matrix3> Cubic()
{
    std::vector<Matrix3> out;
    std::array<int, 3> p { 0, 1, 2 };
    do {
        for (int signs = 0; signs < 8; ++signs) {
            Matrix3 m { { Vector3 {}, Vector3 {}, Vector3 {} } };
            for (int i = 0; i < 3; ++i)
                m.rows[std::size_t(i)][std::size_t(p[std::size_t(i)])] = signs >> i & 1 ? -1 : 1;
            if (m.determinant() > 0)
                out.push_back(m);
        }
    } while (std::next_permutation(p.begin(), p.end()));
    return out;
}

// Six turns about c, and six half turns about axes in the basal plane every
// 30 degrees from a1 (x).
inline std::vector<Matrix3> Hexagonal()
{
    std::vector<Matrix3> out;
    for (int k = 0; k < 6; ++k)
        out.push_back(TurnAboutZ(60.0 * k));
    for (int k = 0; k < 6; ++k)
        out.push_back(TurnAboutZ(30.0 * k) * TurnAboutX(180) * TurnAboutZ(-30.0 * k));
    return out;
}

} // namespace TestCrystals
