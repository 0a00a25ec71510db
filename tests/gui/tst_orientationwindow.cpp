#include "WindowTest.h"
#include "app/PictureBox.h"
#include "freeview/TwoPolesPanel.h"
#include "freeview/frmCrystal.h"
#include "freeview/frmOrientation.h"
#include "poles/EntryGeometry.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Copper along [001] with [010] up: Euler (0, 0, 0).
Crystal Copper()
{
    return std::get<Crystal>(Crystal::Make(LatticeSystem::Cubic,
        { 3.6149, 3.6149, 3.6149, 90, 90, 90 }, { 0, 0, 1 }, Vector3 { 0, 1, 0 }, {}));
}

} // namespace

// The orientation window and the holder's tilts through the real window.
class TestOrientationWindow : public WindowTest
{
    Q_OBJECT

private slots:
    void init() override;
    void freeViewOnly();
    void typedEuler_data();
    void typedEuler();
    void badValuesRefused_data();
    void badValuesRefused();
    void followsTheDrag();
    void zoneAxes();
    void twoPoles_data();
    void twoPoles();
    void placePickedOnThePicture();
    void tiltToAPole();
    void crystalDialogKeepsTheHolder();

private:
    frmOrientation* window() const { return m_form->findChild<frmOrientation*>(); }
    QString text(const QString& name) const;
    // Typed into a field of the window and taken with Enter.
    void enter(const QString& field, const QString& value);
    const HeldOrientation& held() const { return m_state->free.orientation; }
    // As a mouse does it: press, release, the second press as a double
    // click, release.
    void doubleClick(QPoint pixel);
};

void TestOrientationWindow::doubleClick(QPoint pixel)
{
    auto* picture = child<PictureBox>("picPictureBox");
    QTest::mouseClick(picture, Qt::LeftButton, {}, pixel);
    QTest::mouseDClick(picture, Qt::LeftButton, {}, pixel);
    QTest::mouseRelease(picture, Qt::LeftButton, {}, pixel);
}

void TestOrientationWindow::init()
{
    WindowTest::init();
    m_dialogs.nextFreeView = Copper();
    child<QAction>("mnuSelectFree")->trigger();
    child<QAction>("mnuEditOrientation")->trigger();
    QVERIFY(window() && window()->isVisible());
}

QString TestOrientationWindow::text(const QString& name) const
{
    const QWidget* widget = Child<QWidget>(window(), name);
    if (const auto* field = qobject_cast<const QLineEdit*>(widget))
        return field->text();
    return qobject_cast<const QLabel*>(widget)->text();
}

void TestOrientationWindow::enter(const QString& field, const QString& value)
{
    auto* box = Child<QLineEdit>(window(), field);
    TypeInto(box, value);
    QTest::keyClick(box, Qt::Key_Return);
}

void TestOrientationWindow::freeViewOnly()
{
    QCOMPARE(window()->windowTitle(), frmOrientation::Title);
    QVERIFY(text(u"lblConventions"_s).contains(u"T(α, β) = R_X(α)·R_Y(β)"_s));
    QVERIFY(!Child<QLabel>(window(), u"lblFreeOnly"_s)->isVisible());
    child<QAction>("mnuSelectCubeNonSym")->trigger();
    QVERIFY(!child<QAction>("mnuEditOrientation")->isEnabled());
    QVERIFY(Child<QLabel>(window(), u"lblFreeOnly"_s)->isVisible());
    QVERIFY(!Child<QLineEdit>(window(), u"txtPhi1"_s)->isEnabled());
}

void TestOrientationWindow::typedEuler_data()
{
    QTest::addColumn<QStringList>("euler");
    QTest::addColumn<QStringList>("firstRow");
    QTest::addColumn<QString>("centre");
    QTest::addColumn<QString>("up");
    QTest::newRow("(90, 0, 0): a up")
        << QStringList { "90", "0", "0" } << QStringList { "0.000000", "1.000000", "0.000000" }
        << u"[0 0 1]　ずれ 0.000°"_s << u"[1 0 0]　ずれ 0.000°"_s;
    QTest::newRow("(0, 90, 0): b at the centre, c down")
        << QStringList { "0", "90", "0" } << QStringList { "1.000000", "0.000000", "0.000000" }
        << u"[0 1 0]　ずれ 0.000°"_s << u"[0 0 -1]　ずれ 0.000°"_s;
    QTest::newRow("full-width, minus sign")
        << QStringList { "−３０", "４５", "３０" }
        << QStringList { "0.926777", "-0.126826", "0.353553" } << u"[1 2 2]　ずれ 4.049°"_s
        << u"[0 3 -2]　ずれ 8.523°"_s;
}

// Euler angles typed turn the crystal; the matrix, centre and up follow.
void TestOrientationWindow::typedEuler()
{
    QFETCH(QStringList, euler);
    QFETCH(QStringList, firstRow);
    QFETCH(QString, centre);
    QFETCH(QString, up);
    const QImage before = m_form->surface().image();
    for (int k = 0; k < 3; ++k)
        TypeInto(Child<QLineEdit>(window(), QStringList { "txtPhi1", "txtPhi", "txtPhi2" }[k]),
            euler[k]);
    QTest::keyClick(Child<QLineEdit>(window(), u"txtPhi2"_s), Qt::Key_Return);
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE((QStringList { text(u"lblG11"_s), text(u"lblG12"_s), text(u"lblG13"_s) }), firstRow);
    QCOMPARE(text(u"lblCentre"_s), centre);
    QCOMPARE(text(u"lblUp"_s), up);
    QVERIFY(m_form->surface().image() != before);
}

void TestOrientationWindow::badValuesRefused_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("Phi 190") << "txtPhi"
                             << "190" << EulerMessages::PhiOutOfRange;
    QTest::newRow("phi2 -400") << "txtPhi2"
                               << "-400" << EulerMessages::PhiOneTwoOutOfRange;
    QTest::newRow("phi1 letters") << "txtPhi1"
                                  << "abc" << OrientationMessages::EulerNotNumeric;
    QTest::newRow("phi1 too large") << "txtPhi1"
                                    << "1e999" << EulerMessages::NotFinite;
    QTest::newRow("alpha beyond 30") << "txtAlpha"
                                     << "30.5" << u"傾斜 α は −30° から 30° までにしてください"_s;
    QTest::newRow("beta letters") << "txtBeta"
                                  << "x" << OrientationMessages::TiltNotNumeric;
    QTest::newRow("limit 95") << "txtBetaLimit"
                              << "95" << TiltMessages::LimitsOutOfRange;
}

// A value refused says why, stays in its field to be mended, and changes
// nothing.
void TestOrientationWindow::badValuesRefused()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    const Crystal before = m_state->free;
    enter(field, typed);
    QCOMPARE(m_dialogs.messages, QStringList { message });
    QVERIFY(m_state->free == before);
    QCOMPARE(text(field), typed);
    // A tilt beyond new limits is refused too.
    if (field == u"txtBetaLimit"_s) {
        enter(u"txtBeta"_s, u"20"_s);
        enter(u"txtBetaLimit"_s, u"10"_s);
        QCOMPARE(m_dialogs.messages.size(), 2);
        QVERIFY(m_dialogs.messages.last().startsWith(u"今の傾斜（α 0.000° β 20.000°）"_s));
        QCOMPARE(held().limits, TiltLimits {});
    }
}

void TestOrientationWindow::followsTheDrag()
{
    Drag(child<PictureBox>("picPictureBox"), { 200, 260 }, { 300, 150 });
    const EulerAngles e = held().drawn().euler();
    QCOMPARE(text(u"txtPhi"_s), QString::number(e.Phi, 'f', 3));
    QCOMPARE(text(u"lblG33"_s), QString::number(held().drawn().matrix().rows[2][2], 'f', 6));
}

// Tilted 10 degrees in alpha, copper has [0 1 3] nearest the beam; picked,
// the holder tilts to bring it to the centre. One out of reach is refused.
void TestOrientationWindow::zoneAxes()
{
    enter(u"txtAlpha"_s, u"10"_s);
    QCOMPARE(held().tilt, (HolderTilt { 10, 0 }));
    QVERIFY(MaxDifference(held().zeroTilt.matrix(), Matrix3 {}) < 1e-15);
    auto* list = Child<QTreeWidget>(window(), u"lstZoneAxes"_s);
    QTreeWidgetItem* nearest = list->topLevelItem(0);
    QCOMPARE(nearest->text(0), u"[0 1 3]"_s);
    QCOMPARE(nearest->text(1), u"8.435°"_s);
    QCOMPARE(nearest->text(2), u"α 18.435° β 0.000°"_s);
    emit list->itemActivated(nearest, 0);
    QVERIFY(std::fabs(held().tilt.alpha - 18.434948822922) < 1e-9);
    QCOMPARE(text(u"lblCentre"_s), u"[0 1 3]　ずれ 0.000°"_s);
    QCOMPARE(list->topLevelItem(0)->text(1), u"0.000°"_s);

    enter(u"txtAlphaLimit"_s, u"20"_s);
    QTreeWidgetItem* beyond = nullptr;
    for (int k = 0; k < list->topLevelItemCount() && !beyond; ++k)
        if (list->topLevelItem(k)->text(2) == TiltMessages::OutOfReach)
            beyond = list->topLevelItem(k);
    QVERIFY(beyond);
    const HeldOrientation before = held();
    list->setCurrentItem(beyond);
    Child<QPushButton>(window(), u"cmdTiltToZone"_s)->click();
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY(m_dialogs.messages[0].startsWith(u"晶帯軸 "_s + beyond->text(0)));
    QVERIFY(held() == before);
}

void TestOrientationWindow::twoPoles_data()
{
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("polar");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("exact") << "(1 0 0)"
                           << "90" << u"ずれ 0.000°"_s;
    QTest::newRow("3 degrees short") << "1 0 0"
                                     << "87" << u"ずれ −3.000°"_s;
    QTest::newRow("10 degrees short")
        << "(1 0 0)"
        << "80" << TwoPoleMessages::MisfitTooLarge.arg(-10.0, 0, 'f', 3);
    QTest::newRow("parallel") << "(0 0 -2)"
                              << "90" << TwoPoleMessages::PolesParallel;
    QTest::newRow("not an index") << "(1 0)"
                                  << "90"
                                  << TwoPoleFieldMessages::BadIndex.arg(u"2つ目"_s, u"(1 0)"_s);
}

// Cubic (001) measured at the centre and (100) at azimuth 0: Euler
// (0, 0, 0), the second pole only in the measured plane.
void TestOrientationWindow::twoPoles()
{
    QFETCH(QString, second);
    QFETCH(QString, polar);
    QFETCH(QString, outcome);
    enter(u"txtPhi1"_s, u"40"_s);
    const HeldOrientation turned = held();
    for (const auto& [field, value] : { std::pair { "txtPole1", "(0 0 1)" },
             { "txtPole1Polar", "0" }, { "txtPole1Azimuth", "0" }, { "txtPole2Azimuth", "0" } })
        Child<QLineEdit>(window(), QString::fromUtf8(field))->setText(QString::fromUtf8(value));
    Child<QLineEdit>(window(), u"txtPole2"_s)->setText(second);
    Child<QLineEdit>(window(), u"txtPole2Polar"_s)->setText(polar);
    Child<QPushButton>(window(), u"cmdSolveTwoPoles"_s)->click();
    if (!outcome.startsWith(u"ずれ"_s)) {
        QCOMPARE(m_dialogs.messages, QStringList { outcome });
        QVERIFY(held() == turned);
        return;
    }
    QVERIFY(m_dialogs.messages.isEmpty());
    QVERIFY(text(u"lblMisfit"_s).startsWith(outcome));
    QVERIFY(MaxDifference(held().drawn().matrix(), Matrix3 {}) < 1e-9);
}

// A place picked on the picture fills the pole's fields and picks no mark.
void TestOrientationWindow::placePickedOnThePicture()
{
    plot("1", "1", "1");
    auto* pick = Child<QPushButton>(window(), u"cmdPole2Pick"_s);
    pick->click();
    QVERIFY(pick->isChecked());
    QTest::mouseClick(child<PictureBox>("picPictureBox"), Qt::LeftButton, {}, pixelOf(0));
    QVERIFY(!pick->isChecked());
    QCOMPARE(m_form->pickedPole(), -1);
    // (111) lies 54.736 degrees from the centre, at azimuth 45.
    QVERIFY(std::fabs(text(u"txtPole2Polar"_s).toDouble() - 54.736) < 0.5);
    QVERIFY(std::fabs(text(u"txtPole2Azimuth"_s).toDouble() - 45) < 0.5);
    // Beside the primitive circle a click gives no place and ends the waiting.
    pick->click();
    QTest::mouseClick(child<PictureBox>("picPictureBox"), Qt::LeftButton, {}, { 2, 2 });
    QVERIFY(!pick->isChecked());
    QVERIFY(std::fabs(text(u"txtPole2Azimuth"_s).toDouble() - 45) < 0.5);
}

// The free view's tool tip gives the tilts to a pole, a double-click goes
// there, and one beyond the limits is refused.
void TestOrientationWindow::tiltToAPole()
{
    plot("1", "0", "3");
    plot("1", "1", "0");
    hover(pixelOf(0));
    const QString readout = m_form->pointerReadout();
    QVERIFY2(readout.endsWith(u"\nα 0.000° β −18.435°"_s), qPrintable(readout));
    QVERIFY(child<PictureBox>("picPictureBox")->accessibleDescription().endsWith(readout));
    doubleClick(pixelOf(0));
    QVERIFY(std::fabs(held().tilt.beta + 18.434948822922) < 1e-9);
    const Frame& frame = m_state->scene.frame;
    const TwipsPoint at = Place(m_state->scene.projector(), m_state->store.at(0)).at;
    QVERIFY(std::hypot(at.x - frame.x, at.y - frame.y) < 1e-6);

    const HeldOrientation before = held();
    hover(pixelOf(1));
    QVERIFY2(
        m_form->pointerReadout().endsWith(u"\n傾斜範囲外"_s), qPrintable(m_form->pointerReadout()));
    doubleClick(pixelOf(1));
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY(held() == before);
}

// Centre and up typed in the crystal dialog are those of the crystal as
// drawn; the holder keeps its tilt and limits.
void TestOrientationWindow::crystalDialogKeepsTheHolder()
{
    enter(u"txtAlphaLimit"_s, u"45"_s);
    enter(u"txtAlpha"_s, u"40"_s);
    const frmCrystal dialog(m_state->free);
    const Crystal again = std::get<Crystal>(dialog.settings());
    QCOMPARE(again.orientation.tilt, (HolderTilt { 40, 0 }));
    QCOMPARE(again.orientation.limits, (TiltLimits { 45, 30 }));
    QVERIFY(MaxDifference(again.orientation.drawn().matrix(), held().drawn().matrix()) < 1e-7);
}

QTEST_MAIN(TestOrientationWindow)
#include "tst_orientationwindow.moc"
