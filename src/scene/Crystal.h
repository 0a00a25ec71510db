#pragma once

#include "crystal/Lattice.h"
#include "crystal/ReferencePlanes.h"
#include "crystal/Symmetry.h"
#include "math/Rotation.h"
#include "orientation/HeldOrientation.h"
#include "projection/ProjectionKind.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <variant>

// How the draw command turns typed numbers into the index a crystal stores:
// reduced into the cubic triangle or the hexagonal sector, written as the
// plane's opposite when its index along the projection axis (the first or
// the third number) is negative, or kept as typed.
enum class IndexRule : int8_t { CubicTriangle, HexSector, FoldFirst, FoldThird, AsTyped };

// What a generated net shows: the poles of planes with indices up to
// limit, the zone circles of the zone axes with indices up to 1, a Wulff
// net (a Schmidt net in the equal-area projection) and the projection it is
// drawn in; with absences, only the reflections the crystal's space group
// allows, each plane at its lowest allowed order.
struct NetOptions
{
    NetOptions() = default;
    NetOptions(int limit_, bool zoneCircles_, bool wulffNet_, bool absences_ = false,
        ProjectionKind projection_ = ProjectionKind::Stereographic)
        : limit(limit_)
        , zoneCircles(zoneCircles_)
        , wulffNet(wulffNet_)
        , absences(absences_)
        , projection(projection_)
    {
    }

    int limit = 3;
    bool zoneCircles = true;
    bool wulffNet = false;
    bool absences = false;
    ProjectionKind projection = ProjectionKind::Stereographic;
    bool operator==(const NetOptions&) const = default;
};

// One crystal of a scene: its lattice and space group, how it is turned
// toward the viewer, how a typed index becomes the one it stores, and what
// its own net shows.
// The orientation is kept as a rotation in the holder, so that turning and
// tilting the crystal lose nothing; centre and up are read off it.
struct Crystal
{
    Crystal() = default;
    // Without a group, the lattice's holohedry.
    Crystal(const Lattice& lattice_, const HeldOrientation& orientation_, IndexRule rule_,
        const NetOptions& net_, const std::optional<SpaceGroup>& group_ = std::nullopt,
        const QString& name_ = {})
        : lattice(lattice_)
        , orientation(orientation_)
        , rule(rule_)
        , net(net_)
        , group(group_.value_or(SpaceGroup::Holohedry(lattice_.system())))
        , name(name_)
    {
    }

    Lattice lattice;
    // At Euler (0, 0, 0): the cubic crystal along [001] with [010] up.
    HeldOrientation orientation;
    IndexRule rule = IndexRule::AsTyped;
    NetOptions net;
    // Always one that fits the lattice; a crystal of which nothing more is
    // known has its lattice's holohedry.
    SpaceGroup group = SpaceGroup::Holohedry(LatticeSystem::Cubic);
    // The name it came with (a CIF file's); empty for one typed.
    QString name;
    // How the lists, the tool tip and the CSV table read the angle between
    // two planes.
    PlaneAngles planeAngles = PlaneAngles::Full;
    bool operator==(const Crystal&) const = default;

    // The turn the projector puts the lattice's frame through, as drawn.
    Rotation turn() const { return orientation.drawn().projector(); }

    // A crystal of the free view, looking along the direct-lattice direction
    // centre with up upward, with the space group (none: the holohedry), or
    // why there is none (no lattice, centre or up (0 0 0) or with an index
    // beyond 1e300, up along centre, a group of another system). Up left
    // out is LowIndexUp's: the lowest-index lattice direction at right
    // angles to the centre, or where there is none, the vertical made
    // perpendicular.
    static std::variant<Crystal, QString> Make(LatticeSystem system,
        const LatticeParameters& parameters, const Vector3& centre,
        const std::optional<Vector3>& up, const NetOptions& net,
        const std::optional<SpaceGroup>& group = std::nullopt);

    // The direct-lattice directions at the centre, toward the viewer, and
    // upward, scaled so that their largest index is 1 or, when the
    // direction is a low-index one, as its smallest whole numbers.
    Vector3 centre() const;
    Vector3 up() const;

    LatticeSystem system() const { return lattice.system(); }
    bool fourIndices() const { return UsesFourIndices(lattice.system()); }
    const ReferencePlanes& references() const { return ReferencesOf(lattice.system()); }
    // The reductions and folds are of planes; a direction can only be kept
    // as typed.
    bool allowsDirections() const { return rule == IndexRule::AsTyped; }
    // A family plots every member as it is; a reduction would fold them
    // onto one pole.
    bool allowsFamilies() const { return rule == IndexRule::AsTyped; }
};

namespace FreeViewMessages {
// %1: the direction as given.
inline const QString CentreUnusable = QStringLiteral("中心の方向 %1 は表せません");
inline const QString CentreTooLarge = QStringLiteral("中心の方向 %1 は指数が大きすぎて表せません");
inline const QString CentreZero = CentreUnusable.arg(QStringLiteral("[0 0 0]"));
inline const QString UpUnusable = QStringLiteral("上の方向 %1 は表せません");
inline const QString UpTooLarge = QStringLiteral("上の方向 %1 は指数が大きすぎて表せません");
inline const QString UpAlongCentre = QStringLiteral("上の方向が中心の方向と平行です");
} // namespace FreeViewMessages
