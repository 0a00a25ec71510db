#include "scene/DocumentedViews.h"

#include "figure/DocumentedNets.h"

#include <cmath>

namespace {

QString Caption(const char16_t* text)
{
    return QString::fromUtf16(text);
}

// The cubic view along [100] with [001] up; the hexagonal one along [0001]
// with a2 up, so that (10-10) lies to the right.
CrystalOrientation CubicOrientation()
{
    return *CrystalOrientation::FromCentreUp(Lattice::UnitCubic(), { 1, 0, 0 }, { 0, 0, 1 });
}

CrystalOrientation HexagonalOrientation()
{
    return *CrystalOrientation::FromCentreUp(Lattice::IdealHexagonal(), { 0, 0, 1 }, { 0, 1, 0 });
}

// (110) lies 2 tan 22.5 deg from (100); the view stretches that to 5000 twips.
const Frame CubicSymFrame { 1000.0, 5500.0, 5000.0 / (2.0 * std::tan(Pi * 22.5 / 180.0)) };
const Frame HexSymFrame { 1000.0, 5500.0, 2500.0 };
const Frame FullFrame {};

Scene DocumentedScene(const Lattice& lattice, const CrystalOrientation& orientation, IndexRule rule,
    Region region, const Frame& frame, const Layer& net)
{
    Scene scene;
    scene.frame = frame;
    scene.region = region;
    scene.crystal = { lattice, { orientation, {}, {} }, rule, {} };
    scene.net = { &net };
    return scene;
}

std::array<ViewRow, 4> MakeRows()
{
    const Lattice cubic = Lattice::UnitCubic();
    const Lattice hexagonal = Lattice::IdealHexagonal();
    const std::array<QString, 3>& cubicCaptions = ReferencesOf(LatticeSystem::Cubic).captions;
    const std::array<QString, 3>& hexCaptions = ReferencesOf(LatticeSystem::Hexagonal).captions;
    // "立法晶" and "六法晶" are the items' captions as they have always read;
    // the third caption of the first row has two plain spaces.
    std::array<ViewRow, 4> rows { {
        { 1, 1, "cubic-sym", "mnuSelectCubeSym", Caption(u"立法晶・対称性あり"),
            Caption(u"立方晶・対称性あり"),
            { cubicCaptions[0], cubicCaptions[1], Caption(u"(111)  との\u3000 角度差") },
            DocumentedScene(cubic, CubicOrientation(), IndexRule::CubicTriangle,
                Region::CubicTriangle, CubicSymFrame, CubicSymNetLayer) },
        { 1, 2, "cubic-full", "mnuSelectCubeNonSym", Caption(u"立方晶・対称性なし"),
            Caption(u"立方晶・対称性なし"), cubicCaptions,
            DocumentedScene(cubic, CubicOrientation(), IndexRule::FoldFirst, Region::Full,
                FullFrame, CubicFullNetLayer) },
        { 2, 1, "hex-sym", "mnuSelectHexSym", Caption(u"六法晶・対称性あり"),
            Caption(u"六方晶・対称性あり"), hexCaptions,
            DocumentedScene(hexagonal, HexagonalOrientation(), IndexRule::HexSector,
                Region::HexSector, HexSymFrame, HexSymNetLayer) },
        { 2, 2, "hex-full", "mnuSelectHexNonSym", Caption(u"六方晶・対称性なし"),
            Caption(u"六方晶・対称性なし"), hexCaptions,
            DocumentedScene(hexagonal, HexagonalOrientation(), IndexRule::FoldThird, Region::Full,
                FullFrame, HexFullNetLayer) },
    } };
    return rows;
}

} // namespace

std::span<const ViewRow> DocumentedViews()
{
    static const std::array<ViewRow, 4>& rows = *[] {
        static std::array<ViewRow, 4> made = MakeRows();
        // Each row's scene knows the row it is.
        for (ViewRow& row : made)
            row.scene.row = &row;
        return &made;
    }();
    return rows;
}

const ViewRow& StartUpView()
{
    return DocumentedViews().front();
}

const ViewRow* FindView(int16_t crystalSystem, int16_t symmetryMode)
{
    const int16_t mode = symmetryMode == 1 ? 1 : 2;
    for (const ViewRow& row : DocumentedViews())
        if (row.crystalSystem == crystalSystem && row.symmetryMode == mode)
            return &row;
    return nullptr;
}

const ViewRow* FindView(const QString& id)
{
    for (const ViewRow& row : DocumentedViews())
        if (id == QLatin1String(row.id))
            return &row;
    return nullptr;
}
