#pragma once

#include "crystal/ReferencePlanes.h"
#include "projection/Projector.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

// How the draw command turns typed numbers into the stored index: reduced
// into the cubic triangle or the hexagonal sector, written as the plane's
// opposite when its index along the projection axis (the first or the
// third number) is negative, or kept as typed.
enum class IndexRule : int8_t { CubicTriangle, HexSector, FoldFirst, FoldThird, AsTyped };

// The four documented nets, drawn exactly, or one generated for any crystal.
enum class NetKind : int8_t { CubicSym, CubicFull, HexSym, HexFull, Generated };

// What the generated net shows: the poles of planes with indices up to
// limit, the zone circles of the zone axes with indices up to 1, a Wulff net.
struct NetOptions
{
    int limit = 3;
    bool zoneCircles = true;
    bool wulffNet = false;
    bool operator==(const NetOptions&) const = default;
};

// Everything that decides where an entry is drawn, what its index and
// angles read and which net lies under it.
struct View
{
    Projector projector;
    IndexRule rule = IndexRule::AsTyped;
    NetKind net = NetKind::Generated;
    NetOptions netOptions;
    bool operator==(const View&) const = default;

    const Lattice& lattice() const { return projector.lattice(); }
    bool fourIndices() const { return UsesFourIndices(lattice().system()); }
    const ReferencePlanes& references() const { return ReferencesOf(lattice().system()); }
    // Whether directions may be plotted: only the free view has the means.
    bool allowsDirections() const { return rule == IndexRule::AsTyped; }
};

// One of the four projections of the menu, as data: its run-wide pair
// (CrystalSystem 1 cubic or 2 hexagonal, SymmetryMode 1 with symmetry or 2
// the full circle), the name a session file gives it, its menu caption,
// its description, the captions of the angle columns and its view.
struct ViewRow
{
    int16_t crystalSystem;
    int16_t symmetryMode;
    const char* id;
    QString menuCaption;
    QString name;
    std::array<QString, 3> captions;
    View view;
};

// The four, in menu order.
std::span<const ViewRow> DocumentedViews();
// The row that CrystalSystem and SymmetryMode select (any mode but 1 is the
// full view); none for an unknown crystal system.
const ViewRow* FindView(int16_t crystalSystem, int16_t symmetryMode);
const ViewRow* FindView(const QString& id);

// The turn that puts the direct-lattice direction centre at the middle of
// the projection, toward the viewer, and up (made perpendicular to it)
// upward; none when centre is (0 0 0) or up is parallel to it.
std::optional<Rotation> Orientation(
    const Lattice& lattice, const Vector3& centre, const Vector3& up);
// A low-index direction perpendicular to centre to hold upward: the first
// of [001], [010], [100] that is not parallel to centre, made perpendicular
// to it, and where a direction with indices up to 6 lies exactly there, that one.
Vector3 DefaultUp(const Lattice& lattice, const Vector3& centre);
// The free view of a crystal in an orientation, on the frame of the full views.
View FreeView(const Lattice& lattice, const Rotation& orientation, const NetOptions& options);
