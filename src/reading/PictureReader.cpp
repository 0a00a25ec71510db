#include "reading/PictureReader.h"

#include "hexagonal/HexagonalFunction.h"
#include "poles/PoleLists.h"
#include "surface/PictureSize.h"

#include <cmath>
#include <limits>

namespace {

// Pixel centres on an edge of the standard region must count as inside;
// rounding would otherwise drop half of them.
constexpr double EdgeTolerance = 1e-9;

// The list's text without its column padding or line break.
QString Angle(double degrees)
{
    return FormatAngle(degrees).trimmed() + QStringLiteral("°");
}

QString WithoutBreak(QString line)
{
    line.chop(2);
    return line;
}

} // namespace

PictureReader::PictureReader(
    View view, const PoleStore& store, std::array<QString, 3> names, double hitRadius)
    : m_view(view)
    , m_store(store)
    , m_names(std::move(names))
    , m_hitRadius(hitRadius)
{
}

std::optional<Vector3> PictureReader::DirectionAt(TwipsPoint t) const
{
    const ProjectedPoint p = FromScreen(m_view, t);
    if (!(p.x * p.x + p.y * p.y <= 4.0))
        return std::nullopt;
    const Vector3 w = StereoUnproject(p);
    const Vector3 d { std::fabs(w[0]), w[1], w[2] };
    switch (m_view) {
    case View::CubicSym:
        // The triangle (100)-(110)-(111): d0 >= d1 >= d2 >= 0.
        if (d[2] < -EdgeTolerance || d[2] > d[1] + EdgeTolerance || d[1] > d[0] + EdgeTolerance)
            return std::nullopt;
        break;
    case View::HexSym:
        // The sector from 0 to 30 degrees of azimuth.
        if (d[2] < -EdgeTolerance || d[2] * std::sqrt(3.0) > d[1] + EdgeTolerance)
            return std::nullopt;
        break;
    case View::CubicFull:
    case View::HexFull:
        break;
    }
    return d;
}

int PictureReader::PoleAt(TwipsPoint t) const
{
    // A plain scan: 32767 poles take a few tens of microseconds.
    const std::vector<Pole>& poles = m_store.poles();
    const double reach = m_hitRadius * m_hitRadius;
    double nearest = std::numeric_limits<double>::infinity();
    int found = -1;
    for (std::size_t n = 0; n < poles.size(); ++n) {
        const double dx = poles[n].PoleX - t.x;
        const double dy = poles[n].PoleY - t.y;
        const double d = dx * dx + dy * dy;
        if (d <= reach && d <= nearest) {
            nearest = d;
            found = static_cast<int>(n);
        }
    }
    return found;
}

Vector3 PictureReader::PoleDirection(int pole) const
{
    // As the draw command measures: the cubic index itself, the hexagonal
    // unit normal with its c component made non-negative.
    const std::array<int16_t, 4>& index = m_store.at(pole).PoleIndex;
    if (IsCubic(m_view))
        return { double(index[0]), double(index[1]), double(index[2]) };
    const Vector3 u = UnitVector(HexToCartesian(index[0], index[1], index[2]));
    return { std::fabs(u[0]), u[1], u[2] };
}

QString PictureReader::lineOf(int pole) const
{
    return WithoutBreak(IndexLine(m_store.at(pole), IsCubic(m_view) ? 1 : 2));
}

QString PictureReader::angleToPicked(int picked, const Vector3& direction) const
{
    return lineOf(picked) + QStringLiteral(" との角度差 ")
        + Angle(AngleBetween(PoleDirection(picked), direction));
}

QString PictureReader::ToolTip(TwipsPoint t, int picked) const
{
    if (picked >= m_store.PoleCount())
        picked = -1;
    QString text;
    Vector3 direction {};
    const int pole = PoleAt(t);
    if (pole >= 0) {
        text = lineOf(pole) + QStringLiteral("  ") + WithoutBreak(AngleLine(m_store.at(pole)));
        if (pole == picked)
            return text;
        direction = PoleDirection(pole);
    } else if (const std::optional<Vector3> d = DirectionAt(t)) {
        direction = *d;
        const std::array<double, 3> angles = AnglesToReferences(m_view, direction);
        for (std::size_t k = 0; k < angles.size(); ++k) {
            if (k > 0)
                text += QStringLiteral("  ");
            text += m_names[k] + QLatin1Char(' ') + Angle(angles[k]);
        }
    } else {
        return {};
    }
    if (picked >= 0)
        text += QLatin1Char('\n') + angleToPicked(picked, direction);
    return text;
}

TwipsPoint PictureReader::PixelCentre(int x, int y)
{
    constexpr double twips = PictureSize::TwipsPerPixel;
    return { (x + 0.5) * twips, (y + 0.5) * twips };
}

QString PictureReader::ReferenceName(const QString& caption)
{
    qsizetype end = 0;
    while (end < caption.size() && !caption[end].isSpace())
        ++end;
    return caption.left(end);
}

QString PictureReader::Description(std::optional<View> view, int poleCount)
{
    if (!view)
        return QStringLiteral("投影図なし");
    QString name;
    switch (*view) {
    case View::CubicSym:
        name = QStringLiteral("立方晶・対称性あり");
        break;
    case View::CubicFull:
        name = QStringLiteral("立方晶・対称性なし");
        break;
    case View::HexSym:
        name = QStringLiteral("六方晶・対称性あり");
        break;
    case View::HexFull:
        name = QStringLiteral("六方晶・対称性なし");
        break;
    }
    return QStringLiteral("%1の標準投影、プロットした極点 %2 個").arg(name).arg(poleCount);
}
