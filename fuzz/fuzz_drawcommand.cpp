// The three index boxes and the draw button, in every view, as the window
// uses them: each accepted plot is placed, listed and its line read back.
//
// Input: a byte choosing the view (low four bits, modulo 9: the four
// documented views, then five free ones), whether every plot is of the
// whole family (bit 6) and whether the store starts one short of full
// (bit 7); a byte whose bits say which of eight commands in turn plot a
// direction; then the typed texts, UTF-8, separated by NUL, three to a
// command.

#include "FuzzCheck.h"

#include "files/CsvTable.h"
#include "files/IndexList.h"
#include "plotting/DrawCommand.h"
#include "poles/EntryGeometry.h"
#include "poles/PoleLists.h"
#include "scene/DocumentedViews.h"

#include <QByteArray>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

Scene MadeFreeView(LatticeSystem system, const LatticeParameters& parameters, const Vector3& centre,
    const Vector3& up)
{
    const auto settings = Crystal::Make(system, parameters, centre, up, {});
    FUZZ_CHECK(std::holds_alternative<Crystal>(settings));
    return FreeScene(std::get<Crystal>(settings));
}

// The documented views, then crystals of five systems, each looking along
// a direction that is not an axis of its cell.
std::vector<Scene> MakeViews()
{
    std::vector<Scene> views;
    for (const ViewRow& row : DocumentedViews())
        views.push_back(row.scene);
    views.push_back(MadeFreeView(
        LatticeSystem::Cubic, { 4.05, 0, 0, 0, 0, 0 }, { 1, 1, 1 }, { 1, -1, 0 })); // aluminium
    views.push_back(MadeFreeView(
        LatticeSystem::Hexagonal, { 2.665, 0, 4.947, 0, 0, 0 }, { 2, -1, 1 }, { 0, 0, 1 })); // zinc
    views.push_back(MadeFreeView(LatticeSystem::Trigonal, { 4.759, 0, 12.99, 0, 0, 0 }, { 0, 0, 1 },
        { 1, 0, 0 })); // corundum
    views.push_back(MadeFreeView(LatticeSystem::Monoclinic, { 5.15, 5.21, 5.31, 90, 99.2, 90 },
        { 1, 1, 1 }, { 0, 1, 0 })); // zirconia
    views.push_back(
        MadeFreeView(LatticeSystem::Triclinic, { 3, 4, 5, 80, 95, 105 }, { 1, 2, 3 }, { 0, 0, 1 }));
    return views;
}

PoleStore NearlyFull()
{
    PoleStore store;
    while (store.PoleCount() < PoleStore::MaxPoles - 1)
        store.append({ IndexKind::Plane, { 1, 0, 0 } });
    return store;
}

bool Finite(TwipsPoint t)
{
    return std::isfinite(t.x) && std::isfinite(t.y);
}

// Inside the primitive circle, give or take rounding.
bool OnPicture(const Scene& view, TwipsPoint t)
{
    const Frame& f = view.frame;
    return std::hypot(t.x - f.x, t.y - f.y) <= 2.0 * f.scale * (1.0 + 1e-9);
}

// "( 5.500  90.000  125.264)\r\n": three angles from 0 to 180.
bool AngleLineInRange(const QString& line)
{
    if (!line.startsWith(u'(') || !line.endsWith(QStringLiteral(")\r\n")))
        return false;
    const QStringList angles = line.mid(1, line.size() - 4).split(u' ', Qt::SkipEmptyParts);
    if (angles.size() != 3)
        return false;
    for (const QString& text : angles) {
        bool ok = false;
        const double angle = text.toDouble(&ok);
        if (!ok || !(angle >= 0.0 && angle <= 180.0) || text.indexOf(u'.') != text.size() - 4)
            return false;
    }
    return true;
}

void CheckPlotted(const Scene& view, const PoleStore& store, int plotted)
{
    const Entry& entry = store.at(plotted);
    FUZZ_CHECK(entry.index != Index3 {});
    const Placement placement = Place(view.projector(), entry);
    FUZZ_CHECK(Finite(placement.at) && OnPicture(view, placement.at));
    if (entry.kind == IndexKind::Plane) {
        const Vector3 n = view.projector().planeNormal(entry.index);
        // The standard region holds the reduced plane; the full views keep
        // a plane as the end of its normal that faces the viewer.
        FUZZ_CHECK(view.projector().inRegion(n[0] < 0.0 ? Scaled(n, -1.0) : n));
        if (view.crystal.rule == IndexRule::FoldFirst || view.crystal.rule == IndexRule::FoldThird)
            FUZZ_CHECK(n[0] >= -1e-12);
    }
    for (double angle : AnglesOf(view.crystal.lattice, entry))
        FUZZ_CHECK(angle >= 0.0 && angle <= 180.0);

    PoleStore alone;
    alone.append(entry);
    const PoleLists lists = BuildLists(alone, view.crystal.lattice);
    FUZZ_CHECK(
        lists.indexList.endsWith(QStringLiteral("\r\n")) && lists.indexList.count(u'\n') == 1);
    FUZZ_CHECK_SAYING(AngleLineInRange(lists.angleList), lists.angleList);

    // The list saved as a file opens as the same line again.
    const IndexListRead read = ReadIndexList(ListFileText(lists.indexList),
        { view.crystal.fourIndices(), view.crystal.allowsDirections() });
    FUZZ_CHECK_SAYING(read.error.isEmpty(), lists.indexList + read.error);
    FUZZ_CHECK(read.entries.size() == 1);
    FUZZ_CHECK_SAYING(IndexLine(read.entries[0], view.crystal.lattice) + "\r\n" == lists.indexList,
        lists.indexList);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::vector<Scene> views = MakeViews();
    static const PoleStore nearlyFull = NearlyFull();
    if (size < 2)
        return 0;
    const Scene& view = views[(data[0] & 0x0f) % views.size()];
    PoleStore store = data[0] & 0x80 ? nearlyFull : PoleStore();
    const uint8_t directions = data[1];
    const bool families = data[0] & 0x40;

    const QList<QByteArray> fields
        = QByteArray::fromRawData(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2))
              .split('\0');
    for (qsizetype n = 0; n + 2 < fields.size() && n < 3 * 64; n += 3) {
        const IndexKind kind
            = (directions >> (n / 3 % 8)) & 1 ? IndexKind::Direction : IndexKind::Plane;
        const int before = store.PoleCount();
        const DrawCommandResult result = RunDrawCommand(QString::fromUtf8(fields[n]),
            QString::fromUtf8(fields[n + 1]), QString::fromUtf8(fields[n + 2]), view.crystal, store,
            kind, families ? FamilyOf : EntryOf);
        // One entry, or a family's members once each, all remembering it.
        const int added = store.PoleCount() - before;
        FUZZ_CHECK(result.added == (added > 0));
        FUZZ_CHECK(added <= 1 || (families && view.crystal.allowsFamilies()));
        for (int k = before; k < store.PoleCount(); ++k) {
            FUZZ_CHECK(
                store.at(k).family.has_value() == (families && view.crystal.allowsFamilies()));
            for (int j = before; j < k; ++j)
                FUZZ_CHECK(!(store.at(j) == store.at(k)));
        }
        // A refusal says why; only a direction where none can be shown is
        // refused without a word, as the window offers none there.
        if (!result.added)
            FUZZ_CHECK(!result.messages.isEmpty()
                || (kind == IndexKind::Direction && !view.crystal.allowsDirections()));
        for (int k = before; k < store.PoleCount(); ++k)
            CheckPlotted(view, store, k);
    }
    return 0;
}
