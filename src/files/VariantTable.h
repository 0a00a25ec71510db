#pragma once

#include "orientation/Variants.h"

#include <QByteArray>
#include <QString>
#include <vector>

// The variants of a second crystal as the window's table and the command
// line's CSV write them.

// The angle with three decimals, "10.529".
QString AngleText(double degrees);
// The axis in the child's lattice as its nearest low-index direction,
// "[1 1 0]" or "[1 1 0]（ずれ 0.123°）", four indices where the lattice
// writes them; "—" where there is no turn.
QString AxisText(const VariantRow& row, const Lattice& child);
// "θ° [u v w]", the axis as the table writes it; the angle alone where
// there is no turn.
QString MisorientationText(const Misorientation& m, const Lattice& child);

// The table as CSV (RFC 4180, LF line ends): "variant,angle,axis", then one
// line a variant.
QByteArray VariantCsv(const std::vector<VariantRow>& rows, const Lattice& child);

namespace VariantTableMessages {
inline const QString NoSecondCrystal = QStringLiteral("第二の結晶がありません");
} // namespace VariantTableMessages
