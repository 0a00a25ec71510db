// Session files as the open dialog hands them over: any bytes. What reads
// must write and read again as the same session, and its entries must lie
// on the picture of its view.

#include "FuzzCheck.h"

#include "files/Session.h"
#include "poles/EntryGeometry.h"
#include "projection/FreeViewSettings.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

std::optional<View> ViewOf(const Session& session)
{
    switch (session.view) {
    case SessionView::CubicSym:
        return FindView(1, 1)->view;
    case SessionView::CubicFull:
        return FindView(1, 2)->view;
    case SessionView::HexSym:
        return FindView(2, 1)->view;
    case SessionView::HexFull:
        return FindView(2, 2)->view;
    case SessionView::Free:
        break;
    }
    const FreeViewRecord& free = *session.free;
    const LatticeParameters& parameters = free.cell;
    const auto lattice = Lattice::Make(free.system, parameters);
    if (!std::holds_alternative<Lattice>(lattice))
        return std::nullopt;
    const Vector3 centre { free.centre[0], free.centre[1], free.centre[2] };
    const Vector3 up = free.up ? Vector3 { (*free.up)[0], (*free.up)[1], (*free.up)[2] }
                               : DefaultUp(std::get<Lattice>(lattice), centre);
    const auto settings = FreeViewSettings::Make(free.system, parameters, centre, up, free.net);
    if (!std::holds_alternative<FreeViewSettings>(settings))
        return std::nullopt;
    return std::get<FreeViewSettings>(settings).view();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const SessionRead read = ReadSession(bytes);
    if (!read.error.isEmpty()) {
        FUZZ_CHECK(read.session == Session());
        return 0;
    }
    const Session& session = read.session;
    FUZZ_CHECK(session.free.has_value() == (session.view == SessionView::Free));
    FUZZ_CHECK(session.entries.size() <= MaxFileEntries);

    const QByteArray written = WriteSession(session);
    const SessionRead again = ReadSession(written);
    FUZZ_CHECK_SAYING(again.error.isEmpty(), again.error + u'\n' + QString::fromUtf8(written));
    FUZZ_CHECK_SAYING(again.session == session, QString::fromUtf8(written));
    FUZZ_CHECK(WriteSession(again.session) == written);

    if (const std::optional<View> view = ViewOf(session)) {
        for (const IndexEntry& entry : session.entries) {
            const TwipsPoint at = Place(*view, entry).at;
            FUZZ_CHECK(std::isfinite(at.x) && std::isfinite(at.y));
            for (double angle : AnglesOf(*view, entry))
                FUZZ_CHECK(angle >= 0.0 && angle <= 180.0);
        }
    }
    return 0;
}
