#include "poles/PlacementCache.h"

std::span<const Placement> PlacementCache::of(const Projector& projector, const PoleStore& store)
{
    const std::vector<Entry>& entries = store.entries();
    if (!m_projector || !(*m_projector == projector) || m_epoch != store.epoch()
        || m_placements.size() > entries.size()) {
        m_projector = projector;
        m_epoch = store.epoch();
        m_placements.clear();
    }
    m_placements.reserve(entries.size());
    for (std::size_t n = m_placements.size(); n < entries.size(); ++n)
        m_placements.push_back(Place(projector, entries[n]));
    return m_placements;
}

void PlacementCache::clear()
{
    m_projector.reset();
    m_placements.clear();
    m_placements.shrink_to_fit();
}
