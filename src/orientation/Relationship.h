#pragma once

#include "crystal/Lattice.h"
#include "crystal/Notation.h"

#include <QString>
#include <span>
#include <variant>

// How a second crystal (the child) is related to the first (the parent).
// Every relationship is a turn T that takes the parent's Cartesian
// coordinates to the child's, v_child = T v_parent; the child's orientation
// is T g_parent.

// plane_parent || plane_child and direction_parent || direction_child, each
// direction in its plane.
struct RelationshipDefinition
{
    Index3 parentPlane {};
    Index3 childPlane {};
    Index3 parentDirection {};
    Index3 childDirection {};
    bool operator==(const RelationshipDefinition&) const = default;
};

enum class NamedRelationship : int8_t {
    KurdjumovSachs,
    NishiyamaWassermann,
    Pitsch,
    Bain,
    Burgers
};

// A relationship of the literature: its key in files, its name, the systems
// of parent and child it is written for, and its definition.
struct NamedRelationshipRow
{
    NamedRelationship id;
    const char* key;
    const char* name;
    LatticeSystem parent;
    LatticeSystem child;
    RelationshipDefinition definition;
};

// KS (111)γ || (011)α, [-1 0 1]γ || [-1 -1 1]α; NW (111)γ || (011)α,
// [-1 -1 2]γ || [0 -1 1]α; Pitsch (010)γ || (101)α, [101]γ || [-1 1 1]α;
// Bain (001)γ || (001)α, [100]γ || [110]α (fcc parent, bcc child); Burgers
// (110)β || (0001)α, [1 -1 1]β || [2 -1 -1 0]α (bcc parent, hcp child).
std::span<const NamedRelationshipRow> NamedRelationships();
const NamedRelationshipRow& RowOf(NamedRelationship id);
// The row whose key is key ("KS", "NW", "Pitsch", "Bain", "Burgers"); none
// for any other text.
const NamedRelationshipRow* FindRelationship(const QString& key);

// A direction more than this far out of its plane is refused.
inline constexpr double InPlaneDegrees = 0.1;

// T from the two parallelisms: the planes' normals exactly parallel, the
// directions (each made exactly perpendicular to its plane's normal)
// parallel. Refused, with the reason, when an index is (0 0 0) or a
// direction lies more than InPlaneDegrees out of its plane.
std::variant<Matrix3, QString> RelationshipTurn(
    const Lattice& parent, const Lattice& child, const RelationshipDefinition& definition);

// Twins of a crystal, each a 180-degree turn, so that twice is no turn. The
// twin in a plane (h k l) is the turn about the plane's normal: the mirror
// in the plane followed by the inversion, which is the mirror twin itself
// for a crystal that holds the inversion. Refused for (0 0 0).
std::variant<Matrix3, QString> TwinInPlane(const Lattice& lattice, const Index3& plane);
std::variant<Matrix3, QString> TwinAboutDirection(const Lattice& lattice, const Index3& direction);

namespace RelationshipMessages {
inline const QString PlaneZero = QStringLiteral("面指数がすべて 0 です");
inline const QString DirectionZero = QStringLiteral("方向指数がすべて 0 です");
// %1: 1 or 2, the crystal; %2: the direction; %3: the plane; %4: degrees.
inline const QString NotInPlane
    = QStringLiteral("結晶%1の方向 %2 は面 %3 の上にありません（%4° 外れています、0.1° まで）");
} // namespace RelationshipMessages
