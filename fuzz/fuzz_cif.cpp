// CIF files as the open dialog hands them over: any bytes. What reads must
// be a crystal the program can draw: a finite cell that makes a lattice, and
// a space group in the program's settings that fits it, so that its
// operations are true rotations of the lattice.

#include "FuzzCheck.h"

#include "crystal/CrystalSymmetry.h"
#include "crystal/Families.h"
#include "crystal/SymmetryCif.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto read = ReadCif(bytes);
    if (const QString* why = std::get_if<QString>(&read)) {
        FUZZ_CHECK(!why->isEmpty());
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
    return 0;
}
