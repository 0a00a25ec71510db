#pragma once

#include "poles/EntryGeometry.h"
#include "poles/PoleStore.h"

#include <optional>
#include <span>
#include <vector>

// Where every stored entry is drawn by a projector, worked out once: the
// pointer readout looks at all of them on every move.
class PlacementCache
{
public:
    // Extended by the entries appended since the last call; computed afresh
    // for another projector or after entries were removed.
    std::span<const Placement> of(const Projector& projector, const PoleStore& store);
    void clear();

private:
    std::optional<Projector> m_projector;
    uint64_t m_epoch = 0;
    std::vector<Placement> m_placements;
};
