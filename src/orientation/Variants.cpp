#include "orientation/Variants.h"

#include <array>
#include <tuple>

namespace {

const Matrix3 Identity {};

ProperRotations orIdentity(ProperRotations rotations)
{
    return rotations.empty() ? ProperRotations(&Identity, 1) : rotations;
}

// The trace of a b, without the product.
double traceOfProduct(const Matrix3& a, const Matrix3& b)
{
    double sum = 0.0;
    for (std::size_t i = 0; i < 3; ++i)
        sum += Dot(a.rows[i], b.column(int(i)));
    return sum;
}

// How an axis ranks among its equivalents: more components not negative,
// then larger z, y, x.
std::tuple<int, double, double, double> preference(const Vector3& axis)
{
    int notNegative = 0;
    for (double x : axis)
        notNegative += x > -1e-9;
    return { notNegative, axis[2], axis[1], axis[0] };
}

} // namespace

std::vector<Matrix3> Variants(const Matrix3& turn, ProperRotations parent, ProperRotations child)
{
    std::vector<Matrix3> out { turn };
    for (const Matrix3& s : orIdentity(parent)) {
        const Matrix3 v = turn * s;
        bool seen = false;
        for (const Matrix3& kept : out) {
            for (const Matrix3& c : orIdentity(child))
                if (MaxDifference(c * v, kept) < 1e-6) {
                    seen = true;
                    break;
                }
            if (seen)
                break;
        }
        if (!seen)
            out.push_back(v);
    }
    return out;
}

Misorientation MisorientationOf(const Matrix3& delta, ProperRotations a, ProperRotations b)
{
    // The angle grows as the trace falls: find the largest trace first, and
    // read axis and angle only off the turns that reach it.
    double best = -4.0;
    for (const Matrix3& cb : orIdentity(b)) {
        const Matrix3 left = cb * delta;
        for (const Matrix3& ca : orIdentity(a))
            best = std::max(best, traceOfProduct(left, ca));
    }
    std::optional<AxisAngle> chosen;
    for (const Matrix3& cb : orIdentity(b)) {
        const Matrix3 left = cb * delta;
        for (const Matrix3& ca : orIdentity(a)) {
            if (!(traceOfProduct(left, ca) >= best - 1e-12))
                continue;
            const AxisAngle turn = AxisAngleOf(left * ca);
            if (!chosen || preference(turn.axis) > preference(chosen->axis))
                chosen = turn;
        }
    }
    if (!chosen)
        return {};
    return { chosen->degrees, chosen->axis };
}

Misorientation MisorientationBetween(const CrystalOrientation& a, ProperRotations symmetryA,
    const CrystalOrientation& b, ProperRotations symmetryB)
{
    return MisorientationOf(b.matrix() * a.matrix().transposed(), symmetryA, symmetryB);
}

std::vector<VariantRow> VariantTable(const Matrix3& turn, ProperRotations parent,
    ProperRotations child, const Lattice& childLattice, int axisLimit)
{
    std::vector<VariantRow> rows;
    const std::vector<Matrix3> variants = Variants(turn, parent, child);
    for (std::size_t i = 0; i < variants.size(); ++i) {
        VariantRow row;
        row.number = int(i) + 1;
        row.turn = variants[i];
        row.toFirst = MisorientationOf(variants[i] * variants[0].transposed(), child, child);
        if (row.toFirst.degrees > 1e-6)
            row.axis
                = NearestLowIndex(childLattice, IndexKind::Direction, row.toFirst.axis, axisLimit);
        rows.push_back(row);
    }
    return rows;
}
