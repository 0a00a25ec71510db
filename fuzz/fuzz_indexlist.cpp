// Index lists as the open dialog hands them over. Input: a byte whose two
// low bits are the options (four-index forms, directions and families, as
// the free view takes them), then the file.
// What reads must, plotted in a view that takes those options and saved
// as the list shows it, read again as the same lines; so must an empty list.

#include "FuzzCheck.h"

#include "files/CsvTable.h"
#include "files/IndexList.h"
#include "poles/PoleLists.h"
#include "scene/DocumentedViews.h"

#include <cstddef>
#include <cstdint>

namespace {

// A view that takes what the options allow: cubic or hexagonal, a
// documented view or, for directions, a free one.
Scene ViewFor(IndexListOptions options)
{
    if (!options.directions)
        return FindView(options.fourIndex ? 2 : 1, 2)->scene;
    const LatticeSystem system
        = options.fourIndex ? LatticeSystem::Hexagonal : LatticeSystem::Cubic;
    const auto settings
        = Crystal::Make(system, { 3.2, 0, 5.2, 0, 0, 0 }, { 1, 0, 0 }, Vector3 { 0, 0, 1 }, {});
    return FreeScene(std::get<Crystal>(settings));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const Scene views[4]
        = { ViewFor({ false, false, false }), ViewFor({ true, false, false }),
              ViewFor({ false, true, true }), ViewFor({ true, true, true }) };
    if (size < 1)
        return 0;
    const IndexListOptions options { bool(data[0] & 1), bool(data[0] & 2), bool(data[0] & 2) };
    const QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const IndexListRead read = ReadIndexList(bytes, options);
    // A refused list gives nothing; one without a line to plot gives nothing too.
    FUZZ_CHECK(read.error.isEmpty() || read.entries.isEmpty());
    FUZZ_CHECK(read.entries.size() <= MaxFileEntries);

    PoleStore store;
    for (const IndexEntry& entry : read.entries) {
        FUZZ_CHECK(entry.index != Index3 {});
        FUZZ_CHECK(entry.kind == IndexKind::Plane || options.directions);
        FUZZ_CHECK(!entry.family || (options.families && *entry.family == entry.index));
        FUZZ_CHECK(store.append(entry));
    }
    if (!read.error.isEmpty())
        return 0;

    // Saved as shown, the empty list too, it reads again as the same lines.
    const Scene& view = views[data[0] & 3];
    const QString shown = BuildLists(store, view.crystal.lattice).indexList;
    const IndexListRead again = ReadIndexList(ListFileText(shown), options);
    FUZZ_CHECK_SAYING(again.error.isEmpty(), again.error + u'\n' + shown);
    PoleStore reread;
    for (const IndexEntry& entry : again.entries)
        reread.append(entry);
    FUZZ_CHECK_SAYING(BuildLists(reread, view.crystal.lattice).indexList == shown, shown);
    return 0;
}
