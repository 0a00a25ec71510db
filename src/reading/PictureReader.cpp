#include "reading/PictureReader.h"

#include "poles/PoleLists.h"
#include "surface/PictureSize.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// The list's text without its column padding.
QString Angle(double degrees)
{
    return FormatAngle(degrees).trimmed() + QStringLiteral("°");
}

} // namespace

PictureReader::PictureReader(const Scene& scene, const PoleStore& store, Marks marks,
    std::array<QString, 3> names, double hitRadius)
    : m_scene(scene)
    , m_projector(scene.projector())
    , m_placer(scene.placer())
    , m_store(store)
    , m_marks(marks)
    , m_names(std::move(names))
    , m_hitRadius(hitRadius)
{
    // While all the second crystal's variants are drawn, the marks of the
    // others beside the first's, which the marks given hold.
    if (!scene.second || !scene.second->allShown())
        return;
    const std::vector<Entry>& entries = store.entries();
    // Beyond some hundred thousand marks a move would lag; then only the
    // first variant's are read.
    const auto seconds = std::count_if(
        entries.begin(), entries.end(), [](const Entry& e) { return e.crystal == 1; });
    if (seconds * scene.second->variantCount() > 200000)
        return;
    for (int v = 1; v <= scene.second->variantCount(); ++v)
        m_variants.push_back(*scene.secondProjector(v));
    for (std::size_t n = 0; n < entries.size(); ++n)
        if (entries[n].crystal == 1)
            for (int v = 2; v <= scene.second->variantCount(); ++v)
                m_variantMarks.push_back(
                    { Place(m_variants[std::size_t(v - 1)], entries[n]).at, int(n), v });
}

std::optional<Vector3> PictureReader::DirectionAt(TwipsPoint t) const
{
    const std::optional<Vector3> d = m_projector.fromPicture(t);
    if (!d)
        return std::nullopt;
    return m_projector.fromView(*d);
}

int PictureReader::PoleAt(TwipsPoint t) const
{
    // A plain scan: 32767 marks take a few tens of microseconds.
    const double reach = m_hitRadius * m_hitRadius;
    // Marks this close count as equally near: two crystals' poles that are
    // parallel lie at one place but for rounding.
    constexpr double Tie = 1e-6;
    // Whether entry a's mark lies over entry b's: the second crystal's are
    // drawn over the first's, and each crystal's in plotting order.
    const auto onTop = [this](int a, int b) {
        const int ca = m_store.at(a).crystal;
        const int cb = m_store.at(b).crystal;
        return ca != cb ? ca > cb : a > b;
    };
    double nearest = std::numeric_limits<double>::infinity();
    int found = -1;
    const auto consider = [&](double d, int entry) {
        if (d > reach || d > nearest + Tie || entry >= m_store.PoleCount())
            return false;
        if (found >= 0 && d >= nearest - Tie && !onTop(entry, found))
            return false;
        nearest = std::min(d, nearest);
        found = entry;
        return true;
    };
    for (std::size_t n = 0; n < m_marks.placements.size(); ++n) {
        const double dx = m_marks.placements[n].at.x - t.x;
        const double dy = m_marks.placements[n].at.y - t.y;
        consider(dx * dx + dy * dy, m_marks.entryOf(n));
    }
    m_variantFound = 1;
    for (const VariantMark& mark : m_variantMarks) {
        const double dx = mark.at.x - t.x;
        const double dy = mark.at.y - t.y;
        if (consider(dx * dx + dy * dy, mark.entry))
            m_variantFound = mark.variant;
    }
    return found;
}

const Lattice& PictureReader::latticeOf(const Entry& entry) const
{
    return m_placer.of(entry).lattice();
}

Vector3 PictureReader::viewVector(const Entry& entry, int variant) const
{
    const Projector& own = entry.crystal == 1 && !m_variants.empty()
        ? m_variants[std::size_t(std::clamp(variant, 1, int(m_variants.size())) - 1)]
        : m_placer.of(entry);
    return own.toView(EntryVector(latticeOf(entry), entry));
}

QString PictureReader::lineOf(int pole, int variant) const
{
    const Entry& entry = m_store.at(pole);
    const QString line = IndexLine(entry, latticeOf(entry));
    if (!m_scene.twoCrystals())
        return line;
    if (entry.crystal == 0)
        return QStringLiteral("結晶1 ") + line;
    if (!m_scene.second->allShown())
        variant = m_scene.second->variant;
    if (m_scene.second->variantCount() == 1)
        return QStringLiteral("結晶2 ") + line;
    return QStringLiteral("結晶2（変種 %1）").arg(variant) + line;
}

QString PictureReader::angleToPicked(int picked, IndexKind kind, const Vector3& view) const
{
    // In the view's frame, so that an angle reads across the two crystals.
    const Entry& entry = m_store.at(picked);
    return lineOf(picked) + QStringLiteral(" との角度差 ")
        + Angle(EntryAngle(entry.kind, viewVector(entry), kind, view, m_scene.crystal.planeAngles));
}

QString PictureReader::ZoneAxis(int first, int second) const
{
    const Entry& a = m_store.at(first);
    const Entry& b = m_store.at(second);
    if (a.kind != IndexKind::Plane || b.kind != IndexKind::Plane || a.crystal != b.crystal)
        return {};
    // The planes of a zone contain its axis: [u v w] = (h1 k1 l1) x (h2 k2 l2).
    const std::array<int, 3> axis = Reduced({ a.index[1] * b.index[2] - a.index[2] * b.index[1],
                                                a.index[2] * b.index[0] - a.index[0] * b.index[2],
                                                a.index[0] * b.index[1] - a.index[1] * b.index[0] },
        true);
    if (axis == std::array<int, 3> { 0, 0, 0 })
        return {};
    // Whole numbers beyond 16 bits can only come from huge indices; their
    // axis is still written, through the wider form.
    if (!FitsIndex(axis[0]) || !FitsIndex(axis[1]) || !FitsIndex(axis[2]))
        return QStringLiteral("[%1 %2 %3]").arg(axis[0]).arg(axis[1]).arg(axis[2]);
    return IndexText(IndexKind::Direction, { int16_t(axis[0]), int16_t(axis[1]), int16_t(axis[2]) },
        UsesFourIndices(latticeOf(a).system()));
}

std::optional<HolderTilt> PictureReader::TiltsAt(TwipsPoint t, int pole) const
{
    if (!m_scene.isFree())
        return std::nullopt;
    const HeldOrientation& held = m_scene.crystal.orientation;
    if (pole < 0 || pole >= m_store.PoleCount()) {
        const std::optional<Vector3> d = DirectionAt(t);
        return d ? held.tiltsTo(*d) : std::nullopt;
    }
    const Entry& entry = m_store.at(pole);
    // In the first crystal's frame, which the holder turns.
    Vector3 v = m_projector.fromView(viewVector(entry));
    if (entry.kind == IndexKind::Plane && held.zeroTilt.toSample(v)[2] < 0.0)
        v = Scaled(v, -1.0);
    return held.tiltsTo(v);
}

QString PictureReader::ToolTip(TwipsPoint t, int picked) const
{
    return ToolTip(t, PoleAt(t), picked);
}

QString PictureReader::ToolTip(TwipsPoint t, int pole, int picked) const
{
    // A pole given without a look of this reader's is the first variant's.
    if (pole < 0)
        m_variantFound = 1;
    if (picked >= m_store.PoleCount())
        picked = -1;
    QString text;
    // The pointer reads a direction; a mark, its entry.
    IndexKind kind = IndexKind::Direction;
    Vector3 direction {};
    if (pole >= 0) {
        const Entry& entry = m_store.at(pole);
        text = lineOf(pole, m_variantFound) + QStringLiteral("  ")
            + AngleLine(entry, latticeOf(entry), m_scene.crystal.planeAngles);
        if (pole == picked && m_variantFound == 1)
            picked = -1;
        kind = entry.kind;
        direction = viewVector(entry, m_variantFound);
    } else if (const std::optional<Vector3> d = DirectionAt(t)) {
        direction = m_projector.toView(*d);
        const std::array<Index3, 3>& references = m_scene.crystal.references().planes;
        for (std::size_t k = 0; k < references.size(); ++k) {
            if (k > 0)
                text += QStringLiteral("  ");
            const Vector3 r { double(references[k][0]), double(references[k][1]),
                double(references[k][2]) };
            text += m_names[k] + QLatin1Char(' ')
                + Angle(AngleBetween(*d, m_projector.lattice().planeNormal(r)));
        }
    } else {
        return {};
    }
    if (picked >= 0) {
        text += QLatin1Char('\n') + angleToPicked(picked, kind, direction);
        // The free view names the zone the two planes share.
        if (pole >= 0 && m_scene.isFree()) {
            const QString axis = ZoneAxis(picked, pole);
            if (!axis.isEmpty())
                text += QStringLiteral("  晶帯軸 ") + axis;
        }
    }
    // The free view says how far the holder must tilt to bring it to the
    // centre.
    if (const std::optional<HolderTilt> tilt = TiltsAt(t, pole))
        text += QLatin1Char('\n') + TiltReadout(*tilt, m_scene.crystal.orientation.limits);
    return text;
}

TwipsPoint PictureReader::PixelCentre(int x, int y, double zoom)
{
    const double twips = PictureSize::TwipsPerPixel / zoom;
    return { (x + 0.5) * twips, (y + 0.5) * twips };
}

QString PictureReader::Description(const QString& viewName, int poleCount)
{
    if (viewName.isEmpty())
        return QStringLiteral("投影図なし");
    return QStringLiteral("%1の標準投影、プロットした極点 %2 個").arg(viewName).arg(poleCount);
}
