#pragma once

#include "crystal/CrystalSymmetry.h"
#include "crystal/Notation.h"

#include <QString>
#include <optional>
#include <span>
#include <variant>
#include <vector>

// Slip systems and their Schmid factors under a uniaxial load.

// A family of slip planes {h k l} and one of slip directions <u v w>, both
// in three-index form (hexagonal ones too).
struct SlipFamilies
{
    Index3 plane;
    Index3 direction;
    bool operator==(const SlipFamilies&) const = default;
};

enum class SlipSet : int8_t {
    Fcc,
    Bcc110,
    Bcc112,
    Bcc123,
    Basal,
    Prismatic,
    PyramidalA,
    PyramidalCA
};

// A named set of slip systems as one row of data.
struct SlipSetRow
{
    SlipSet set;
    // The command line's name: fcc, bcc110, bcc112, bcc123, basal,
    // prismatic, pyramidal-a, pyramidal-ca.
    QString name;
    // As a list offers it: "fcc {111}⟨110⟩", "hcp 柱面 {10-10}⟨11-20⟩".
    QString caption;
    SlipFamilies families;
    // The indices are those of hexagonal axes (hexagonal and trigonal
    // crystals); otherwise of cubic ones.
    bool hexagonalAxes;
};
std::span<const SlipSetRow> SlipSets();
const SlipSetRow& SlipSetRowOf(SlipSet set);
std::optional<SlipSet> SlipSetFromName(const QString& name);

// One slip system: a plane and a direction in it, each written with its
// first non-zero index positive.
struct SlipSystem
{
    Indices plane;
    Indices direction;
    bool operator==(const SlipSystem&) const = default;
};

// Every slip system of the two families under the group's point group,
// each once: every plane of the family (up to its opposite) with every
// direction of the other (up to its opposite) that lies in it, planes in
// their family's order and, for each, directions in theirs. Or why there
// are none: an index (0 0 0), or no direction in any of the planes.
std::variant<std::vector<SlipSystem>, QString> SlipSystems(
    const SpaceGroup& group, const SlipFamilies& families);
// The same for a named set, which only crystals on its axes take.
std::variant<std::vector<SlipSystem>, QString> SlipSystems(
    const CrystalSymmetry& crystal, SlipSet set);

struct SchmidFactor
{
    SlipSystem system;
    // cos(phi) cos(lambda), phi the angle of the load to the plane's
    // normal and lambda to the slip direction, with its sign.
    double m;
};
// The factors of the systems for a load along the direction [u v w] of
// the lattice, the largest |m| first; systems of equal |m| keep their
// order. Empty when the axis is [0 0 0] or not finite.
std::vector<SchmidFactor> SchmidFactors(
    const Lattice& lattice, std::span<const SlipSystem> systems, const Vector3& axis);
// Whether two factors have one size |m| as SchmidFactors orders them.
bool SameSize(double m1, double m2);

namespace SchmidMessages {
inline const QString ZeroIndex
    = QStringLiteral("すべり面とすべり方向の指数がすべて 0 になっています");
// %1 the direction family, %2 the plane family.
inline const QString NoDirectionInPlane
    = QStringLiteral("すべり方向 ⟨%1⟩ はすべり面 {%2} のどの面にも含まれません");
// %1 the set's caption.
inline const QString CubicOnly = QStringLiteral("すべり系 %1 は立方晶の結晶にだけ使えます");
inline const QString HexagonalOnly
    = QStringLiteral("すべり系 %1 は六方晶と三方晶の結晶にだけ使えます");
} // namespace SchmidMessages
