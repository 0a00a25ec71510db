#include "scene/Scene.h"

#include "figure/GeneratedNet.h"
#include "scene/DocumentedViews.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

// A length or an angle as the dialog shows it: no more digits than it has.
QString Number(double value)
{
    return QString::number(value, 'g', 6);
}

QString DirectionText(const Vector3& v, bool fourIndices)
{
    const bool whole = std::all_of(
        v.begin(), v.end(), [](double x) { return x == std::round(x) && FitsIndex(x); });
    if (whole) {
        return IndexText(
            IndexKind::Direction, { int16_t(v[0]), int16_t(v[1]), int16_t(v[2]) }, fourIndices);
    }
    return QStringLiteral("[%1 %2 %3]").arg(Number(v[0]), Number(v[1]), Number(v[2]));
}

} // namespace

QString Scene::id() const
{
    return row ? QString::fromLatin1(row->id) : QString::fromUtf16(FreeViewId);
}

QString Scene::name() const
{
    if (row)
        return row->name;
    const std::array<double, 6> values = crystal.lattice.parameters().values();
    const std::array<bool, 6> shown = FreeParameters(crystal.system());
    QStringList cell;
    for (std::size_t k = 0; k < values.size(); ++k)
        if (shown[k])
            cell << QStringLiteral("%1 = %2%3")
                        .arg(ParameterSymbols[k], Number(values[k]),
                            k < 3 ? QStringLiteral(" Å") : QStringLiteral("°"));
    const QString described
        = QStringLiteral("%1（%2）、中心 %3、空間群 %4")
              .arg(SystemName(crystal.system()), cell.join(QStringLiteral("、")),
                  DirectionText(crystal.centre(), crystal.fourIndices()), crystal.group.name());
    return crystal.name.isEmpty() ? described : crystal.name + QStringLiteral("、") + described;
}

QStringList Scene::figureCaption() const
{
    const QString projection = ProjectionName(frame.kind);
    if (row)
        return { row->name, projection };
    // The Euler angles say exactly what a turned centre and up say only to
    // six digits.
    const EulerAngles e = crystal.orientation.drawn().euler();
    const auto angle = [](double degrees) { return QString::number(degrees, 'f', 3); };
    return { name(),
        QStringLiteral("上 %1、オイラー角 (φ₁, Φ, φ₂) = (%2°, %3°, %4°)、%5")
            .arg(DirectionText(crystal.up(), crystal.fourIndices()), angle(e.phi1), angle(e.Phi),
                angle(e.phi2), projection) };
}

std::optional<Projector> Scene::secondProjector(int n) const
{
    if (!second)
        return std::nullopt;
    const CrystalOrientation g = second->orientationOf(crystal.orientation.drawn(), n);
    return Projector(second->lattice, g.projector(), region, frame);
}

std::optional<Projector> Scene::secondProjector() const
{
    if (!second)
        return std::nullopt;
    return secondProjector(second->allShown() ? 1 : second->variant);
}

const std::array<QString, 3>& Scene::captions() const
{
    return row ? row->captions : crystal.references().captions;
}

const std::array<QString, 3>& Scene::referenceNames() const
{
    return crystal.references().names;
}

Scene FreeScene(const Crystal& crystal)
{
    Scene scene;
    scene.crystal = crystal;
    scene.crystal.rule = IndexRule::AsTyped;
    scene.frame.kind = crystal.net.projection;
    scene.paper = { &PrimitiveCircleLayer, crystal.net.wulffNet ? &WulffNetLayer : nullptr };
    scene.net = { crystal.net.zoneCircles ? &ZoneCirclesLayer : nullptr, &NetPolesLayer };
    return scene;
}

Scene FreeScene(const Lattice& lattice, const Rotation& orientation, const NetOptions& net)
{
    return FreeScene(Crystal { lattice, { CrystalOrientation::FromProjector(orientation), {}, {} },
        IndexRule::AsTyped, net });
}
