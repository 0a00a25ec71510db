#include "poles/PlacementCache.h"

#include <algorithm>
#include <bit>
#include <numeric>

namespace {

bool Same(const Placement& a, const Placement& b)
{
    return a.at.x == b.at.x && a.at.y == b.at.y && a.away == b.away;
}

std::size_t Hash(const Placement& p)
{
    // -0.0 and 0.0 are the same place, as == says.
    const auto bits = [](double v) { return v == 0.0 ? uint64_t(0) : std::bit_cast<uint64_t>(v); };
    uint64_t h = bits(p.at.x) * 0x9e3779b97f4a7c15ull;
    h = std::rotl(h, 29) ^ (bits(p.at.y) * 0xbf58476d1ce4e5b9ull) ^ uint64_t(p.away);
    return std::size_t(h ^ (h >> 32));
}

} // namespace

std::span<const Placement> PlacementCache::of(const Placer& placer, const PoleStore& store)
{
    update(placer, store);
    return m_placements;
}

Marks PlacementCache::marks(const Placer& placer, const PoleStore& store)
{
    update(placer, store);
    if (m_repeats)
        return { m_marks, m_lastEntries };
    return { m_placements, {} };
}

void PlacementCache::update(const Placer& placer, const PoleStore& store)
{
    const std::vector<Entry>& entries = store.entries();
    if (!m_placer || !(*m_placer == placer) || m_epoch != store.epoch()
        || m_placements.size() > entries.size()) {
        // The storage is kept for the next, about as large as the crystal turns.
        m_placements.clear();
        m_marks.clear();
        m_lastEntries.clear();
        m_repeats = false;
        std::fill(m_slots.begin(), m_slots.end(), 0);
        m_placer = placer;
        m_epoch = store.epoch();
        m_placements.reserve(entries.size());
    }
    for (std::size_t n = m_placements.size(); n < entries.size(); ++n) {
        m_placements.push_back(Place(placer.of(entries[n]), entries[n]));
        note(n);
    }
}

void PlacementCache::note(std::size_t n)
{
    const Placement& placement = m_placements[n];
    // At most half full, so that probes stay short.
    if (2 * (markCount() + 1) > m_slots.size())
        rehash(std::max<std::size_t>(1024, 2 * m_slots.size()));
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = Hash(placement) & mask;; i = (i + 1) & mask) {
        if (m_slots[i] == 0) {
            if (m_repeats) {
                m_marks.push_back(placement);
                m_lastEntries.push_back(int(n));
            }
            m_slots[i] = uint16_t(markCount());
            return;
        }
        const std::size_t mark = m_slots[i] - 1u;
        if (Same(markAt(mark), placement)) {
            if (!m_repeats) {
                m_repeats = true;
                m_marks.assign(m_placements.begin(), m_placements.begin() + std::ptrdiff_t(n));
                m_lastEntries.resize(n);
                std::iota(m_lastEntries.begin(), m_lastEntries.end(), 0);
            }
            m_lastEntries[mark] = int(n);
            return;
        }
    }
}

void PlacementCache::rehash(std::size_t size)
{
    m_slots.assign(size, 0);
    const std::size_t mask = size - 1;
    // Every mark but the newest entry's, which note() places next.
    const std::size_t count = m_repeats ? m_marks.size() : m_placements.size() - 1;
    for (std::size_t mark = 0; mark < count; ++mark) {
        std::size_t i = Hash(markAt(mark)) & mask;
        while (m_slots[i] != 0)
            i = (i + 1) & mask;
        m_slots[i] = uint16_t(mark + 1);
    }
}

void PlacementCache::clear()
{
    m_placer.reset();
    m_repeats = false;
    for (auto* v : { &m_placements, &m_marks })
        std::vector<Placement>().swap(*v);
    std::vector<int>().swap(m_lastEntries);
    std::vector<uint16_t>().swap(m_slots);
}
