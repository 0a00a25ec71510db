#include "scene/SecondCrystal.h"

#include "crystal/CrystalSymmetry.h"
#include "scene/Crystal.h"

namespace {

// The turn T a placement defines, from the first crystal's Cartesian
// coordinates to the second's, or why there is none.
std::variant<Matrix3, QString> TurnOf(
    const Crystal& first, const Lattice& lattice, const SecondPlacement& placement)
{
    if (const auto* named = std::get_if<NamedRelationship>(&placement))
        return RelationshipTurn(first.lattice, lattice, RowOf(*named).definition);
    if (const auto* pairs = std::get_if<RelationshipDefinition>(&placement))
        return RelationshipTurn(first.lattice, lattice, *pairs);
    if (const auto* twin = std::get_if<TwinPlane>(&placement))
        return TwinInPlane(first.lattice, twin->plane);
    if (const auto* twin = std::get_if<TwinAxis>(&placement))
        return TwinAboutDirection(first.lattice, twin->direction);
    const auto own = CheckedEuler(std::get<EulerAngles>(placement));
    if (const QString* why = std::get_if<QString>(&own))
        return *why;
    // g2 = T g1, with g1 the first as drawn now.
    return std::get<CrystalOrientation>(own).matrix()
        * first.orientation.drawn().matrix().transposed();
}

bool IsTwin(const SecondPlacement& placement)
{
    return std::holds_alternative<TwinPlane>(placement)
        || std::holds_alternative<TwinAxis>(placement);
}

} // namespace

std::vector<Matrix3> ProperRotationsOf(const Lattice& lattice, const SpaceGroup& group)
{
    std::vector<Matrix3> out;
    const auto symmetry = CrystalSymmetry::Make(lattice, group);
    if (const auto* made = std::get_if<CrystalSymmetry>(&symmetry))
        for (const Rotation& r : made->rotations())
            out.push_back(r.matrix());
    if (out.empty())
        out.emplace_back();
    return out;
}

std::variant<SecondCrystal, QString> SecondCrystal::Make(const Crystal& first,
    const Lattice& lattice, const SpaceGroup& group, const QString& name,
    const SecondPlacement& placement, int variant, bool net, bool variantNumbers)
{
    SecondCrystal second;
    const bool twin = IsTwin(placement);
    second.lattice = twin ? first.lattice : lattice;
    second.group = twin ? first.group : group;
    second.name = twin ? first.name : name;
    if (const auto symmetry = CrystalSymmetry::Make(second.lattice, second.group);
        const QString* why = std::get_if<QString>(&symmetry))
        return *why;
    second.placement = placement;
    const auto turn = TurnOf(first, second.lattice, placement);
    if (const QString* why = std::get_if<QString>(&turn))
        return *why;
    if (std::holds_alternative<EulerAngles>(placement)) {
        // An orientation of its own has no variants.
        second.variants = { std::get<Matrix3>(turn) };
    } else {
        second.variants
            = Variants(std::get<Matrix3>(turn), ProperRotationsOf(first.lattice, first.group),
                ProperRotationsOf(second.lattice, second.group));
    }
    if (variant != AllVariants && (variant < 1 || variant > second.variantCount()))
        return SecondCrystalMessages::NoSuchVariant.arg(second.variantCount());
    second.variant = variant;
    second.net = net;
    second.variantNumbers = variantNumbers;
    return second;
}

Crystal SecondCrystal::crystal() const
{
    return Crystal(lattice, {}, IndexRule::AsTyped, {}, group, name);
}

CrystalOrientation SecondCrystal::orientationOf(const CrystalOrientation& first, int n) const
{
    const std::size_t k = std::size_t(std::clamp(n, 1, variantCount())) - 1;
    return first.related(variants[k]);
}

std::vector<VariantRow> VariantTableOf(const Crystal& first, const SecondCrystal& second)
{
    // An orientation of its own is one variant; the table of a relationship
    // finds the same variants from the same turn.
    const std::vector<Matrix3> parent = second.variantCount() == 1
        ? std::vector<Matrix3>(1)
        : ProperRotationsOf(first.lattice, first.group);
    return VariantTable(second.variants.front(), parent,
        ProperRotationsOf(second.lattice, second.group), second.lattice);
}

Misorientation MisorientationOf(const Crystal& first, const SecondCrystal& second)
{
    const CrystalOrientation g1 = first.orientation.drawn();
    return MisorientationBetween(g1, ProperRotationsOf(first.lattice, first.group),
        second.orientation(g1), ProperRotationsOf(second.lattice, second.group));
}
