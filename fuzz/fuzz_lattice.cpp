// The free view's dialog: a crystal system, six cell parameters, a centre
// and an up direction, any doubles at all (NaN, infinities, denormals,
// huge, negative). Input: the system (a byte, modulo 7), a byte of
// switches (bit 0: up left to the default, bits 1-4: the net's limit), then
// twelve doubles in the machine's byte order: a, b, c, alpha, beta, gamma,
// the centre and up. Missing bytes are zero.

#include "FuzzCheck.h"

#include "poles/EntryGeometry.h"
#include "projection/Facing.h"
#include "scene/Scene.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

bool FiniteVector(const Vector3& v)
{
    return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

// Orthonormal with determinant +1, to rounding.
bool ProperRotation(const Matrix3& m)
{
    const Matrix3 product = m * m.transposed();
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            if (!(std::fabs(product.rows[size_t(i)][size_t(j)] - (i == j ? 1.0 : 0.0)) < 1e-9))
                return false;
    return std::fabs(m.determinant() - 1.0) < 1e-9;
}

// Low and high indices of both kinds, including the extremes of the store.
constexpr Index3 Probes[] = { { 1, 0, 0 }, { 0, 1, 0 }, { 0, 0, 1 }, { 1, 1, 1 }, { -1, 2, -3 },
    { 32767, -32768, 1 }, { -32768, -32768, -32768 }, { 1, 0, 32767 } };

void CheckView(const Scene& view)
{
    for (const Index3& index : Probes) {
        for (IndexKind kind : { IndexKind::Plane, IndexKind::Direction }) {
            const Entry entry { kind, index };
            const TwipsPoint at = Place(view.projector(), entry).at;
            FUZZ_CHECK(std::isfinite(at.x) && std::isfinite(at.y));
            for (double angle : AnglesOf(view.crystal.lattice, entry))
                FUZZ_CHECK(angle >= 0.0 && angle <= 180.0);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const auto system = static_cast<LatticeSystem>(data[0] % 7);
    const bool defaultUp = data[1] & 1;
    const int limit = 1 + (data[1] >> 1 & 0x0f) % 10;
    std::array<double, 12> d {};
    std::memcpy(d.data(), data + 2, std::min(size - 2, sizeof d));
    const LatticeParameters parameters { d[0], d[1], d[2], d[3], d[4], d[5] };
    const Vector3 centre { d[6], d[7], d[8] };
    Vector3 up { d[9], d[10], d[11] };

    const auto lattice = Lattice::Make(system, parameters);
    if (const Lattice* made = std::get_if<Lattice>(&lattice)) {
        for (const Matrix3* basis : { &made->directBasis(), &made->reciprocalBasis() }) {
            FUZZ_CHECK(std::isfinite(basis->determinant()) && basis->determinant() > 0.0);
        }
        for (const Index3& index : Probes) {
            const Vector3 v { double(index[0]), double(index[1]), double(index[2]) };
            FUZZ_CHECK(FiniteVector(made->planeNormal(v)) && Norm(made->planeNormal(v)) > 0.0);
            FUZZ_CHECK(FiniteVector(made->direction(v)) && Norm(made->direction(v)) > 0.0);
        }
    }

    const auto settings = Crystal::Make(system, parameters, centre,
        defaultUp ? std::nullopt : std::optional(up), NetOptions { limit, true, false });
    const Crystal* made = std::get_if<Crystal>(&settings);
    if (!made)
        return 0;
    FUZZ_CHECK(std::holds_alternative<Lattice>(lattice));
    FUZZ_CHECK(ProperRotation(made->orientation.zeroTilt.matrix()));
    CheckView(FreeScene(*made));

    // The dialog shows centre and up as read off the turn; made again from
    // them, the settings look the same way.
    const Vector3 shownCentre = made->centre();
    const Vector3 shownUp = made->up();
    FUZZ_CHECK(FiniteVector(shownCentre) && FiniteVector(shownUp));
    const auto again = Crystal::Make(
        system, parameters, shownCentre, shownUp, NetOptions { limit, true, false });
    FUZZ_CHECK(std::holds_alternative<Crystal>(again));
    return 0;
}
