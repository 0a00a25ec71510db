#include "orientation/Relationship.h"

#include "crystal/LowIndex.h"
#include "geometry/Geometry.h"
#include "math/EulerAngles.h"

#include <array>
#include <cmath>

namespace {

using enum NamedRelationship;
constexpr LatticeSystem Cubic = LatticeSystem::Cubic;
constexpr LatticeSystem Hexagonal = LatticeSystem::Hexagonal;

// [2 -1 -1 0] on the three hexagonal axes is [1 0 0].
constexpr std::array<NamedRelationshipRow, 5> Rows { {
    { KurdjumovSachs, "KS", "Kurdjumov–Sachs", Cubic, Cubic,
        { { 1, 1, 1 }, { 0, 1, 1 }, { -1, 0, 1 }, { -1, -1, 1 } } },
    { NishiyamaWassermann, "NW", "Nishiyama–Wassermann", Cubic, Cubic,
        { { 1, 1, 1 }, { 0, 1, 1 }, { -1, -1, 2 }, { 0, -1, 1 } } },
    { Pitsch, "Pitsch", "Pitsch", Cubic, Cubic,
        { { 0, 1, 0 }, { 1, 0, 1 }, { 1, 0, 1 }, { -1, 1, 1 } } },
    { Bain, "Bain", "Bain", Cubic, Cubic, { { 0, 0, 1 }, { 0, 0, 1 }, { 1, 0, 0 }, { 1, 1, 0 } } },
    { Burgers, "Burgers", "Burgers", Cubic, Hexagonal,
        { { 1, 1, 0 }, { 0, 0, 1 }, { 1, -1, 1 }, { 1, 0, 0 } } },
} };

struct Pair
{
    Vector3 normal;
    Vector3 direction;
};

// The plane's unit normal and the direction made exactly perpendicular to
// it, or why there are none.
std::variant<Pair, QString> pairOf(
    const Lattice& lattice, const Index3& plane, const Index3& direction, int crystal)
{
    const std::optional<Vector3> n = UnitVectorOf(lattice, IndexKind::Plane, plane);
    if (!n)
        return RelationshipMessages::PlaneZero;
    const std::optional<Vector3> d = UnitVectorOf(lattice, IndexKind::Direction, direction);
    if (!d)
        return RelationshipMessages::DirectionZero;
    const double outOfPlane = std::fabs(90.0 - AngleBetween(*n, *d));
    if (!(outOfPlane <= InPlaneDegrees)) {
        const bool four = UsesFourIndices(lattice.system());
        return RelationshipMessages::NotInPlane.arg(crystal)
            .arg(IndexText(IndexKind::Direction, direction, four),
                IndexText(IndexKind::Plane, plane, four))
            .arg(outOfPlane, 0, 'f', 3);
    }
    return Pair { *n, Normalised(Difference(*d, Scaled(*n, Dot(*n, *d)))) };
}

Matrix3 frameOf(const Pair& p)
{
    return Matrix3::FromColumns(p.normal, p.direction, Cross(p.normal, p.direction));
}

Matrix3 halfTurn(const Vector3& axis)
{
    return AxisAngleMatrix({ axis, 180.0 });
}

} // namespace

std::span<const NamedRelationshipRow> NamedRelationships()
{
    return Rows;
}

const NamedRelationshipRow& RowOf(NamedRelationship id)
{
    for (const NamedRelationshipRow& row : Rows)
        if (row.id == id)
            return row;
    return Rows[0];
}

const NamedRelationshipRow* FindRelationship(const QString& key)
{
    for (const NamedRelationshipRow& row : Rows)
        if (key == QLatin1String(row.key))
            return &row;
    return nullptr;
}

std::variant<Matrix3, QString> RelationshipTurn(
    const Lattice& parent, const Lattice& child, const RelationshipDefinition& definition)
{
    const auto p = pairOf(parent, definition.parentPlane, definition.parentDirection, 1);
    if (const QString* why = std::get_if<QString>(&p))
        return *why;
    const auto c = pairOf(child, definition.childPlane, definition.childDirection, 2);
    if (const QString* why = std::get_if<QString>(&c))
        return *why;
    // T takes the parent's frame of normal and direction onto the child's.
    return frameOf(std::get<Pair>(c)) * frameOf(std::get<Pair>(p)).transposed();
}

std::variant<Matrix3, QString> TwinInPlane(const Lattice& lattice, const Index3& plane)
{
    const std::optional<Vector3> n = UnitVectorOf(lattice, IndexKind::Plane, plane);
    if (!n)
        return RelationshipMessages::PlaneZero;
    return halfTurn(*n);
}

std::variant<Matrix3, QString> TwinAboutDirection(const Lattice& lattice, const Index3& direction)
{
    const std::optional<Vector3> d = UnitVectorOf(lattice, IndexKind::Direction, direction);
    if (!d)
        return RelationshipMessages::DirectionZero;
    return halfTurn(*d);
}
