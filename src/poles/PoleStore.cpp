#include "poles/PoleStore.h"

bool PoleStore::append(const Pole& pole)
{
    if (isFull())
        return false;
    m_poles.push_back(pole);
    return true;
}

void PoleStore::InitPoleData()
{
    ++m_epoch;
    m_poles.clear();
    m_poles.shrink_to_fit();
}
