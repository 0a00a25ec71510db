#pragma once

#include "poles/EntryGeometry.h"
#include "poles/Placer.h"
#include "poles/PoleStore.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The marks of the picture: one placement per place at which entries are
// drawn (with their fill), in the order in which the first of them was
// plotted, and the last entry drawn at each, the one on top. Without
// entries, every placement is its own entry's.
struct Marks
{
    Marks() = default;
    Marks(std::span<const Placement> marks, std::span<const int> last = {})
        : placements(marks)
        , lastEntries(last)
    {
    }
    std::span<const Placement> placements;
    std::span<const int> lastEntries;
    // The entry on top of mark n.
    int entryOf(std::size_t n) const { return lastEntries.empty() ? int(n) : lastEntries[n]; }
};

// Where every stored entry is drawn by its crystal's projector, worked out once: a
// redraw marks all of them and the pointer readout looks at all of them on
// every move. Entries are mostly plotted where others lie already, so each
// place is kept once too: a mark drawn again where an equal one lies
// changes no pixel.
class PlacementCache
{
public:
    // Extended by the entries appended since the last call; computed afresh
    // for other projectors or after entries were removed.
    std::span<const Placement> of(const Placer& placer, const PoleStore& store);
    Marks marks(const Placer& placer, const PoleStore& store);
    // Forgets all and gives back the memory.
    void clear();

private:
    void update(const Placer& placer, const PoleStore& store);
    // Adds the placement of entry n to its mark, or makes it a new one.
    void note(std::size_t n);
    void rehash(std::size_t size);
    const Placement& markAt(std::size_t mark) const
    {
        return m_repeats ? m_marks[mark] : m_placements[mark];
    }
    std::size_t markCount() const { return m_repeats ? m_marks.size() : m_placements.size(); }

    std::optional<Placer> m_placer;
    uint64_t m_epoch = 0;
    std::vector<Placement> m_placements;
    // Once an entry has come where another lies: the marks and the last
    // entry of each. Until then every entry is a mark of its own.
    bool m_repeats = false;
    std::vector<Placement> m_marks;
    std::vector<int> m_lastEntries;
    // Open addressing over the marks: a mark's number plus one, 0 for a
    // free slot. The store holds at most 32767 entries.
    std::vector<uint16_t> m_slots;
};
