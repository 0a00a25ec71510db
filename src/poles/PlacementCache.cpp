#include "poles/PlacementCache.h"

std::span<const Placement> PlacementCache::of(const View& view, const PoleStore& store)
{
    const std::vector<Entry>& entries = store.entries();
    if (!m_view || !(*m_view == view) || m_epoch != store.epoch()
        || m_placements.size() > entries.size()) {
        m_view = view;
        m_epoch = store.epoch();
        m_placements.clear();
    }
    m_placements.reserve(entries.size());
    for (std::size_t n = m_placements.size(); n < entries.size(); ++n)
        m_placements.push_back(Place(view, entries[n]));
    return m_placements;
}

void PlacementCache::clear()
{
    m_view.reset();
    m_placements.clear();
    m_placements.shrink_to_fit();
}
