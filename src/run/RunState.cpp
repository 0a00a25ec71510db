#include "run/RunState.h"

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
    changeFree(crystal);
    projectionChosen = true;
}

void RunState::changeFree(const Crystal& crystal)
{
    free = crystal;
    scene = FreeScene(crystal);
}
