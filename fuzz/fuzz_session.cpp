// Session files as the open dialog hands them over: any bytes. What reads
// must write and read again as the same session, written the same; its
// entries must lie on the picture of its view; and what the window makes of
// it, saved again, must open again to the same and be written the same.

#include "FuzzCheck.h"

#include "files/Session.h"
#include "poles/EntryGeometry.h"
#include "run/Work.h"
#include "scene/Scene.h"

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
    const auto crystal = Crystal::Make(free->system, free->cell,
        { free->centre[0], free->centre[1], free->centre[2] }, free->up, free->net, free->group);
    if (!std::holds_alternative<Crystal>(crystal))
        return std::nullopt;
    return FreeScene(std::get<Crystal>(crystal));
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
        const SessionRead savedRead = ReadSession(saved);
        FUZZ_CHECK(WriteSession(savedRead.session) == saved);
    }
    return 0;
}
