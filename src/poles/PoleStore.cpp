#include "poles/PoleStore.h"

bool PoleStore::append(const Entry& entry)
{
    if (isFull())
        return false;
    m_entries.push_back(entry);
    return true;
}

void PoleStore::InitPoleData()
{
    ++m_epoch;
    m_entries.clear();
    m_entries.shrink_to_fit();
}
