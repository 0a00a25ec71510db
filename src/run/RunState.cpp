#include "run/RunState.h"

#include <algorithm>
#include <variant>

const std::array<QString, 3>& StartUpAngleCaptions()
{
    // The captions differ in their spaces: U+3000 and U+0020 are both meant.
    static const std::array<QString, 3> captions {
        QStringLiteral(u"[100]\u3000との \u3000角度差"),
        QStringLiteral(u"[110]\u3000との\u3000 角度差"),
        QStringLiteral(u"[111]\u3000との\u3000 角度差"),
    };
    return captions;
}

const std::array<QString, 3>& StartUpReferenceNames()
{
    static const std::array<QString, 3> names { QStringLiteral("[100]"), QStringLiteral("[110]"),
        QStringLiteral("[111]") };
    return names;
}

const std::array<QString, 3>& RunState::angleCaptions() const
{
    return projectionChosen ? scene.captions() : StartUpAngleCaptions();
}

const std::array<QString, 3>& RunState::referenceNames() const
{
    return projectionChosen ? scene.referenceNames() : StartUpReferenceNames();
}

RunState RunState::withoutEntries() const
{
    RunState other = *this;
    other.store = PoleStore();
    return other;
}

const std::array<QString, 3>& RunState::writtenReferenceNames() const
{
    return projectionChosen ? scene.crystal.references().written : StartUpReferenceNames();
}

void RunState::chooseDocumented(const ViewRow& row)
{
    store.InitPoleData();
    scene = row.scene;
    projectionChosen = true;
}

void RunState::chooseFree(const Crystal& crystal)
{
    store.InitPoleData();
    scene.second.reset();
    changeFree(crystal);
    projectionChosen = true;
}

namespace {

// The second crystal placed anew against the first crystal `crystal`, or why it cannot be.
std::variant<std::optional<SecondCrystal>, QString> SecondFollowing(
    const RunState& state, const Crystal& crystal)
{
    std::optional<SecondCrystal> second = state.scene.isFree() ? state.scene.second : std::nullopt;
    if (!second || (crystal.lattice == state.free.lattice && crystal.group == state.free.group))
        return second;
    auto made = SecondCrystal::Make(crystal, second->lattice, second->group, second->name,
        second->placement, second->variant, second->net, second->variantNumbers);
    if (const QString* why = std::get_if<QString>(&made))
        return SecondCrystalMessages::CannotFollow.arg(*why);
    auto& placed = std::get<SecondCrystal>(made);
    placed.colour = second->colour;
    return std::optional(std::move(placed));
}

} // namespace

QString RunState::secondRefusedBy(const Crystal& crystal) const
{
    const auto following = SecondFollowing(*this, crystal);
    const QString* why = std::get_if<QString>(&following);
    return why ? *why : QString();
}

void RunState::changeFree(const Crystal& crystal)
{
    auto following = SecondFollowing(*this, crystal);
    auto* placed = std::get_if<std::optional<SecondCrystal>>(&following);
    std::optional<SecondCrystal> second = placed ? std::move(*placed) : std::nullopt;
    free = crystal;
    scene = FreeScene(crystal);
    changeSecond(std::move(second));
}

void RunState::changeSecond(std::optional<SecondCrystal> second)
{
    scene.second = std::move(second);
    if (scene.second)
        return;
    const std::vector<Entry>& entries = store.entries();
    if (std::none_of(entries.begin(), entries.end(), [](const Entry& e) { return e.crystal; }))
        return;
    std::vector<Entry> kept = store.takeAll();
    std::erase_if(kept, [](const Entry& e) { return e.crystal != 0; });
    store.restore(std::move(kept));
}
