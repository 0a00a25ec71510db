#pragma once

#include "crystal/Schmid.h"
#include "scene/Crystal.h"

#include <QByteArray>
#include <QString>
#include <span>
#include <variant>
#include <vector>

// The Schmid factors of a crystal's slip systems as the window's table and
// the command line's CSV show them.

// The slip systems asked for: a named set, or a family of planes and one of
// directions as typed (three-index form).
using SlipChoice = std::variant<SlipSet, SlipFamilies>;

// The named sets a crystal of the system takes: the cubic ones for cubic
// crystals, the hcp ones for hexagonal and trigonal crystals, none for the
// others.
std::vector<SlipSet> SlipSetsFor(LatticeSystem system);

struct SchmidRow
{
    SlipSystem system;
    double m = 0.0;
    // As the lists write them, "(1 1 -1)" and "[0 1 1]" (four indices on
    // hexagonal axes), and m with three decimals and its sign.
    QString plane;
    QString direction;
    QString factor;
    // Whether |m| is the largest of the table's, which several may share.
    bool largest = false;
};

// Every slip system once with its Schmid factor for a load along the
// lattice direction axis, the largest |m| first; or why there is none: a
// set the crystal does not take, a family without a direction in its
// planes, a member beyond the index range, a load along [0 0 0].
std::variant<std::vector<SchmidRow>, QString> SchmidTable(
    const Crystal& crystal, const SlipChoice& slip, const Vector3& axis);

// The table as CSV (RFC 4180, LF line ends): "plane,direction,m", then one
// line a system.
QByteArray SchmidCsv(std::span<const SchmidRow> rows);

namespace SchmidTableMessages {
inline const QString ZeroAxis = QStringLiteral("荷重軸には 0 でない有限の数を入力してください");
inline const QString NotFreeView
    = QStringLiteral("シュミット因子は任意の結晶と方位（view が free のセッションか CIF "
                     "ファイル）でだけ求められます");
} // namespace SchmidTableMessages
