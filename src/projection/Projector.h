#pragma once

#include "crystal/Lattice.h"
#include "crystal/Notation.h"
#include "math/Rotation.h"
#include "projection/Frame.h"

#include <optional>

// The part of the projected hemisphere a view shows: all of it, or the
// magnified standard region of the cubic or the hexagonal crystal.
enum class Region : int8_t { Full, CubicTriangle, HexSector };

// Places directions of a crystal on the picture and reads them back. The
// view's frame has component 0 toward the viewer, 1 to the right and 2 up;
// the orientation turns the lattice's Cartesian frame into it.
class Projector
{
public:
    Projector() = default;
    Projector(const Lattice& lattice, const Rotation& orientation, Region region, Frame frame);

    const Lattice& lattice() const { return m_lattice; }
    const Rotation& orientation() const { return m_orientation; }
    Region region() const { return m_region; }
    const Frame& frame() const { return m_frame; }

    // The unit normal of a plane and the unit vector of a direction, in the
    // view's frame.
    Vector3 planeNormal(const Index3& hkl) const;
    Vector3 direction(const Index3& uvw) const;
    // A Cartesian vector of the lattice's frame, turned into the view's.
    Vector3 toView(const Vector3& cartesian) const { return m_orientation * cartesian; }
    Vector3 fromView(const Vector3& view) const { return m_orientation.inverse() * view; }

    // Where the unit vector v is drawn in the frame's projection (Project):
    // stereographic at 2 (v1, v2) / (1 + |v0|), so that a vector pointing
    // away from the viewer lies at its own azimuth, seen through the sphere.
    TwipsPoint toPicture(const Vector3& v) const;
    // Vectors this close to the plane of the primitive count as lying in
    // it, as those of views along low-index directions do but for rounding:
    // which way they lean must not hang on the last bit, or a turned crystal
    // saved and opened again would draw them otherwise.
    static constexpr double RimTolerance = 1e-9;
    // The pole of a plane: the end of its normal on the visible hemisphere;
    // on the rim, the normal as the index gives it.
    TwipsPoint planePole(const Index3& hkl) const;
    // A direction, and whether it points away from the viewer (on the rim
    // it does not).
    TwipsPoint directionPoint(const Index3& uvw, bool* away) const;

    // The unit vector on the visible hemisphere (component 0 not negative)
    // drawn at t; none outside the primitive circle or the view's region.
    std::optional<Vector3> fromPicture(TwipsPoint t) const;
    // The unit vector drawn at t, continued beyond the primitive circle onto
    // the far hemisphere, for turning the crystal with the pointer.
    Vector3 unproject(TwipsPoint t) const;
    bool inRegion(const Vector3& v) const;

    bool operator==(const Projector&) const = default;

private:
    Lattice m_lattice;
    Rotation m_orientation;
    Region m_region = Region::Full;
    Frame m_frame;
    // The orientation applied to the reciprocal and the direct basis.
    Matrix3 m_planes;
    Matrix3 m_directions;
};
