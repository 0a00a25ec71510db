#pragma once

#include "poles/Entry.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Every plane (or direction) plotted in the current projection, in plotting order.
class PoleStore
{
public:
    static constexpr int16_t MaxPoles = 32767;

    PoleStore();

    int16_t PoleCount() const { return static_cast<int16_t>(m_entries.size()); }
    bool isFull() const { return m_entries.size() >= static_cast<std::size_t>(MaxPoles); }
    const Entry& at(int n) const { return m_entries[static_cast<std::size_t>(n)]; }
    const std::vector<Entry>& entries() const { return m_entries; }

    // Appends one entry; returns false, changing nothing, when the store is full.
    bool append(const Entry& entry);
    // Empties the store and releases its storage.
    void InitPoleData();

    // Entries taken out and put back as a step of the work is undone or
    // done again; what is taken is moved out, storage and all.
    std::vector<Entry> takeLast(int count);
    Entry takeAt(int n);
    void insertAt(int n, const Entry& entry);
    std::vector<Entry> takeAll();
    // Holds exactly these entries, which must be at most MaxPoles.
    void restore(std::vector<Entry> entries);

    // Changes whenever entries are removed. Entries are otherwise only
    // appended, so (epoch, count) names the store's whole content: a view
    // that has shown n entries of an epoch needs only the entries after n.
    // A new store takes an epoch no store had before, so that one put in
    // place of another (an opened session's) is never taken for it.
    uint64_t epoch() const { return m_epoch; }

private:
    std::vector<Entry> m_entries;
    uint64_t m_epoch;
};
