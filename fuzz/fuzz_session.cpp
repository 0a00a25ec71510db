// Session files as the open dialog hands them over: any bytes. What reads
// must write and read again as the same session, written the same, as
// version 2 exactly when it needs to be; its orientation and tilt must be
// in range and its entries on the picture of its view; and what the window
// makes of it, saved again, must open again to the same crystal and entries
// and be written the same.

#include "FuzzCheck.h"

#include "files/Session.h"
#include "poles/EntryGeometry.h"
#include "run/Work.h"
#include "scene/Scene.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

std::optional<Scene> ViewOf(const Session& session)
{
    const FreeViewRecord* free = std::get_if<FreeViewRecord>(&session.view);
    if (!free)
        return std::get<const ViewRow*>(session.view)->scene;
    const auto crystal = CrystalOf(*free);
    if (!std::holds_alternative<Crystal>(crystal))
        return std::nullopt;
    return FreeScene(std::get<Crystal>(crystal));
}

// Version 2 exactly when the session holds a key only version 2 has.
// What only version 2 can say: the orientation and the holder, the space
// group and name, the absence net, the acute plane angles, the projection,
// the figure's caption and families.
bool NeedsVersionTwo(const Session& session)
{
    if (session.figureCaption || session.second)
        return true;
    if (std::any_of(session.entries.begin(), session.entries.end(),
            [](const IndexEntry& entry) { return entry.family.has_value(); }))
        return true;
    const FreeViewRecord* free = std::get_if<FreeViewRecord>(&session.view);
    return free
        && (free->euler || free->tilt || free->tiltLimits || free->group || !free->name.isEmpty()
            || free->net.absences || free->planeAngles != PlaneAngles::Full
            || free->net.projection != ProjectionKind::Stereographic);
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
    FUZZ_CHECK(session.entries.size() <= MaxFileEntries);

    const QByteArray written = WriteSession(session);
    const SessionRead again = ReadSession(written);
    FUZZ_CHECK_SAYING(again.error.isEmpty(), again.error + u'\n' + QString::fromUtf8(written));
    FUZZ_CHECK_SAYING(again.session == session, QString::fromUtf8(written));
    FUZZ_CHECK(WriteSession(again.session) == written);
    FUZZ_CHECK(written.startsWith("{\n  \"orvandeler\": 2,") == NeedsVersionTwo(session));

    if (const FreeViewRecord* free = std::get_if<FreeViewRecord>(&session.view)) {
        // What was read is in range: Phi 0 to 180, the tilt within its limits.
        if (free->euler)
            FUZZ_CHECK(std::holds_alternative<CrystalOrientation>(CheckedEuler(*free->euler)));
        if (free->tilt)
            FUZZ_CHECK(WithinReach(*free->tilt, free->tiltLimits.value_or(TiltLimits {})));
    }

    if (const std::optional<Scene> view = ViewOf(session)) {
        for (const IndexEntry& entry : session.entries) {
            const TwipsPoint at = Place(view->projector(), entry).at;
            FUZZ_CHECK(std::isfinite(at.x) && std::isfinite(at.y));
            for (double angle : AnglesOf(view->crystal.lattice, entry))
                FUZZ_CHECK(angle >= 0.0 && angle <= 180.0);
        }
    }

    // Opened in a run and saved by it: the file it writes opens again to the
    // same entries and settings, and reads and writes again the same.
    const std::variant<OpenedWork, QString> opened
        = OpenWork(QStringLiteral("a.orvandeler"), written, RunState());
    if (const OpenedWork* work = std::get_if<OpenedWork>(&opened)) {
        RunState run;
        Adopt(run, *work);
        const QByteArray saved = WriteSession(SessionOf(run));
        const std::variant<OpenedWork, QString> reopened
            = OpenWork(QStringLiteral("a.orvandeler"), saved, RunState());
        const OpenedWork* back = std::get_if<OpenedWork>(&reopened);
        FUZZ_CHECK_SAYING(back, std::get<QString>(reopened) + u'\n' + QString::fromUtf8(saved));
        FUZZ_CHECK(back->store.entries() == run.store.entries());
        FUZZ_CHECK(back->display == run.display);
        // The crystal turned and tilted as it was: g0 to rounding, the tilt
        // and its limits exactly.
        if (back->free) {
            const HeldOrientation& kept = run.free.orientation;
            const HeldOrientation& held = back->free->orientation;
            FUZZ_CHECK(held.tilt == kept.tilt && held.limits == kept.limits);
            FUZZ_CHECK(MaxDifference(held.zeroTilt.matrix(), kept.zeroTilt.matrix()) < 1e-9);
        }
        const SessionRead savedRead = ReadSession(saved);
        FUZZ_CHECK(WriteSession(savedRead.session) == saved);
    }
    return 0;
}
