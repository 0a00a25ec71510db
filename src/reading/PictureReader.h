#pragma once

#include "poles/EntryGeometry.h"
#include "poles/PlacementCache.h"
#include "poles/PoleStore.h"
#include "scene/Scene.h"

#include <QString>
#include <array>
#include <optional>
#include <span>

// Reads the picture back: the direction under a point, the plotted entry
// whose mark it is on, and the tool tip that names them. It knows nothing
// of widgets; the window hands it points in twips and shows its texts.
class PictureReader
{
public:
    // marks: where the stored entries are drawn. names:
    // the reference each angle column's caption names, in column order.
    // hitRadius: how far from an entry's centre its mark reaches, in twips,
    // outline included.
    PictureReader(const Scene& scene, const PoleStore& store, Marks marks,
        std::array<QString, 3> names, double hitRadius);

    // The direction shown at t, in the lattice's Cartesian frame, on the
    // hemisphere toward the viewer; none outside the primitive circle of a
    // full view or outside the standard region of a view with symmetry.
    std::optional<Vector3> DirectionAt(TwipsPoint t) const;
    // The entry whose mark covers t, the nearest when several do and the
    // last drawn among equals, since it lies on top; -1 for none.
    int PoleAt(TwipsPoint t) const;

    // The tool tip at t, empty where there is nothing to read. picked is a
    // store position or -1.
    QString ToolTip(TwipsPoint t, int picked) const;
    // The same with the entry at t found already, PoleAt's answer.
    QString ToolTip(TwipsPoint t, int pole, int picked) const;
    // The zone axis of two stored planes, as the view writes a direction;
    // empty when either is a direction or they are parallel.
    QString ZoneAxis(int first, int second) const;
    // The holder's tilts, from zero tilt, that bring the entry pole (or,
    // for -1, the direction under t) to the centre: a plane by the end of
    // its normal that faces the viewer at zero tilt, a direction as it
    // points. Only in the free view; none where nothing is read.
    std::optional<HolderTilt> TiltsAt(TwipsPoint t, int pole) const;

    // The centre of a screen pixel, in twips, on a picture drawn zoom times
    // its documented size.
    static TwipsPoint PixelCentre(int x, int y, double zoom = 1.0);
    // What the picture shows, for a screen reader: the view's name and the
    // number of entries plotted.
    static QString Description(const QString& viewName, int poleCount);

private:
    const Lattice& latticeOf(const Entry& entry) const;
    // The entry's plane normal or direction in the view's frame, for the
    // second crystal's as its variant (1-based) lies while all are drawn.
    Vector3 viewVector(const Entry& entry, int variant = 1) const;
    QString lineOf(int pole, int variant = 1) const;
    QString angleToPicked(int picked, IndexKind kind, const Vector3& direction) const;

    const Scene& m_scene;
    Projector m_projector;
    Placer m_placer;
    // While all the second crystal's variants are drawn: each one's
    // projector, and the marks of variants 2 on, which the marks given
    // (variant 1's) leave out.
    struct VariantMark
    {
        TwipsPoint at;
        int entry = 0;
        int variant = 1;
    };
    std::vector<Projector> m_variants;
    std::vector<VariantMark> m_variantMarks;
    // The variant of the mark the last look found.
    mutable int m_variantFound = 1;
    const PoleStore& m_store;
    Marks m_marks;
    std::array<QString, 3> m_names;
    double m_hitRadius = 0.0;
};
