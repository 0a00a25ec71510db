#pragma once

#include "files/IndexEntry.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <optional>

// What a session file (*.orvandeler, UTF-8 JSON) keeps: the view, the two
// drawing settings and the entries in plotting order, so that plotting them
// again gives the same picture and lists.

enum class SessionView { CubicSym, CubicFull, HexSym, HexFull, Free };
// "cubic-sym", "cubic-full", "hex-sym", "hex-full", "free".
QString SessionViewName(SessionView view);
std::optional<SessionView> SessionViewFromName(const QString& name);

// Trigonal crystals are described on hexagonal axes; monoclinic ones with b
// as the unique axis.
enum class LatticeSystem {
    Cubic,
    Tetragonal,
    Orthorhombic,
    Hexagonal,
    Trigonal,
    Monoclinic,
    Triclinic
};
// "cubic", "tetragonal", "orthorhombic", "hexagonal", "trigonal",
// "monoclinic", "triclinic".
QString LatticeSystemName(LatticeSystem system);
std::optional<LatticeSystem> LatticeSystemFromName(const QString& name);

// The free view: any lattice, any centre and up direction. Lengths in
// ångström, angles in degrees. Whether the cell closes is not checked here.
struct FreeViewSettings
{
    LatticeSystem system = LatticeSystem::Cubic;
    double a = 1.0;
    double b = 1.0;
    double c = 1.0;
    double alpha = 90.0;
    double beta = 90.0;
    double gamma = 90.0;
    std::array<double, 3> centre { 0.0, 0.0, 1.0 };
    std::optional<std::array<double, 3>> up;
    int netLimit = 3;
    bool zoneCircles = true;
    bool wulffNet = false;

    friend bool operator==(const FreeViewSettings&, const FreeViewSettings&) = default;
};

// Which of a, b, c, alpha, beta, gamma the system leaves free; the file holds
// only those.
std::array<bool, 6> FreeCellParameters(LatticeSystem system);
// Sets the parameters the system fixes: b and c equal to a where the axes
// are alike, the right angles, and gamma 120 degrees on hexagonal axes.
void ApplyFixedCellParameters(FreeViewSettings& settings);

struct Session
{
    SessionView view = SessionView::CubicSym;
    // The texts of the plot size and line width boxes.
    QString plotSize = QStringLiteral("30");
    QString lineWidth = QStringLiteral("1");
    QList<IndexEntry> entries;
    // Present exactly when the view is Free.
    std::optional<FreeViewSettings> free;

    friend bool operator==(const Session&, const Session&) = default;
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
