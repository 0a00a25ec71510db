#include "crystal/Presets.h"
#include "files/VariantTable.h"
#include "freeview/LatticeFields.h"
#include "freeview/frmSecondCrystal.h"
#include "freeview/frmVariants.h"
#include "plotting/CheckIndex.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A crystal of the list, along [001].
Crystal Preset(const QString& name)
{
    for (const CrystalPreset& preset : CrystalPresets())
        if (preset.name.startsWith(name))
            return std::get<Crystal>(Crystal::Make(preset.system, preset.parameters, { 0, 0, 1 },
                std::nullopt, {}, preset.spaceGroup));
    qFatal("no preset %s", qPrintable(name));
}

template <typename T> T* Child(const QWidget& window, const QString& name)
{
    T* found = window.findChild<T*>(name);
    if (!found)
        qFatal("no child %s", qPrintable(name));
    return found;
}

void ChooseRelationship(const frmSecondCrystal& dialog, NamedRelationship id)
{
    Child<QRadioButton>(dialog, u"optRelationship"_s)->click();
    auto* relationships = Child<QComboBox>(dialog, u"cboRelationship"_s);
    relationships->setCurrentIndex(relationships->findData(int(id)));
}

void Type(const frmSecondCrystal& dialog, const QString& prefix, const QStringList& texts)
{
    const QString letters = prefix.contains(u"Plane"_s) ? u"HKIL"_s : u"UVTW"_s;
    for (qsizetype k = 0; k < texts.size(); ++k)
        Child<QLineEdit>(dialog, prefix + letters[texts.size() == 3 && k == 2 ? 3 : k])
            ->setText(texts[k]);
}

SecondCrystal KurdjumovSachs(const Crystal& austenite)
{
    const frmSecondCrystal dialog(austenite, std::nullopt);
    return std::get<SecondCrystal>(dialog.settings());
}

} // namespace

// The dialog of the second crystal and the table of its variants.
class TestSecondCrystal : public QObject
{
    Q_OBJECT

private slots:
    void variantCounts_data();
    void variantCounts();
    void refused_data();
    void refused();
    void twinTakesTheFirstLattice();
    void currentShownAndRemoved();
    void variantsTable();
};

void TestSecondCrystal::variantCounts_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<NamedRelationship>("relationship");
    QTest::addColumn<int>("count");
    // The child each parent starts with: ferrite in austenite, alpha in beta titanium.
    QTest::newRow("KS") << u"Cu"_s << NamedRelationship::KurdjumovSachs << 24;
    QTest::newRow("Bain") << u"Cu"_s << NamedRelationship::Bain << 3;
    QTest::newRow("Burgers") << u"α-Fe"_s << NamedRelationship::Burgers << 12;
}

void TestSecondCrystal::variantCounts()
{
    QFETCH(QString, first);
    QFETCH(NamedRelationship, relationship);
    QFETCH(int, count);
    frmSecondCrystal dialog(Preset(first), std::nullopt);
    ChooseRelationship(dialog, relationship);
    QCOMPARE(Child<QSpinBox>(dialog, u"spnVariant"_s)->maximum(), count);
    QCOMPARE(Child<QLabel>(dialog, u"lblVariantCount"_s)->text(), u"（全 %1 個）"_s.arg(count));
    Child<QSpinBox>(dialog, u"spnVariant"_s)->setValue(count);
    const SecondCrystal made = std::get<SecondCrystal>(dialog.settings());
    QCOMPARE(made.variantCount(), count);
    QCOMPARE(made.variant, count);
    QCOMPARE(made.placement, SecondPlacement(relationship));
    Child<QCheckBox>(dialog, u"chkAllVariants"_s)->click();
    QVERIFY(std::get<SecondCrystal>(dialog.settings()).allShown());
    QVERIFY(!Child<QSpinBox>(dialog, u"spnVariant"_s)->isEnabled());
}

void TestSecondCrystal::refused_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("boxes");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("message");
    // [1 0 0] lies 35.264 degrees out of (1 1 1).
    QTest::newRow("direction out of its plane")
        << u"Cu"_s << u"txtDirection1"_s << QStringList { u"1"_s, u"0"_s, u"0"_s }
        << RelationshipMessages::NotInPlane.arg(1).arg(u"[1 0 0]"_s, u"(1 1 1)"_s, u"35.264"_s);
    // alpha titanium's direction in four indices, t checked.
    QTest::newRow("t not -(u + v)")
        << u"α-Fe"_s << u"txtDirection2"_s << QStringList { u"2"_s, u"-1"_s, u"1"_s, u"0"_s }
        << Messages::BadThirdDirection.arg(u"-1"_s, u"1"_s);
    QTest::newRow("not whole") << u"Cu"_s << u"txtPlane2"_s
                               << QStringList { u"0"_s, u"1.5"_s, u"1"_s }
                               << SecondCrystalWindowMessages::NotWhole;
}

// A typed pair is refused with the reason, which also shows beneath it.
void TestSecondCrystal::refused()
{
    QFETCH(QString, first);
    QFETCH(QString, boxes);
    QFETCH(QStringList, typed);
    QFETCH(QString, message);
    frmSecondCrystal dialog(Preset(first), std::nullopt);
    Child<QRadioButton>(dialog, u"optPairs"_s)->click();
    // The named relationship the dialog starts with, typed: accepted.
    QVERIFY(std::holds_alternative<SecondCrystal>(dialog.settings()));
    Type(dialog, boxes, typed);
    QCOMPARE(std::get<QString>(dialog.settings()), message);
    QCOMPARE(Child<QLabel>(dialog, u"lblStatus"_s)->text(), message);
}

// A twin is of the first crystal's lattice; the lattice typed comes back
// with another placement.
void TestSecondCrystal::twinTakesTheFirstLattice()
{
    const Crystal copper = Preset(u"Cu"_s);
    frmSecondCrystal dialog(copper, std::nullopt);
    auto* lattice = dialog.findChild<LatticeFields*>();
    auto* a = Child<QLineEdit>(dialog, u"txtA"_s);
    const QString ferrite = a->text();
    Child<QRadioButton>(dialog, u"optTwinPlane"_s)->click();
    QVERIFY(!lattice->isEnabled());
    QCOMPARE(a->text(), QString::number(copper.lattice.parameters().a, 'g', 8));
    const SecondCrystal twin = std::get<SecondCrystal>(dialog.settings());
    QCOMPARE(twin.lattice, copper.lattice);
    QCOMPARE(twin.placement, SecondPlacement(TwinPlane { { 1, 1, 1 } }));
    QCOMPARE(twin.variantCount(), 4);
    Child<QRadioButton>(dialog, u"optRelationship"_s)->click();
    QVERIFY(lattice->isEnabled());
    QCOMPARE(a->text(), ferrite);
    // A CIF file's crystal ends the twin and keeps its name while it stands.
    Child<QRadioButton>(dialog, u"optTwinPlane"_s)->click();
    const Crystal titanium = Preset(u"α-Ti"_s);
    dialog.showCif(titanium.lattice, titanium.group, u"Ti"_s);
    QVERIFY(lattice->isEnabled());
    const SecondCrystal read = std::get<SecondCrystal>(dialog.settings());
    QCOMPARE(read.lattice, titanium.lattice);
    QCOMPARE(read.name, u"Ti"_s);
}

// The dialog shows the second crystal there is, gives it back unchanged,
// and can remove it.
void TestSecondCrystal::currentShownAndRemoved()
{
    const Crystal copper = Preset(u"Cu"_s);
    const frmSecondCrystal none(copper, std::nullopt);
    QVERIFY(!Child<QPushButton>(none, u"cmdRemove"_s)->isEnabled());

    const std::array<SecondPlacement, 3> placements { NamedRelationship::Pitsch,
        RelationshipDefinition { { 1, 1, 1 }, { 0, 1, 1 }, { 1, -1, 0 }, { 1, -1, 1 } },
        TwinAxis { { 1, 1, 2 } } };
    for (const SecondPlacement& placement : placements) {
        const SecondCrystal current = std::get<SecondCrystal>(SecondCrystal::Make(copper,
            Preset(u"α-Fe"_s).lattice, Preset(u"α-Fe"_s).group, {}, placement, 2, true, false));
        frmSecondCrystal dialog(copper, current);
        QCOMPARE(std::get<SecondCrystal>(dialog.settings()), current);
        auto* remove = Child<QPushButton>(dialog, u"cmdRemove"_s);
        QVERIFY(remove->isEnabled());
        remove->click();
        QCOMPARE(dialog.result(), frmSecondCrystal::Removed);
    }

    // Euler angles shown rounded and left as they were keep the orientation
    // exactly, not as rounded.
    const SecondCrystal own = std::get<SecondCrystal>(SecondCrystal::Make(
        copper, copper.lattice, copper.group, {}, EulerAngles { 10.12345, 20.6789, 30.4321 }));
    const frmSecondCrystal dialog(copper, own);
    QCOMPARE(Child<QLineEdit>(dialog, u"txtPhi1"_s)->text(), u"10.123"_s);
    const SecondCrystal kept = std::get<SecondCrystal>(dialog.settings());
    QVERIFY(MaxDifference(kept.variants[0], own.variants[0]) < 1e-12);
}

// Every variant once, sortable by its angle; Enter on a row asks for it.
void TestSecondCrystal::variantsTable()
{
    const Crystal copper = Preset(u"Cu"_s);
    frmVariants window;
    auto* table = Child<QTableView>(window, u"grdVariants"_s);
    QCOMPARE(table->model()->rowCount(), 0);
    const SecondCrystal ks = KurdjumovSachs(copper);
    window.showTable(copper, ks);
    const QAbstractItemModel* rows = table->model();
    QCOMPARE(rows->rowCount(), 24);
    QCOMPARE(rows->index(0, 2).data().toString(), u"—"_s);
    table->sortByColumn(1, Qt::DescendingOrder);
    QCOMPARE(rows->index(0, 1).data().toString(), u"60.000"_s);
    QCOMPARE(rows->index(23, 0).data().toString(), u"1"_s);
    // The order chosen stays with the next table.
    window.showTable(copper, ks);
    QCOMPARE(rows->index(23, 0).data().toString(), u"1"_s);

    QSignalSpy chosen(&window, &frmVariants::variantChosen);
    const int number = rows->index(3, 0).data().toInt();
    table->setCurrentIndex(rows->index(3, 2));
    QTest::keyClick(table, Qt::Key_Return);
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen[0][0].toInt(), number);

    window.showTable(copper, std::nullopt);
    QCOMPARE(rows->rowCount(), 0);
}

QTEST_MAIN(TestSecondCrystal)
#include "tst_secondcrystal.moc"
