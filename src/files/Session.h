#pragma once

#include "crystal/Lattice.h"
#include "files/IndexEntry.h"
#include "scene/Crystal.h"
#include "scene/DocumentedViews.h"
#include "scene/SecondCrystal.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <optional>
#include <variant>

// What a session file (*.orvandeler, UTF-8 JSON) keeps: the view, the two
// drawing settings and the entries in plotting order, so that plotting them
// again gives the same picture and lists.

// "cubic", "tetragonal", "orthorhombic", "hexagonal", "trigonal",
// "monoclinic", "triclinic".
QString LatticeSystemName(LatticeSystem system);
std::optional<LatticeSystem> LatticeSystemFromName(const QString& name);

// The free view: any lattice, any centre and up direction. Lengths in
// ångström, angles in degrees. Whether the cell closes is not checked here.
struct FreeViewRecord
{
    LatticeSystem system = LatticeSystem::Cubic;
    LatticeParameters cell;
    std::array<double, 3> centre { 0.0, 0.0, 1.0 };
    std::optional<std::array<double, 3>> up;
    NetOptions net;
    // Version 2: the orientation as Bunge Euler angles in degrees, in place
    // of centre and up, which it wins over; with a tilt, either form is the
    // crystal's at zero tilt. The holder's tilt and how far it reaches.
    std::optional<EulerAngles> euler;
    std::optional<HolderTilt> tilt;
    std::optional<TiltLimits> tiltLimits;
    // The space group as the file names it; none: the lattice's holohedry.
    std::optional<SpaceGroup> group;
    // The crystal's name, empty when it has none.
    QString name;
    // Version 2: "planeAngles": "acute".
    PlaneAngles planeAngles = PlaneAngles::Full;

    friend bool operator==(const FreeViewRecord&, const FreeViewRecord&) = default;
};

// Sets the parameters the system fixes (the file holds only those it
// leaves free): b and c equal to a where the axes are alike, the right
// angles, and gamma 120 degrees on hexagonal axes.
void ApplyFixedCellParameters(FreeViewRecord& record);

// Version 2: the free view's second crystal, placed against the first,
// and its entries.
struct SecondRecord
{
    // Its system, cell, space group and name; the rest is not used.
    FreeViewRecord crystal;
    SecondPlacement placement = NamedRelationship::KurdjumovSachs;
    // 1 and up, or AllVariants.
    int variant = 1;
    bool net = false;
    bool variantNumbers = false;
    bool colour = false;
    QList<IndexEntry> entries;

    friend bool operator==(const SecondRecord&, const SecondRecord&) = default;
};

struct Session
{
    // A documented view, or the free view's crystal as the file gives it.
    std::variant<const ViewRow*, FreeViewRecord> view = &StartUpView();
    // The plot size and line width as the file writes them: one of the
    // listed sizes, and up to three digits, which the window reads as it
    // reads a typed width.
    QString plotSize = QStringLiteral("30");
    QString lineWidth = QStringLiteral("1");
    // Saved and exported figures carry a caption saying what they show.
    bool figureCaption = false;
    QList<IndexEntry> entries;
    std::optional<SecondRecord> second;

    friend bool operator==(const Session&, const Session&) = default;
    // The name the file gives the view: a row's id, or "free".
    QString viewId() const;
};

// The session, or the first problem with the file in Japanese (FileMessages).
struct SessionRead
{
    Session session;
    QString error;
};
SessionRead ReadSession(const QByteArray& bytes);

// The file's bytes. Reading them gives the session back unchanged, given
// finite numbers and the fixed cell parameters applied.
QByteArray WriteSession(const Session& session);
