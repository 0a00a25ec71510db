#pragma once

#include "poles/PoleStore.h"
#include "views/View.h"

#include <QString>
#include <array>
#include <optional>

// Reads the picture back: the direction under a point, the plotted pole
// whose mark it is on, and the tool tip that names them. It knows nothing
// of widgets; the window hands it points in twips and shows its texts.
class PictureReader
{
public:
    // names: the reference index each angle column's caption shows, in
    // column order. hitRadius: how far from a pole's centre its mark
    // reaches, in twips, outline included.
    PictureReader(
        View view, const PoleStore& store, std::array<QString, 3> names, double hitRadius);

    // The direction shown at t, on the hemisphere the net's labels name
    // (component 0 not negative, as the angle list measures it); none
    // outside the primitive circle of a full view or outside the standard
    // region of a view with symmetry.
    std::optional<Vector3> DirectionAt(TwipsPoint t) const;
    // The pole whose mark covers t, the nearest when several do and the
    // last drawn among equals, since it lies on top; -1 for none.
    int PoleAt(TwipsPoint t) const;
    // The direction of a stored pole as the angle list measures it.
    Vector3 PoleDirection(int pole) const;

    // The tool tip at t, empty where there is nothing to read. picked is a
    // store position or -1.
    QString ToolTip(TwipsPoint t, int picked) const;

    // The centre of a screen pixel, in twips.
    static TwipsPoint PixelCentre(int x, int y);
    // The index a column caption starts with, "(100)" of "(100)　との　 角度差".
    static QString ReferenceName(const QString& caption);
    // What the picture shows, for a screen reader.
    static QString Description(std::optional<View> view, int poleCount);

private:
    QString lineOf(int pole) const;
    QString angleToPicked(int picked, const Vector3& direction) const;

    View m_view;
    const PoleStore& m_store;
    std::array<QString, 3> m_names;
    double m_hitRadius = 0.0;
};
