#pragma once

#include "poles/PoleStore.h"
#include "scene/Crystal.h"
#include "scene/DocumentedViews.h"
#include "scene/Scene.h"
#include "surface/DisplaySettings.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

// What one run of the program knows: the view shown, the plotted entries
// and how the picture is drawn. A new run is the program at start-up: the
// cubic view with symmetry, nothing plotted, plot size 30 and line width 1.
// It lives as long as the program and belongs to no window.
struct RunState
{
    Scene scene = StartUpView().scene;
    PoleStore store;
    DisplaySettings display = StartUpDisplay;
    // The free view's crystal, kept while another view is chosen so that
    // choosing it again starts from it.
    Crystal free;
    // Until a projection is chosen the angle columns keep their start-up captions.
    bool projectionChosen = false;
    // The session's own file, where 上書き保存 writes, and a digest of what
    // it held when last opened or saved here; empty until it has one.
    struct SessionFile
    {
        QString path;
        QByteArray digest;
    } sessionFile;

    // The documented run-wide pair of the view shown (1 cubic, 2 hexagonal;
    // 1 with symmetry, 2 the full view); 0 in the free view.
    int16_t CrystalSystem() const { return scene.row ? scene.row->crystalSystem : 0; }
    int16_t SymmetryMode() const { return scene.row ? scene.row->symmetryMode : 0; }
    // The captions of the three angle columns and the references they name.
    const std::array<QString, 3>& angleCaptions() const;
    const std::array<QString, 3>& referenceNames() const;
    // The references as a data file names them: signed, (10-10).
    const std::array<QString, 3>& writtenReferenceNames() const;

    // The run as it is but for its entries: where another view or an
    // opened session begins.
    RunState withoutEntries() const;

    // Choose a documented view or the free one; both empty the store.
    void chooseDocumented(const ViewRow& row);
    void chooseFree(const Crystal& crystal);
    // Another crystal or orientation for the free view, keeping its entries
    // and its second crystal, placed anew against another lattice or group;
    // a second that cannot be is taken away with its entries, so ask first.
    void changeFree(const Crystal& crystal);
    // Why the second crystal cannot be placed against `crystal` as the
    // first; empty when it can, or when there is none.
    QString secondRefusedBy(const Crystal& crystal) const;
    // Adds, changes or (none) takes away the free view's second crystal;
    // taking it away takes its entries too.
    void changeSecond(std::optional<SecondCrystal> second);
};

// The captions the angle columns show from start-up until a projection is
// chosen, and the references they name.
const std::array<QString, 3>& StartUpAngleCaptions();
const std::array<QString, 3>& StartUpReferenceNames();
