// CIF files as the open dialog hands them over: any bytes. What reads must
// be a crystal the program can draw: a finite cell that makes a lattice, and
// a space group in the program's settings that fits it, so that its
// operations are true rotations of the lattice. Opened as the window opens
// it, the file gives the free view of that crystal looking along c, or the
// same refusal; the session of that view opens again to the same crystal.

#include "FuzzCheck.h"

#include "crystal/CrystalSymmetry.h"
#include "crystal/Families.h"
#include "crystal/SymmetryCif.h"
#include "run/Work.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto read = ReadCif(bytes);
    const auto opened = OpenWork(QStringLiteral("a.cif"), bytes, RunState());
    if (const QString* why = std::get_if<QString>(&read)) {
        FUZZ_CHECK(!why->isEmpty());
        FUZZ_CHECK(std::holds_alternative<QString>(opened) && std::get<QString>(opened) == *why);
        return 0;
    }
    const CifCrystal& crystal = std::get<CifCrystal>(read);
    const Matrix3& direct = crystal.lattice.directBasis();
    FUZZ_CHECK(std::isfinite(direct.determinant()) && direct.determinant() > 0.0);
    FUZZ_CHECK(crystal.atomSites >= 0);

    // The tables give the same group for its name, and it fits the lattice.
    const auto named = SpaceGroup::FromText(crystal.group.name());
    FUZZ_CHECK_SAYING(
        std::holds_alternative<SpaceGroup>(named) && std::get<SpaceGroup>(named) == crystal.group,
        crystal.group.name());
    const auto symmetry = CrystalSymmetry::Make(crystal.lattice, crystal.group);
    FUZZ_CHECK_SAYING(std::holds_alternative<CrystalSymmetry>(symmetry), crystal.group.name());
    const std::size_t order = crystal.group.pointOperations().size();
    FUZZ_CHECK(order % PlaneFamily(crystal.group, { 1, 2, 3 }).size() == 0);

    const OpenedWork* work = std::get_if<OpenedWork>(&opened);
    FUZZ_CHECK_SAYING(work, std::get<QString>(opened));
    FUZZ_CHECK(work->free && work->free->group == crystal.group && work->store.PoleCount() == 0);
    FUZZ_CHECK(work->free->lattice.parameters() == crystal.lattice.parameters());
    RunState run;
    Adopt(run, *work);
    const auto again
        = OpenWork(QStringLiteral("a.orvandeler"), WriteSession(SessionOf(run)), RunState());
    FUZZ_CHECK_SAYING(std::holds_alternative<OpenedWork>(again), std::get<QString>(again));
    FUZZ_CHECK(std::get<OpenedWork>(again).free->group == crystal.group);
    return 0;
}
