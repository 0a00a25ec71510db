#pragma once

#include "crystal/Notation.h"

#include <cstdlib>
#include <numeric>
#include <vector>

// count planes that are distinct poles in a full view: indices with h > 0
// and no common factor, smallest first.
inline std::vector<Index3> DistinctPlanes(std::size_t count)
{
    std::vector<Index3> planes;
    planes.reserve(count);
    for (int h = 1; planes.size() < count; ++h)
        for (int k = -h; k <= h && planes.size() < count; ++k)
            for (int l = -h; l <= h && planes.size() < count; ++l)
                if (std::gcd(std::gcd(h, std::abs(k)), std::abs(l)) == 1)
                    planes.push_back({ int16_t(h), int16_t(k), int16_t(l) });
    return planes;
}
