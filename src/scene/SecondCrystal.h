#pragma once

#include "crystal/Lattice.h"
#include "crystal/Symmetry.h"
#include "math/EulerAngles.h"
#include "orientation/CrystalOrientation.h"
#include "orientation/Relationship.h"
#include "orientation/Variants.h"

#include <QString>
#include <variant>
#include <vector>

struct Crystal;

// How the second crystal is placed against the first, as the user gave it:
// a relationship of the literature, one typed as two parallelisms, a twin
// of the first (a 180-degree turn about a plane's normal or a direction),
// or an orientation of its own.
struct TwinPlane
{
    Index3 plane {};
    bool operator==(const TwinPlane&) const = default;
};
struct TwinAxis
{
    Index3 direction {};
    bool operator==(const TwinAxis&) const = default;
};
using SecondPlacement
    = std::variant<NamedRelationship, RelationshipDefinition, TwinPlane, TwinAxis, EulerAngles>;

// Which of the variants is drawn: one of them, or all at once.
inline constexpr int AllVariants = 0;

// The second crystal of a scene (結晶2): its lattice and space group, how it
// is placed, and how it is drawn. Its orientation is never kept on its own:
// it is the turn of the variant drawn times the first crystal's, so that it
// follows every turn and tilt of the first.
struct SecondCrystal
{
    Lattice lattice;
    SpaceGroup group;
    QString name;
    SecondPlacement placement;
    // T S for every rotation S of the first's point group, each child
    // orientation once; the first is T, the turn the placement defines,
    // taking the first crystal's Cartesian coordinates to the second's.
    std::vector<Matrix3> variants;
    // 1 to variants.size(), or AllVariants.
    int variant = 1;
    // Its own net, drawn only while one variant is shown.
    bool net = false;
    // A variant's number beside each of its marks while all are shown.
    bool variantNumbers = false;
    // Its marks, labels and net in a colour of its own rather than the ink.
    bool colour = false;
    bool operator==(const SecondCrystal&) const = default;

    // The second crystal placed against first, or why it cannot be: a
    // relationship whose directions leave their planes, a (0 0 0), a group
    // that does not fit the lattice, a variant that does not exist. A twin
    // has the first's lattice and group whatever is given. Euler angles
    // are the second's orientation as the first is drawn now.
    static std::variant<SecondCrystal, QString> Make(const Crystal& first, const Lattice& lattice,
        const SpaceGroup& group, const QString& name, const SecondPlacement& placement,
        int variant = 1, bool net = false, bool variantNumbers = false);

    bool allShown() const { return variant == AllVariants; }
    int variantCount() const { return int(variants.size()); }
    // Variant n (1-based) as drawn over the first crystal's orientation.
    CrystalOrientation orientationOf(const CrystalOrientation& first, int n) const;
    // The variant drawn, or the first while all are.
    CrystalOrientation orientation(const CrystalOrientation& first) const
    {
        return orientationOf(first, allShown() ? 1 : variant);
    }
    // The system of indices its lattice writes.
    bool fourIndices() const { return UsesFourIndices(lattice.system()); }
    // The crystal whose rule the draw command plots its entries by: its
    // lattice and group, every index as typed.
    Crystal crystal() const;
};

// The table of variants: each one's misorientation to the first, smallest
// over both crystals' symmetry, with its axis in the second's lattice.
std::vector<VariantRow> VariantTableOf(const Crystal& first, const SecondCrystal& second);
// The misorientation between the first crystal and the second as drawn.
Misorientation MisorientationOf(const Crystal& first, const SecondCrystal& second);

// The proper rotations of a crystal's point group, in its Cartesian frame;
// the identity alone when the group does not fit.
std::vector<Matrix3> ProperRotationsOf(const Lattice& lattice, const SpaceGroup& group);

namespace SecondCrystalMessages {
inline const QString NoSuchVariant = QStringLiteral("変種は 1 から %1 までです");
// The first crystal changed to one the second cannot be placed against.
inline const QString CannotFollow = QStringLiteral("この結晶に対しては結晶2 を置けません：%1");
} // namespace SecondCrystalMessages
