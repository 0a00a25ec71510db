#include "poles/PoleStore.h"

#include <atomic>

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
