#include "crystal/Presets.h"

#include <array>

std::span<const CrystalPreset> CrystalPresets()
{
    static const std::array<CrystalPreset, 9> presets = [] {
        const auto group = [](const char* symbol) {
            return std::get<SpaceGroup>(SpaceGroup::FromText(QString::fromLatin1(symbol)));
        };
        const SpaceGroup fcc = group("F m -3 m");
        const SpaceGroup hcp = group("P 63/m m c");
        // Lengths in angstrom; the angles the system fixes are filled in by it.
        return std::array<CrystalPreset, 9> { {
            { QStringLiteral("Al（アルミニウム）"), LatticeSystem::Cubic,
                { 4.0495, 4.0495, 4.0495, 90, 90, 90 }, fcc },
            { QStringLiteral("Cu（銅）"), LatticeSystem::Cubic,
                { 3.6149, 3.6149, 3.6149, 90, 90, 90 }, fcc },
            { QStringLiteral("α-Fe（鉄）"), LatticeSystem::Cubic,
                { 2.8665, 2.8665, 2.8665, 90, 90, 90 }, group("I m -3 m") },
            { QStringLiteral("Si（ケイ素）"), LatticeSystem::Cubic,
                { 5.4310, 5.4310, 5.4310, 90, 90, 90 }, group("F d -3 m") },
            { QStringLiteral("Mg（マグネシウム）"), LatticeSystem::Hexagonal,
                { 3.209, 3.209, 5.211, 90, 90, 120 }, hcp },
            { QStringLiteral("α-Ti（チタン）"), LatticeSystem::Hexagonal,
                { 2.9508, 2.9508, 4.6855, 90, 90, 120 }, hcp },
            { QStringLiteral("Zn（亜鉛）"), LatticeSystem::Hexagonal,
                { 2.665, 2.665, 4.947, 90, 90, 120 }, hcp },
            { QStringLiteral("α-Zr（ジルコニウム）"), LatticeSystem::Hexagonal,
                { 3.232, 3.232, 5.147, 90, 90, 120 }, hcp },
            { QStringLiteral("β-Sn（スズ）"), LatticeSystem::Tetragonal,
                { 5.8197, 5.8197, 3.1749, 90, 90, 90 }, group("I 41/a m d") },
        } };
    }();
    return presets;
}
