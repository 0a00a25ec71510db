#include "crystal/Families.h"

#include <algorithm>
#include <functional>

Indices MovedPlane(const IntMatrix3& r, const Indices& hkl)
{
    // The point group's matrices have determinant +-1, so R^-T is the
    // matrix of cofactors divided by it: whole numbers again.
    const auto cofactor = [&r](std::size_t i, std::size_t j) {
        const std::size_t i1 = (i + 1) % 3, i2 = (i + 2) % 3, j1 = (j + 1) % 3, j2 = (j + 2) % 3;
        return r[i1][j1] * r[i2][j2] - r[i1][j2] * r[i2][j1];
    };
    const int det = r[0][0] * cofactor(0, 0) + r[0][1] * cofactor(0, 1) + r[0][2] * cofactor(0, 2);
    Indices moved {};
    for (std::size_t i = 0; i < 3; ++i)
        moved[i]
            = det * (cofactor(i, 0) * hkl[0] + cofactor(i, 1) * hkl[1] + cofactor(i, 2) * hkl[2]);
    return moved;
}

Indices MovedDirection(const IntMatrix3& r, const Indices& uvw)
{
    Indices moved {};
    for (std::size_t i = 0; i < 3; ++i)
        moved[i] = r[i][0] * uvw[0] + r[i][1] * uvw[1] + r[i][2] * uvw[2];
    return moved;
}

namespace {

// The images of index under every operation, each once, in descending order.
template <typename Move>
std::vector<Indices> Family(const SpaceGroup& group, const Index3& index, Move move)
{
    if (index == Index3 {})
        return {};
    const Indices v { index[0], index[1], index[2] };
    std::vector<Indices> members;
    for (const IntMatrix3& r : group.pointOperations())
        members.push_back(move(r, v));
    std::sort(members.begin(), members.end(), std::greater<>());
    members.erase(std::unique(members.begin(), members.end()), members.end());
    return members;
}

} // namespace

Indices FirstPositive(Indices hkl)
{
    for (int x : hkl) {
        if (x == 0)
            continue;
        if (x < 0)
            for (int& y : hkl)
                y = -y;
        break;
    }
    return hkl;
}

std::vector<Indices> PlaneFamily(const SpaceGroup& group, const Index3& hkl)
{
    return Family(group, hkl,
        [](const IntMatrix3& r, const Indices& v) { return FirstPositive(MovedPlane(r, v)); });
}

std::vector<Indices> DirectionFamily(const SpaceGroup& group, const Index3& uvw)
{
    return Family(group, uvw, MovedDirection);
}
