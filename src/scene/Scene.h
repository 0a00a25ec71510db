#pragma once

#include "figure/Layer.h"
#include "poles/Placer.h"
#include "projection/Projector.h"
#include "scene/Crystal.h"
#include "scene/SecondCrystal.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

struct ViewRow;

// What the picture shows: a frame, where the projected hemisphere lies on
// the picture and which part of it is seen, and the crystal drawn on it,
// each part a layer. The layers fixed to the paper stay as the crystal
// turns; the crystal's own net is drawn over them with its projector. A
// documented view is a scene of one crystal whose row names it and lists
// its net; the free view is the scene of the crystal the user chose.
struct Scene
{
    // The documented view this is; none for the free view.
    const ViewRow* row = nullptr;
    Frame frame;
    Region region = Region::Full;
    Crystal crystal;
    // The free view's second crystal, placed against the first.
    std::optional<SecondCrystal> second;
    Layers paper;
    Layers net;
    bool operator==(const Scene&) const = default;

    bool isFree() const { return row == nullptr; }
    // Places the crystal's directions on the picture and reads them back.
    Projector projector() const
    {
        return Projector(crystal.lattice, crystal.turn(), region, frame);
    }
    // The second crystal's projector for its variant n (1-based), and for
    // the variant drawn (the first while all are); none without a second.
    std::optional<Projector> secondProjector(int n) const;
    std::optional<Projector> secondProjector() const;
    // Places every entry by its own crystal.
    Placer placer() const { return { projector(), secondProjector() }; }
    // Whether the lists and the tool tip name each entry's crystal.
    bool twoCrystals() const { return second.has_value(); }
    const Lattice* secondLattice() const { return second ? &second->lattice : nullptr; }
    // The name a session file gives the view: a row's id, or "free".
    QString id() const;
    // What the view shows, in words, for a screen reader and a document's
    // description: the row's name, or the crystal, its cell and centre.
    QString name() const;
    // What a figure's caption says of the view, a line each: the view's
    // name (the crystal, its cell and centre), then the direction up and
    // the projection.
    QStringList figureCaption() const;
    // The captions of the three angle columns and the reference each names.
    const std::array<QString, 3>& captions() const;
    const std::array<QString, 3>& referenceNames() const;
};

// The free view of a crystal, on the frame of the full views in the
// projection its net names: the primitive circle and on request a Wulff or
// Schmidt net on the paper, the crystal's zone circles on request and the
// poles of its planes.
Scene FreeScene(const Crystal& crystal);
Scene FreeScene(const Lattice& lattice, const Rotation& orientation, const NetOptions& net = {});

// The name a session file gives the free view.
inline constexpr char16_t FreeViewId[] = u"free";
