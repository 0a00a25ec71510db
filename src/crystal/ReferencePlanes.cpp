#include "crystal/ReferencePlanes.h"

QString AngleCaption(const QString& name)
{
    return name + QStringLiteral(u"\u3000との\u3000 角度差");
}

const ReferencePlanes& ReferencesOf(LatticeSystem system)
{
    static const ReferencePlanes cubic { { { { 1, 0, 0 }, { 1, 1, 0 }, { 1, 1, 1 } } },
        { AngleCaption(QStringLiteral("(100)")), AngleCaption(QStringLiteral("(110)")),
            AngleCaption(QStringLiteral("(111)")) } };
    // The hexagonal captions drop the bars of (10-10) and (11-20), as the
    // nets' labels print them without a minus sign.
    static const ReferencePlanes hexagonal { { { { 0, 0, 1 }, { 1, 0, 0 }, { 1, 1, 0 } } },
        { AngleCaption(QStringLiteral("(0001)")), AngleCaption(QStringLiteral("(1010)")),
            AngleCaption(QStringLiteral("(1120)")) } };
    static const ReferencePlanes tetragonal { { { { 0, 0, 1 }, { 1, 0, 0 }, { 1, 1, 0 } } },
        { AngleCaption(QStringLiteral("(001)")), AngleCaption(QStringLiteral("(100)")),
            AngleCaption(QStringLiteral("(110)")) } };
    static const ReferencePlanes axes { { { { 1, 0, 0 }, { 0, 1, 0 }, { 0, 0, 1 } } },
        { AngleCaption(QStringLiteral("(100)")), AngleCaption(QStringLiteral("(010)")),
            AngleCaption(QStringLiteral("(001)")) } };
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
