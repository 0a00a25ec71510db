#include "files/VariantTable.h"

#include "files/CsvTable.h"

#include <cmath>

namespace {

// Below this an angle reads 0.000 and its axis means nothing.
constexpr double NoTurnDegrees = 0.0005;

QString FormText(const std::optional<LowIndexForm>& form, const Lattice& child)
{
    if (!form)
        return QStringLiteral("—");
    QString text = IndexText(IndexKind::Direction, form->index, UsesFourIndices(child.system()));
    if (form->deviation >= NoTurnDegrees)
        text += QStringLiteral("（ずれ %1°）").arg(AngleText(form->deviation));
    return text;
}

} // namespace

QString AngleText(double degrees)
{
    // Never "-0.000".
    return QString::number(std::fabs(degrees) < NoTurnDegrees ? 0.0 : degrees, 'f', 3);
}

QString AxisText(const VariantRow& row, const Lattice& child)
{
    return FormText(row.axis, child);
}

QString MisorientationText(const Misorientation& m, const Lattice& child)
{
    const QString angle = AngleText(m.degrees) + QStringLiteral("°");
    if (m.degrees < NoTurnDegrees)
        return angle;
    return angle + u' '
        + FormText(NearestLowIndex(child, IndexKind::Direction, m.axis, VariantAxisLimit), child);
}

QByteArray VariantCsv(const std::vector<VariantRow>& rows, const Lattice& child)
{
    QList<QStringList> fields;
    fields.reserve(qsizetype(rows.size()));
    for (const VariantRow& row : rows)
        fields.append(
            { QString::number(row.number), AngleText(row.toFirst.degrees), AxisText(row, child) });
    return CsvRows(
        { QStringLiteral("variant"), QStringLiteral("angle"), QStringLiteral("axis") }, fields, 0);
}
