#include "WindowTest.h"
#include "about/frmGuide.h"
#include "app/KeptSettings.h"
#include "app/PictureBox.h"
#include "files/Session.h"
#include "freeview/frmCrystal.h"
#include "painting/PersistentPicture.h"
#include "plotting/CheckIndex.h"
#include "projection/Facing.h"
#include "run/Work.h"
#include "ui/Layout.h"

#include <QAction>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

Crystal Titanium()
{
    const LatticeParameters cell { 2.951, 2.951, 4.684, 90, 90, 120 };
    return std::get<Crystal>(
        Crystal::Make(LatticeSystem::Hexagonal, cell, { 0, 0, 1 }, std::nullopt, {}));
}

} // namespace

// What everyday work asks of the window: steps taken back and done again,
// four indices, a file dropped, settings kept, a window that grows.
class TestEveryday : public WindowTest
{
    Q_OBJECT

private slots:
    void undoAndRedoRestoreEveryStep();
    void droppedFiles();
    void settingsKept();
    void growsAndShrinksBack();
    void dialogShowsTurnedDirections();
    void guideOpens();

private:
    struct Shown
    {
        QString index;
        QString angles;
        QImage picture;
    };
    Shown shown() const
    {
        return { list(u"txtIndexList"_s), list(u"txtAngleList"_s), m_form->surface().image() };
    }
    // The picture and lists are those of the state, as a fresh redraw makes them.
    void compare(const Shown& expected) const;
    void plotFour(const QString& h, const QString& k, const QString& l);
};

void TestEveryday::compare(const Shown& expected) const
{
    const Shown now = shown();
    QCOMPARE(now.index, expected.index);
    QCOMPARE(now.angles, expected.angles);
    QCOMPARE(now.picture, expected.picture);
    const PainterSurface& surface = m_form->surface();
    const QImage fresh = DocumentedSizeImage({ m_state->scene, m_state->display }, m_state->store,
        surface.devicePixelRatio(), surface.background(), surface.ink());
    QCOMPARE(now.picture, fresh);
}

void TestEveryday::plotFour(const QString& h, const QString& k, const QString& l)
{
    // i follows h and k as they are typed.
    TypeInto(child<QLineEdit>(u"txtAxisX"_s), h);
    TypeInto(child<QLineEdit>(u"txtAxisY"_s), k);
    TypeInto(child<QLineEdit>(u"txtAxisZ"_s), l);
    QTest::keyClick(child<QLineEdit>(u"txtAxisZ"_s), Qt::Key_Return);
}

void TestEveryday::undoAndRedoRestoreEveryStep()
{
    QList<Shown> steps { shown() };
    plot(u"1"_s, u"1"_s, u"1"_s);
    steps << shown();
    m_dialogs.nextFreeView = Titanium();
    child<QAction>(u"mnuSelectFree"_s)->trigger();
    steps << shown();
    QVERIFY(child<QLineEdit>(u"txtAxisI"_s)->isVisible());
    plotFour(u"-1"_s, u"0"_s, u"2"_s);
    QCOMPARE(child<QLineEdit>(u"txtAxisI"_s)->text(), u"1"_s);
    steps << shown();
    plotFour(u"1"_s, u"-1"_s, u"0"_s);
    steps << shown();
    plotFour(u"0"_s, u"0"_s, u"1"_s);
    QCOMPARE(lines(u"txtIndexList"_s),
        QStringList({ u"(-1 0 1 2)"_s, u"(1 -1 0 0)"_s, u"(0 0 0 1)"_s }));
    steps << shown();
    // Two planes meet at the acute angle; (1 0 -1 0) and (0 0 0 1) keep theirs.
    QCOMPARE(lines(u"txtAngleList"_s).first(), u"(42.502  132.502  125.810)"_s);
    child<QAction>(u"mnuEditAnglesAcute"_s)->trigger();
    QCOMPARE(lines(u"txtAngleList"_s).first(), u"(42.502  47.498  54.190)"_s);
    steps << shown();
    auto* picture = child<PictureBox>(u"picPictureBox"_s);
    QTest::mouseClick(picture, Qt::LeftButton, {}, pixelOf(1));
    picture->setFocus();
    QTest::keyClick(picture, Qt::Key_Delete);
    QCOMPARE(lines(u"txtIndexList"_s), QStringList({ u"(-1 0 1 2)"_s, u"(0 0 0 1)"_s }));
    steps << shown();
    QTest::keyClick(picture, Qt::Key_Right);
    steps << shown();
    child<QAction>(u"mnuEditCls"_s)->trigger();
    steps << shown();

    auto* undo = child<QAction>(u"mnuEditUndo"_s);
    auto* redo = child<QAction>(u"mnuEditRedo"_s);
    for (qsizetype n = steps.size() - 2; n >= 0; --n) {
        QVERIFY(undo->isEnabled());
        undo->trigger();
        compare(steps[n]);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(u"undone to step %1"_s.arg(n)));
    }
    QVERIFY(!undo->isEnabled());
    for (qsizetype n = 1; n < steps.size(); ++n) {
        QVERIFY(redo->isEnabled());
        QTest::keySequence(m_form.get(), QKeySequence(Qt::CTRL | Qt::Key_Y));
        compare(steps[n]);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(u"done again to step %1"_s.arg(n)));
    }
    QVERIFY(!redo->isEnabled());
}

void TestEveryday::droppedFiles()
{
    QTemporaryDir folder;
    const QString good = folder.filePath(u"good.orvandeler"_s);
    const QString bad = folder.filePath(u"bad.orvandeler"_s);
    {
        RunState state;
        state.store.append({ IndexKind::Plane, { 1, 1, 0 } });
        QFile file(good);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(WriteSession(SessionOf(state)));
        QFile broken(bad);
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("{\"orvandeler\": 7}");
    }
    const auto drop = [this](const QString& path) {
        QMimeData data;
        data.setUrls({ QUrl::fromLocalFile(path) });
        const QPoint at = m_form->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(m_form.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(m_form.get(), &dropped);
    };
    drop(good);
    QCOMPARE(lines(u"txtIndexList"_s), QStringList { u"(1 1 0)"_s });
    QVERIFY(m_dialogs.messages.isEmpty());
    drop(bad);
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY2(m_dialogs.messages[0].contains(u"7"_s), qPrintable(m_dialogs.messages[0]));
    QCOMPARE(lines(u"txtIndexList"_s), QStringList { u"(1 1 0)"_s });
    // The opened file is one to find again.
    QCOMPARE(child<QMenu>(u"mnuFileRecent"_s)->actions().size(), 1);
}

void TestEveryday::settingsKept()
{
    QTemporaryDir folder;
    QSettings settings(folder.filePath(u"kept.conf"_s), QSettings::IniFormat);
    KeptSettings kept(settings);
    for (int n = 0; n < 12; ++n)
        kept.addRecentFile(folder.filePath(u"f%1"_s.arg(n % 11)));
    QCOMPARE(kept.recentFiles().size(), KeptSettings::RecentCount);
    QCOMPARE(kept.recentFiles().first(), folder.filePath(u"f0"_s));
    Crystal acute = Titanium();
    acute.planeAngles = PlaneAngles::Acute;
    kept.setLastCrystal(acute);
    QCOMPARE(kept.lastCrystal(), acute);

    // A window given them shows the files and starts from the crystal.
    m_form->keepSettings(kept);
    QCOMPARE(m_state->free, acute);
    auto* recent = child<QMenu>(u"mnuFileRecent"_s);
    QCOMPARE(recent->actions().size(), KeptSettings::RecentCount);
    // A file gone since is taken off with a message.
    recent->actions().first()->trigger();
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(kept.recentFiles().size(), KeptSettings::RecentCount - 1);
    QCOMPARE(recent->actions().size(), KeptSettings::RecentCount - 1);
}

void TestEveryday::growsAndShrinksBack()
{
    auto* picture = child<PictureBox>(u"picPictureBox"_s);
    auto* index = child<QPlainTextEdit>(u"txtIndexList"_s);
    auto* angles = child<QPlainTextEdit>(u"txtAngleList"_s);
    const QRect documented[] = { Layout::ToPixels(Layout::picPictureBox),
        Layout::ToPixels(Layout::txtIndexList), Layout::ToPixels(Layout::txtAngleList) };
    const QSize start = m_form->size();
    plot(u"1"_s, u"1"_s, u"1"_s);

    m_form->resize(1600, 1200);
    QTRY_COMPARE(m_form->size(), QSize(1600, 1200));
    QVERIFY(picture->width() > documented[0].width());
    // The aspect kept to a pixel; drawn anew at the size, not scaled.
    QVERIFY(std::abs(picture->height() * documented[0].width()
                - picture->width() * documented[0].height())
        <= documented[0].width());
    QCOMPARE(
        m_form->surface().image().width(), qRound(picture->width() * picture->devicePixelRatioF()));
    QVERIFY(index->width() >= documented[1].width() && angles->width() >= documented[2].width());
    QVERIFY(picture->geometry().right() < index->x() && index->geometry().right() < angles->x());

    m_form->resize(start);
    QTRY_COMPARE(m_form->size(), start);
    QCOMPARE(picture->geometry(), documented[0]);
    QCOMPARE(index->geometry(), documented[1]);
    QCOMPARE(angles->geometry(), documented[2]);
    QCOMPARE(m_form->surface().image().size(),
        QSize(PictureSize::WidthPixels, PictureSize::HeightPixels) * picture->devicePixelRatioF());
}

void TestEveryday::dialogShowsTurnedDirections()
{
    // Turned a little off [0 0 0 1]: shown as [0 0 1] with the deviation,
    // and OK alone keeps the orientation as it was, not as rounded.
    Crystal turned = Titanium();
    turned.orientation.zeroTilt = CrystalOrientation::FromProjector(
        Rotation::AboutAxis({ 0.0, 1.0, 0.0 }, 0.03 * Pi / 180) * turned.turn());
    frmCrystal dialog(turned);
    const auto box
        = [&](const char* name) { return dialog.findChild<QLineEdit*>(QLatin1String(name)); };
    QCOMPARE(QStringList({ box("txtCentreU")->text(), box("txtCentreV")->text(),
                 box("txtCentreW")->text() }),
        QStringList({ u"0"_s, u"0"_s, u"1"_s }));
    QCOMPARE(std::get<Crystal>(dialog.settings()), turned);

    // Four indices for the centre, t checked as the index boxes check it.
    const std::array<const char*, 4> four { "txtCentreU", "txtCentreV", "txtCentreT",
        "txtCentreW" };
    const std::array<QString, 4> a1 { u"2"_s, u"-1"_s, u"-1"_s, u"0"_s };
    for (std::size_t k = 0; k < 4; ++k)
        box(four[k])->setText(a1[k]);
    QCOMPARE(std::get<Crystal>(dialog.settings()).centre(), (Vector3 { 1, 0, 0 }));
    box("txtCentreT")->setText(u"0"_s);
    QCOMPARE(std::get<QString>(dialog.settings()), Messages::BadThirdDirection.arg(u"-1", u"0"));
}

void TestEveryday::guideOpens()
{
    // The page is built in; asked for twice, it is one window.
    child<QAction>(u"mnuHelpGuide"_s)->trigger();
    child<QAction>(u"mnuHelpGuide"_s)->trigger();
    const QList<frmGuide*> guides = m_form->findChildren<frmGuide*>();
    QCOMPARE(guides.size(), 1);
    QVERIFY(guides[0]->isVisible());
    const QString text = Child<QTextBrowser>(guides[0], u"txtGuide"_s)->toPlainText();
    QVERIFY(text.contains(u"Ctrl+Z"_s) && text.contains(u"(h k i l)"_s));
}

QTEST_MAIN(TestEveryday)
#include "tst_everyday.moc"
