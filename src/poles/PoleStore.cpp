#include "poles/PoleStore.h"

#include <algorithm>
#include <atomic>
#include <utility>

namespace {

uint64_t NewEpoch()
{
    // Any thread may make a store.
    static std::atomic<uint64_t> last { 0 };
    return ++last;
}

} // namespace

PoleStore::PoleStore()
    : m_epoch(NewEpoch())
{
}

bool PoleStore::append(const Entry& entry)
{
    if (isFull())
        return false;
    m_entries.push_back(entry);
    return true;
}

void PoleStore::InitPoleData()
{
    m_epoch = NewEpoch();
    m_entries.clear();
    m_entries.shrink_to_fit();
}

std::vector<Entry> PoleStore::takeLast(int count)
{
    m_epoch = NewEpoch();
    const auto from = m_entries.end() - std::clamp<std::ptrdiff_t>(count, 0, std::ssize(m_entries));
    std::vector<Entry> taken(from, m_entries.end());
    m_entries.erase(from, m_entries.end());
    return taken;
}

Entry PoleStore::takeAt(int n)
{
    m_epoch = NewEpoch();
    const Entry taken = m_entries.at(std::size_t(n));
    m_entries.erase(m_entries.begin() + n);
    return taken;
}

void PoleStore::insertAt(int n, const Entry& entry)
{
    m_epoch = NewEpoch();
    m_entries.insert(
        m_entries.begin() + std::clamp<std::ptrdiff_t>(n, 0, std::ssize(m_entries)), entry);
}

std::vector<Entry> PoleStore::takeAll()
{
    m_epoch = NewEpoch();
    return std::exchange(m_entries, {});
}

void PoleStore::restore(std::vector<Entry> entries)
{
    m_epoch = NewEpoch();
    m_entries = std::move(entries);
    if (m_entries.size() > std::size_t(MaxPoles))
        m_entries.resize(std::size_t(MaxPoles));
}
