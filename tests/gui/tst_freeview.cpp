#include "Pixels.h"
#include "RecordingSurface.h"
#include "WindowTest.h"
#include "app/PictureBox.h"
#include "crystal/Presets.h"
#include "crystal/SymmetryCif.h"
#include "figure/PlotPoles.h"
#include "files/FileMessages.h"
#include "freeview/frmCrystal.h"
#include "plotting/CheckIndex.h"
#include "poles/EntryGeometry.h"
#include "projection/Facing.h"
#include "run/RunState.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

Crystal Zinc(Vector3 centre)
{
    const LatticeParameters cell { 2.665, 2.665, 4.947, 90, 90, 120 };
    return std::get<Crystal>(
        Crystal::Make(LatticeSystem::Hexagonal, cell, centre, std::nullopt, {}));
}

} // namespace

// The free projection through the real window: chosen, answered, plotted,
// turned, read and kept.
class TestFreeView : public WindowTest
{
    Q_OBJECT

private slots:
    void choosingAndChoosingAgain();
    void crystalThatCannotShowAnEntry();
    void directionsAndTheirForms();
    void turningMovesThePictureNotTheLists();
    void pickedZone();
    void dragKeepsThePick_data();
    void dragKeepsThePick();
    void keptInASession();
    void dialogReadsItsFields_data();
    void dialogReadsItsFields();
    void dialogSpaceGroup();
    void familyPlottedAsOneStep();
    void schmidWindow();
    void cifOpened();
    void dialogChoosesTheProjection();

private:
    // Zinc along [0001] with (10-11) and (01-11) plotted, the first picked
    // by a click on its mark.
    PictureBox* pickFirstOfTwo();
};

PictureBox* TestFreeView::pickFirstOfTwo()
{
    m_dialogs.nextFreeView = Zinc({ 0, 0, 1 });
    child<QAction>("mnuSelectFree")->trigger();
    plot("1", "0", "1");
    plot("0", "1", "1");
    auto* picture = child<PictureBox>("picPictureBox");
    QTest::mouseClick(picture, Qt::LeftButton, {}, pixelOf(0));
    return picture;
}

void TestFreeView::choosingAndChoosingAgain()
{
    plot("1", "1", "1");
    auto* item = child<QAction>("mnuSelectFree");
    item->trigger();
    // Chosen: the only mark, an empty plot, the dialog on the settings kept.
    QVERIFY(item->isChecked());
    QVERIFY(!child<QAction>("mnuSelectCubeSym")->isChecked());
    QCOMPARE(m_state->store.PoleCount(), int16_t(0));
    QCOMPARE(m_dialogs.freeViewDialogs.size(), 1);
    QCOMPARE(child<QLabel>("lblAngle3")->text(), u"(111)\u3000との\u3000 角度差"_s);
    QVERIFY(child<QAction>("mnuEditDirection")->isEnabled());

    // Chosen again and answered: the entries stay, drawn for the new crystal.
    plot("1", "0", "1");
    m_dialogs.nextFreeView = Zinc({ 0, 0, 1 });
    item->trigger();
    QCOMPARE(m_state->store.PoleCount(), int16_t(1));
    QCOMPARE(list("txtIndexList"), u"(1 0 -1 1)\n"_s);
    QCOMPARE(list("txtAngleList"), u"(64.989  25.011  38.296)\n"_s);
    QCOMPARE(child<QLabel>("lblAngle2")->text(), u"(1010)\u3000との\u3000 角度差"_s);
    QVERIFY(m_form->findChild<QWidget*>(u"picPictureBox"_s)
                ->accessibleDescription()
                .contains(u"六方晶（a = 2.665 Å、c = 4.947 Å）、中心 [0 0 0 1]"_s));

    // Chosen again and cancelled: still chosen and marked, the entries kept.
    item->trigger();
    QVERIFY(item->isChecked());
    QCOMPARE(m_state->store.PoleCount(), int16_t(1));

    // Another projection takes the mark and the directions away.
    child<QAction>("mnuSelectHexNonSym")->trigger();
    QVERIFY(!item->isChecked());
    QVERIFY(!child<QAction>("mnuEditDirection")->isEnabled());
}

// (32767 2 0) of a cubic crystal has i = -32769 on hexagonal axes: zinc is
// refused, as a session of zinc with it would be, and nothing changes.
void TestFreeView::crystalThatCannotShowAnEntry()
{
    child<QAction>("mnuSelectFree")->trigger();
    plot("32767", "2", "0");
    const Crystal cubic = m_state->free;
    m_dialogs.nextFreeView = Zinc({ 0, 0, 1 });
    child<QAction>("mnuSelectFree")->trigger();
    QCOMPARE(m_dialogs.messages,
        QStringList { FileMessages::EntryRefused.arg(1).arg(
            u"(32767 2 -32769 0)"_s, Messages::IndexTooLarge) });
    QVERIFY(m_state->free == cubic);
    QCOMPARE(list("txtIndexList"), u"(32767 2 0)\n"_s);
}

void TestFreeView::directionsAndTheirForms()
{
    m_dialogs.nextFreeView = Zinc({ 0, 0, 1 });
    child<QAction>("mnuSelectFree")->trigger();
    child<QAction>("mnuEditDirection")->trigger();
    plot("2", "-1", "0");
    plot("0", "0", "-1");
    plot("1", "1", "0");
    QCOMPARE(list("txtIndexList"), u"[2 -1 -1 0]\n[0 0 0 -1]\n[1 1 -2 0]\n"_s);
    // [0 0 0 -1] points away from the viewer: an open ring at the centre,
    // the others filled marks.
    RecordingSurface recorded;
    PlotPoles(recorded, m_state->store, m_state->scene.projector(), 30);
    QList<double> fills;
    for (const SurfaceCall& call : recorded.calls)
        if (call.kind == SurfaceCall::FillStyle)
            fills << call.values[0];
    QCOMPARE(fills, QList<double>({ 0, 1, 1, 1, 0, 1 }));
    QCOMPARE(recorded.calls[4].kind, SurfaceCall::Circle);
    QVERIFY(
        std::hypot(recorded.calls[4].values[0] - 3500, recorded.calls[4].values[1] - 3500) < 1e-6);
    // A plane again once the item is cleared.
    child<QAction>("mnuEditDirection")->trigger();
    plot("1", "0", "0");
    QVERIFY(list("txtIndexList").endsWith(u"\n(1 0 -1 0)\n"_s));
}

void TestFreeView::turningMovesThePictureNotTheLists()
{
    m_dialogs.nextFreeView = Zinc({ 1, 2, 3 });
    child<QAction>("mnuSelectFree")->trigger();
    for (const auto& [x, y, z] :
        { std::array { "1", "0", "1" }, { "0", "0", "1" }, { "1", "1", "0" } })
        plot(x, y, z);
    const QString index = list("txtIndexList"), angles = list("txtAngleList");
    const QImage before = m_form->surface().image();
    const Matrix3 start = m_state->free.orientation.zeroTilt.matrix();
    auto* picture = child<PictureBox>("picPictureBox");

    QTest::keyClick(picture, Qt::Key_Right, Qt::ShiftModifier);
    QVERIFY(m_form->surface().image() != before);
    QTest::keyClick(picture, Qt::Key_Up);
    QTest::keyClick(picture, Qt::Key_BracketRight);
    QTest::keyClick(picture, Qt::Key_BracketLeft);
    QTest::keyClick(picture, Qt::Key_Down);
    QTest::keyClick(picture, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(list("txtIndexList"), index);
    QCOMPARE(list("txtAngleList"), angles);
    QCOMPARE(m_form->surface().image(), before);

    // A drag turns; it picks nothing, and the drag back returns.
    const QPoint from(200, 260), to(300, 150);
    Drag(picture, from, to);
    QVERIFY(!(m_state->free.orientation.zeroTilt.matrix() == start));
    QCOMPARE(m_form->pickedPole(), -1);
    Drag(picture, to, from);
    QVERIFY(MaxDifference(m_state->free.orientation.zeroTilt.matrix(), start) < 1e-9);
}

void TestFreeView::pickedZone()
{
    PictureBox* picture = pickFirstOfTwo();
    QCOMPARE(m_form->pickedPole(), 0);
    QTest::mouseMove(picture, pixelOf(1));
    // (10-11) and (01-11) share the zone [1 1 -1], [1 1 -2 -3] in four indices.
    QVERIFY2(m_form->pointerReadout().contains(u"  晶帯軸 [1 1 -2 -3]\n"_s),
        qPrintable(m_form->pointerReadout()));
    QVERIFY(picture->hasGreatCircle());
    QTest::keyClick(picture, Qt::Key_Escape);
    QVERIFY(!picture->hasGreatCircle());
}

void TestFreeView::dragKeepsThePick_data()
{
    QTest::addColumn<bool>("fromMark");
    QTest::newRow("from a mark") << true;
    QTest::newRow("from beside one") << false;
}

// A press is no click until the release shows no drag: a drag that turns the
// crystal neither picks nor ends the pick, its ring and its lines.
void TestFreeView::dragKeepsThePick()
{
    QFETCH(bool, fromMark);
    PictureBox* picture = pickFirstOfTwo();
    QCOMPARE(m_form->pickedPole(), 0);
    const Matrix3 start = m_state->free.orientation.zeroTilt.matrix();

    const QPoint from = fromMark ? pixelOf(1) : QPoint(233, 60);
    const QPoint to = from + QPoint(QApplication::startDragDistance() + 30, 10);
    Drag(picture, from, to);

    QVERIFY(!(m_state->free.orientation.zeroTilt.matrix() == start));
    QCOMPARE(m_form->pickedPole(), 0);
    QVERIFY(picture->hasRing());
    QCOMPARE(child<QPlainTextEdit>("txtIndexList")->textCursor().selectedText(), u"(1 0 -1 1)"_s);
}

void TestFreeView::keptInASession()
{
    m_dialogs.nextFreeView = Zinc({ 1, 0, 0 });
    child<QAction>("mnuSelectFree")->trigger();
    plot("1", "0", "2");
    child<QAction>("mnuEditDirection")->trigger();
    plot("1", "1", "1");
    QTest::keyClick(child<PictureBox>("picPictureBox"), Qt::Key_Right, Qt::ShiftModifier);
    QTemporaryDir dir;
    m_dialogs.nextFiles = { { dir.filePath(u"zinc"_s), 0 } };
    child<QAction>("mnuFileSaveAsSession")->trigger();
    const QString index = list("txtIndexList"), angles = list("txtAngleList");
    const QImage picture = m_form->surface().image();

    init();
    m_dialogs.nextFiles = { { dir.filePath(u"zinc.orvandeler"_s), 0 } };
    child<QAction>("mnuFileOpen")->trigger();
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.messages.join(u'\n')));
    QVERIFY(child<QAction>("mnuSelectFree")->isChecked());
    QCOMPARE(list("txtIndexList"), index);
    QCOMPARE(list("txtAngleList"), angles);
    // The turned orientation comes back to the precision a file keeps.
    const int differing = Pixels::DifferingPixels(picture, m_form->surface().image());
    QVERIFY2(differing < 50, qPrintable(QString::number(differing)));
}

void TestFreeView::dialogReadsItsFields_data()
{
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QStringList>("centre");
    QTest::addColumn<QString>("c");
    QTest::addColumn<QString>("message");
    QTest::newRow("zinc along [001]")
        << u"Zn（亜鉛）"_s << QStringList { "0", "0", "1" } << u""_s << u""_s;
    QTest::newRow("full-width digits")
        << u"Zn（亜鉛）"_s << QStringList { "１", "０", "０" } << u""_s << u""_s;
    QTest::newRow("no centre") << u"Zn（亜鉛）"_s << QStringList { "0", "0", "0" } << u""_s
                               << FreeViewMessages::CentreZero;
    QTest::newRow("letters for a length") << u"Zn（亜鉛）"_s << QStringList { "0", "0", "1" }
                                          << u"abc"_s << CrystalMessages::CellNotNumeric;
    QTest::newRow("no length") << u"β-Sn（スズ）"_s << QStringList { "0", "0", "1" } << u"0"_s
                               << LatticeMessages::LengthNotPositive;
}

void TestFreeView::dialogReadsItsFields()
{
    QFETCH(QString, preset);
    QFETCH(QStringList, centre);
    QFETCH(QString, c);
    QFETCH(QString, message);
    frmCrystal dialog(Crystal {});
    auto* presets = dialog.findChild<QComboBox*>(u"cboPreset"_s);
    const int index = presets->findText(preset);
    QVERIFY(index > 0);
    presets->setCurrentIndex(index);
    emit presets->activated(index);
    for (int k = 0; k < 3; ++k) {
        dialog.findChild<QLineEdit*>(u"txtCentre"_s + QChar(u'U' + k))->setText(centre[k]);
        dialog.findChild<QLineEdit*>(u"txtUp"_s + QChar(u'U' + k))->clear();
    }
    if (!c.isEmpty())
        dialog.findChild<QLineEdit*>(u"txtC"_s)->setText(c);
    // Fixed by the system: b follows a and takes no typing.
    QVERIFY(!dialog.findChild<QLineEdit*>(u"txtB"_s)->isEnabled());
    const std::variant<Crystal, QString> read = dialog.settings();
    if (!message.isEmpty()) {
        QCOMPARE(std::get<QString>(read), message);
        return;
    }
    const Crystal& settings = std::get<Crystal>(read);
    const CrystalPreset& chosen = CrystalPresets()[std::size_t(index - 1)];
    QCOMPARE(settings.system(), chosen.system);
    QCOMPARE(settings.lattice.parameters(), Constrained(chosen.system, chosen.parameters));
    const Vector3 expected = centre[0] == u"１"_s
        ? Vector3 { 1, 0, 0 }
        : Vector3 { centre[0].toDouble(), centre[1].toDouble(), centre[2].toDouble() };
    QVERIFY(settings.centre() == expected);
}

// The group follows the system while it is the system's default, comes
// with a crystal to start from, and must fit the system at OK.
void TestFreeView::dialogSpaceGroup()
{
    frmCrystal dialog(Crystal {});
    auto* group = dialog.findChild<QLineEdit*>(u"txtSpaceGroup"_s);
    auto* systems = dialog.findChild<QComboBox*>(u"cboSystem"_s);
    QCOMPARE(group->text(), u"P m -3 m"_s);
    systems->setCurrentIndex(systems->findText(SystemName(LatticeSystem::Hexagonal)));
    QCOMPARE(group->text(), u"P 6/m m m"_s);
    auto* presets = dialog.findChild<QComboBox*>(u"cboPreset"_s);
    const int silicon = presets->findText(u"Si（ケイ素）"_s);
    presets->setCurrentIndex(silicon);
    emit presets->activated(silicon);
    QCOMPARE(group->text(), u"F d -3 m"_s);
    QCOMPARE(std::get<Crystal>(dialog.settings()).group.name(), u"F d -3 m"_s);
    // Typed, it stays when the system changes, and OK says why it does not fit.
    systems->setCurrentIndex(systems->findText(SystemName(LatticeSystem::Tetragonal)));
    QCOMPARE(group->text(), u"F d -3 m"_s);
    QCOMPARE(std::get<QString>(dialog.settings()),
        SymmetryMessages::Misfit.arg(u"F d -3 m"_s, SystemName(LatticeSystem::Cubic),
            SystemName(LatticeSystem::Tetragonal)));
    group->setText(u"141"_s);
    QCOMPARE(std::get<Crystal>(dialog.settings()).group.number(), 141);
}

// 描画 with the family item checked plots {111} whole, as one plot.
void TestFreeView::familyPlottedAsOneStep()
{
    child<QAction>("mnuSelectFree")->trigger();
    auto* family = child<QAction>("mnuEditFamily");
    QVERIFY(family->isEnabled());
    family->trigger();
    const int redraws = m_form->fullRedrawCount();
    plot("1", "1", "1");
    QCOMPARE(m_form->fullRedrawCount(), redraws + 1);
    QCOMPARE(list("txtIndexList"), u"(1 1 1)\n(1 1 -1)\n(1 -1 1)\n(1 -1 -1)\n"_s);
    QCOMPARE(lines("txtAngleList").size(), 4);
    // The documented views reduce what is typed: no families there.
    child<QAction>("mnuSelectCubeNonSym")->trigger();
    QVERIFY(!family->isEnabled());
    plot("1", "1", "1");
    QCOMPARE(list("txtIndexList"), u"(1 1 1)\n"_s);
}

// The window lists the slip systems of the crystal; a row picks its plane's
// pole, the entry where it is plotted; another view closes it.
void TestFreeView::schmidWindow()
{
    const CrystalPreset& copper = CrystalPresets()[1];
    m_dialogs.nextFreeView = std::get<Crystal>(Crystal::Make(
        copper.system, copper.parameters, { 1, 2, 3 }, std::nullopt, {}, copper.spaceGroup));
    child<QAction>("mnuSelectFree")->trigger();
    plot("1", "1", "1");
    plot("-1", "1", "1");
    child<QAction>("mnuEditSchmid")->trigger();
    auto* window = m_form->findChild<QDialog*>(u"frmSchmid"_s);
    QVERIFY(window && window->isVisible());
    auto* table = Child<QTableWidget>(window, u"grdFactors"_s);
    QCOMPARE(table->rowCount(), 12);
    QCOMPARE(table->item(0, 0)->text(), u"★"_s);
    QCOMPARE(
        table->item(0, 1)->text() + table->item(0, 2)->text() + u' ' + table->item(0, 3)->text(),
        u"(1 -1 -1)[1 0 1] -0.467"_s);
    QVERIFY(table->item(1, 0)->text().isEmpty());

    // (1 -1 -1) is the plane typed as (-1 1 1).
    table->selectRow(0);
    QCOMPARE(m_form->pickedPole(), 1);
    for (int row = 0; row < table->rowCount(); ++row)
        if (!table->item(row, 1)->text().contains(u"(1 1 1)"_s)
            && !table->item(row, 1)->text().contains(u"(1 -1 -1)"_s)) {
            table->selectRow(row);
            break;
        }
    // Not plotted: its pole is ringed, no entry picked.
    QCOMPARE(m_form->pickedPole(), -1);
    QVERIFY(child<PictureBox>("picPictureBox")->hasRing());
    QTest::keyClick(child<PictureBox>("picPictureBox"), Qt::Key_Escape);
    QVERIFY(!child<PictureBox>("picPictureBox")->hasRing());

    // Typed families in a crystal with no named set of its own.
    auto* sets = Child<QComboBox>(window, u"cboSlip"_s);
    sets->setCurrentIndex(sets->count() - 1);
    QCOMPARE(table->rowCount(), 12);
    Child<QLineEdit>(window, u"txtDirectionW"_s)->setText(u"1"_s);
    QCOMPARE(table->rowCount(), 0);
    QCOMPARE(Child<QLabel>(window, u"lblStatus"_s)->text(),
        SchmidMessages::NoDirectionInPlane.arg(u"1 1 1"_s, u"1 1 1"_s));

    child<QAction>("mnuSelectCubeSym")->trigger();
    QTRY_VERIFY(!m_form->findChild<QDialog*>(u"frmSchmid"_s));
}

// 開く takes a CIF file: the free view with its crystal, looking along c.
void TestFreeView::cifOpened()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"mono.cif"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("data_mono\n_cell_length_a 5\n_cell_length_b 6\n_cell_length_c 7\n"
               "_cell_angle_gamma 105\n_space_group_name_H-M_alt 'P 1 1 21/b'\n");
    file.close();
    m_dialogs.nextFiles = { FileChoice { path, 2 } };
    child<QAction>("mnuFileOpen")->trigger();
    QVERIFY(m_dialogs.openDialogs.last().filters.contains(u"CIF (*.cif)"_s));
    QVERIFY(m_state->scene.isFree());
    QCOMPARE(m_state->scene.crystal.group.name(), u"P 1 21/a 1"_s);
    QVERIFY(m_state->scene.crystal.centre() == (Vector3 { 0, 0, 1 }));
    QCOMPARE(m_dialogs.messages, QStringList { CifMessages::ToUniqueAxisB.arg(QLatin1Char('c')) });
    QVERIFY(child<QWidget>("picPictureBox")->accessibleDescription().startsWith(u"mono、単斜晶"_s));
}

// The projection shown is the crystal's, the net's check names the net of
// the one chosen, and OK gives the free view's frame that projection.
void TestFreeView::dialogChoosesTheProjection()
{
    Crystal shown;
    shown.net.projection = ProjectionKind::EqualArea;
    frmCrystal dialog(shown);
    auto* projection = dialog.findChild<QComboBox*>(u"cboProjection"_s);
    auto* net = dialog.findChild<QCheckBox*>(u"chkWulffNet"_s);
    QCOMPARE(projection->currentText(), u"等積投影"_s);
    QCOMPARE(net->text(), u"シュミットネットを描く"_s);
    projection->setCurrentIndex(0);
    QCOMPARE(net->text(), u"ウルフネットを描く"_s);
    QCOMPARE(std::get<Crystal>(dialog.settings()).net.projection, ProjectionKind::Stereographic);
    projection->setCurrentIndex(1);
    const Crystal chosen = std::get<Crystal>(dialog.settings());
    QCOMPARE(FreeScene(chosen).frame.kind, ProjectionKind::EqualArea);
}

QTEST_MAIN(TestFreeView)
#include "tst_freeview.moc"
