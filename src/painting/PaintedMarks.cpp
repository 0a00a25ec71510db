#include "painting/PaintedMarks.h"

#include <algorithm>
#include <bit>

namespace {

constexpr std::size_t FirstSize = 1024;

// A multiply-and-rotate step per value, then one finaliser: cheap, and
// spread well enough for linear probing.
uint64_t Step(uint64_t h, uint64_t v)
{
    return std::rotl(h ^ (v * 0x9e3779b97f4a7c15ull), 27) * 0xbf58476d1ce4e5b9ull;
}

uint64_t Finish(uint64_t h)
{
    h ^= h >> 31;
    h *= 0x94d049bb133111ebull;
    return h ^ (h >> 29);
}

} // namespace

uint64_t PaintedMarks::hash(const PaintedMark& mark)
{
    uint64_t h = Step(uint64_t(uint16_t(mark.kind)) << 48 | uint64_t(uint16_t(mark.fill)) << 32
            | uint32_t(mark.width),
        0);
    // -0.0 and 0.0 are the same place, as == says.
    for (const double v : mark.values)
        h = Step(h, v == 0.0 ? 0 : std::bit_cast<uint64_t>(v));
    return Finish(Step(h, uint64_t(uint16_t(mark.colour))));
}

bool PaintedMarks::insert(const PaintedMark& mark)
{
    // At most three quarters full, so probes stay short.
    if (4 * (m_marks.size() + 1) > 3 * m_slots.size())
        grow();
    const uint64_t h = hash(mark);
    const uint64_t tag = h & 0xffffffff00000000ull;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = std::size_t(h) & mask;; i = (i + 1) & mask) {
        const uint64_t slot = m_slots[i];
        if (slot == 0) {
            // Grown by half, not doubled: at 32767 markers doubling would hold
            // a megabyte and a half that is never used.
            if (m_marks.size() == m_marks.capacity())
                m_marks.reserve(m_marks.capacity() + m_marks.capacity() / 2 + FirstSize);
            m_marks.push_back(mark);
            m_slots[i] = tag | m_marks.size();
            return true;
        }
        if ((slot & 0xffffffff00000000ull) == tag && m_marks[(slot & 0xffffffffu) - 1] == mark)
            return false;
    }
}

bool PaintedMarks::insert(const PrintedText& text)
{
    const qsizetype before = m_texts.size();
    m_texts.insert(text);
    return m_texts.size() > before;
}

void PaintedMarks::clear()
{
    m_texts.clear();
    m_marks.clear();
    std::fill(m_slots.begin(), m_slots.end(), 0);
}

void PaintedMarks::grow()
{
    m_slots.assign(std::max(FirstSize, 2 * m_slots.size()), 0);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t n = 0; n < m_marks.size(); ++n) {
        const uint64_t h = hash(m_marks[n]);
        std::size_t i = std::size_t(h) & mask;
        while (m_slots[i] != 0)
            i = (i + 1) & mask;
        m_slots[i] = (h & 0xffffffff00000000ull) | (n + 1);
    }
}
