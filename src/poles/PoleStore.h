#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// One plotted plane: where it is drawn, the index that was plotted
// (h, k, l and, for hexagonal poles, i = -(h + k)) and its three angles.
struct Pole
{
    double PoleX = 0.0;
    double PoleY = 0.0;
    std::array<int16_t, 4> PoleIndex {}; // h, k, l, i
    std::array<double, 3> PoleAngle {};
};

// Every plane plotted in the current projection, in plotting order.
class PoleStore
{
public:
    static constexpr int16_t MaxPoles = 32767;

    int16_t PoleCount() const { return static_cast<int16_t>(m_poles.size()); }
    bool isFull() const { return m_poles.size() >= static_cast<std::size_t>(MaxPoles); }
    const Pole& at(int n) const { return m_poles[static_cast<std::size_t>(n)]; }
    const std::vector<Pole>& poles() const { return m_poles; }

    // Appends one pole; returns false, changing nothing, when the store is full.
    bool append(const Pole& pole);
    // Empties the store and releases its storage.
    void InitPoleData();

    // Changes whenever poles are removed. Poles are otherwise only appended,
    // so (epoch, count) names the store's whole content: a view that has
    // shown n poles of an epoch needs only the poles after n.
    uint64_t epoch() const { return m_epoch; }

private:
    std::vector<Pole> m_poles;
    uint64_t m_epoch = 0;
};
