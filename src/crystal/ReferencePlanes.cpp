#include "crystal/ReferencePlanes.h"

#include <cstdlib>

namespace {

// A plane of single-digit indices as a file writes it, signed: "(10-10)".
QString Written(const Index3& plane, bool fourIndices)
{
    const std::array<int32_t, 4> four = FourIndexPlane(plane);
    const std::array<int32_t, 4> three { plane[0], plane[1], plane[2], 0 };
    QString text = QStringLiteral("(");
    for (int j = 0; j < (fourIndices ? 4 : 3); ++j)
        text += QString::number((fourIndices ? four : three)[std::size_t(j)]);
    return text + u')';
}

ReferencePlanes Named(const std::array<Index3, 3>& planes, const std::array<QString, 3>& names,
    bool fourIndices = false)
{
    ReferencePlanes references { planes, names, {}, {} };
    for (std::size_t k = 0; k < names.size(); ++k) {
        references.captions[k] = names[k] + QStringLiteral(u"\u3000との\u3000 角度差");
        references.written[k] = Written(planes[k], fourIndices);
    }
    return references;
}

} // namespace

const ReferencePlanes& ReferencesOf(LatticeSystem system)
{
    static const ReferencePlanes cubic = Named({ { { 1, 0, 0 }, { 1, 1, 0 }, { 1, 1, 1 } } },
        { QStringLiteral("(100)"), QStringLiteral("(110)"), QStringLiteral("(111)") });
    // The hexagonal names drop the bars of (10-10) and (11-20), as the nets'
    // labels print them without a minus sign. The third is the (1 1 -2 0)
    // pole, 30 degrees from the second.
    static const ReferencePlanes hexagonal = Named({ { { 0, 0, 1 }, { 1, 0, 0 }, { 1, 1, 0 } } },
        { QStringLiteral("(0001)"), QStringLiteral("(1010)"), QStringLiteral("(1120)") }, true);
    static const ReferencePlanes tetragonal = Named({ { { 0, 0, 1 }, { 1, 0, 0 }, { 1, 1, 0 } } },
        { QStringLiteral("(001)"), QStringLiteral("(100)"), QStringLiteral("(110)") });
    static const ReferencePlanes axes = Named({ { { 1, 0, 0 }, { 0, 1, 0 }, { 0, 0, 1 } } },
        { QStringLiteral("(100)"), QStringLiteral("(010)"), QStringLiteral("(001)") });
    switch (system) {
    case LatticeSystem::Cubic:
        return cubic;
    case LatticeSystem::Hexagonal:
    case LatticeSystem::Trigonal:
        return hexagonal;
    case LatticeSystem::Tetragonal:
        return tetragonal;
    case LatticeSystem::Orthorhombic:
    case LatticeSystem::Monoclinic:
    case LatticeSystem::Triclinic:
        break;
    }
    return axes;
}
