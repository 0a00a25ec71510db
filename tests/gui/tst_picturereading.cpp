#include "WindowTest.h"
#include "app/PictureBox.h"
#include "plotting/CheckIndex.h"
#include "poles/EntryGeometry.h"
#include "run/RunState.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QToolTip>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// WCAG relative luminance and contrast ratio.
double Luminance(const QColor& c)
{
    const auto channel
        = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double Contrast(const QColor& a, const QColor& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette DarkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(53, 53, 53));
    p.setColor(QPalette::WindowText, QColor(230, 230, 230));
    p.setColor(QPalette::Base, QColor(35, 35, 35));
    p.setColor(QPalette::Text, QColor(220, 220, 220));
    p.setColor(QPalette::Button, QColor(53, 53, 53));
    p.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    return p;
}

// The colour behind a widget: the nearest one that fills its background.
QColor BackgroundOf(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w->autoFillBackground() || w->isWindow())
            return w->palette().color(w->backgroundRole());
    return {};
}

} // namespace

class TestPictureReading : public WindowTest
{
    Q_OBJECT

private slots:
    void init() override;
    void cleanup() override;

    void hoverReadsMarksAndDirections();
    void clickPicksUntil_data();
    void clickPicksUntil();
    void toolTipStaysAfterClick();
    void listCursorPicks();
    void enterDraws_data();
    void enterDraws();
    void everyControlNamed();
    void pictureDescribed();
    void coloursAndContrast_data();
    void coloursAndContrast();

private:
    QString selected(const char* list);

    QPalette m_appPalette;
};

void TestPictureReading::init()
{
    m_appPalette = QApplication::palette();
    WindowTest::init();
    // The full cubic view with (1 0 0) at the centre and (1 1 1), (1 1 0).
    child<QAction>("mnuSelectCubeNonSym")->trigger();
    plot("1", "0", "0");
    plot("1", "1", "1");
    plot("1", "1", "0");
}

void TestPictureReading::cleanup()
{
    WindowTest::cleanup();
    QApplication::setPalette(m_appPalette);
}

QString TestPictureReading::selected(const char* list)
{
    return child<QPlainTextEdit>(QLatin1String(list))->textCursor().selectedText();
}

void TestPictureReading::hoverReadsMarksAndDirections()
{
    hover(pixelOf(1));
    QCOMPARE(m_form->pointerReadout(), u"(1 1 1)  (54.736  35.264   0.000)"_s);
    QTRY_COMPARE(QToolTip::text(), m_form->pointerReadout());

    // Off the marks: the direction, named by the column captions.
    hover(QPoint(233, 40));
    QVERIFY(m_form->pointerReadout().startsWith(u"(100) "_s));
    QVERIFY(m_form->pointerReadout().contains(u"°  (110) "_s));
    QTRY_COMPARE(QToolTip::text(), m_form->pointerReadout());

    // Outside the primitive circle there is nothing to read.
    hover(QPoint(5, 5));
    QVERIFY(m_form->pointerReadout().isEmpty());
    QTRY_VERIFY(!QToolTip::isVisible());
}

void TestPictureReading::clickPicksUntil_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("keeps");
    QTest::newRow("Escape") << u"Escape"_s << false;
    QTest::newRow("a click away") << u"click away"_s << false;
    QTest::newRow("clear") << u"cmdClear"_s << false;
    QTest::newRow("projection choice") << u"mnuSelectCubeNonSym"_s << false;
    QTest::newRow("a new draw") << u"cmdDraw"_s << true;
}

void TestPictureReading::clickPicksUntil()
{
    QFETCH(QString, action);
    QFETCH(bool, keeps);

    auto* picture = child<PictureBox>("picPictureBox");
    const QImage before = m_form->surface().image();
    QTest::mouseClick(picture, Qt::LeftButton, {}, pixelOf(0));
    QCOMPARE(m_form->pickedPole(), 0);
    QCOMPARE(selected("txtIndexList"), u"(1 0 0)"_s);
    QCOMPARE(selected("txtAngleList"), u"( 0.000  45.000  54.736)"_s);
    QVERIFY(picture->hasRing());
    // The ring is on the screen only.
    QCOMPARE(m_form->surface().image(), before);
    QVERIFY(picture->grab().toImage().convertToFormat(before.format()) != before);

    hover(pixelOf(1));
    QVERIFY(m_form->pointerReadout().endsWith(u"\n(1 0 0) との角度差 54.736°"_s));

    if (action == u"Escape")
        QTest::keyClick(picture, Qt::Key_Escape);
    else if (action == u"click away")
        QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(233, 40));
    else if (auto* item = m_form->findChild<QAction*>(action))
        item->trigger();
    else
        QTest::mouseClick(child<QPushButton>(action), Qt::LeftButton);

    QCOMPARE(m_form->pickedPole(), keeps ? 0 : -1);
    QCOMPARE(picture->hasRing(), keeps);
    if (!keeps)
        QVERIFY(selected("txtIndexList").isEmpty());
}

// Qt takes a tip down at every press and release; the click's readout must
// be up where the pointer stays, and stay up as it moves on the mark. Run at
// device pixel ratio 1 and 2.
void TestPictureReading::toolTipStaysAfterClick()
{
    auto* picture = child<PictureBox>("picPictureBox");
    const QPoint mark = pixelOf(1);
    hover(mark);
    QTest::mouseClick(picture, Qt::LeftButton, {}, mark);
    QCOMPARE(m_form->pickedPole(), 1);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), m_form->pointerReadout());
    const QString readout = m_form->pointerReadout();

    QTest::mouseMove(picture, mark + QPoint(1, 0));
    QCOMPARE(m_form->pointerReadout(), readout);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), readout);

    hover(pixelOf(0));
    QVERIFY(m_form->pointerReadout().endsWith(u"\n(1 1 1) との角度差 54.736°"_s));
    QTRY_COMPARE(QToolTip::text(), m_form->pointerReadout());

    // A click beside the marks ends the pick and reads the direction there.
    QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(233, 40));
    QCOMPARE(m_form->pickedPole(), -1);
    QVERIFY(m_form->pointerReadout().startsWith(u"(100) "_s));
    QTRY_COMPARE(QToolTip::text(), m_form->pointerReadout());
    QTRY_VERIFY(QToolTip::isVisible());
}

void TestPictureReading::listCursorPicks()
{
    auto* index = child<QPlainTextEdit>("txtIndexList");
    auto* picture = child<PictureBox>("picPictureBox");
    // The program's own list updates pick nothing.
    plot("2", "1", "0");
    QCOMPARE(m_form->pickedPole(), -1);
    QVERIFY(!picture->hasRing());

    index->setFocus();
    QTest::keyClick(index, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(m_form->pickedPole(), 0);
    QTest::keyClick(index, Qt::Key_Down);
    QCOMPARE(m_form->pickedPole(), 1);
    QCOMPARE(selected("txtAngleList"), u"(54.736  35.264   0.000)"_s);
    QVERIFY(picture->hasRing());

    auto* angles = child<QPlainTextEdit>("txtAngleList");
    const QPoint thirdLine
        = angles->cursorRect(QTextCursor(angles->document()->findBlockByNumber(2))).center();
    QTest::mouseClick(angles->viewport(), Qt::LeftButton, {}, thirdLine + QPoint(20, 0));
    QCOMPARE(m_form->pickedPole(), 2);
    QCOMPARE(selected("txtIndexList"), u"(1 1 0)"_s);

    // Once typed into, the lines are no longer the store's.
    QTest::keyClick(angles, Qt::Key_Escape);
    QTest::keyClicks(angles, "x");
    QTest::keyClick(angles, Qt::Key_Up);
    QCOMPARE(m_form->pickedPole(), -1);
}

void TestPictureReading::enterDraws_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("x") << u"txtAxisX"_s << u"3"_s << QStringList();
    QTest::newRow("y") << u"txtAxisY"_s << u"3"_s << QStringList();
    QTest::newRow("z") << u"txtAxisZ"_s << u"3"_s << QStringList();
    QTest::newRow("refused") << u"txtAxisZ"_s << u"a"_s << QStringList { Messages::NotNumeric };
}

void TestPictureReading::enterDraws()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QStringList, messages);

    auto* field = child<QLineEdit>(box);
    field->setText(typed);
    const int poles = m_state->store.PoleCount();
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(m_dialogs.messages, messages);
    QCOMPARE(m_state->store.PoleCount(), poles + (messages.isEmpty() ? 1 : 0));
}

void TestPictureReading::everyControlNamed()
{
    for (QWidget* widget : m_form->findChildren<QWidget*>()) {
        if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(m_form.get())
            || qobject_cast<QComboBox*>(widget->parentWidget()))
            continue;
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(control);
        QVERIFY2(!control->text(QAccessible::Name).isEmpty(), qPrintable(widget->objectName()));
    }
    QCOMPARE(QAccessible::queryAccessibleInterface(child<QLineEdit>("txtAxisY"))
                 ->text(QAccessible::Name),
        u"面指数 y"_s);

    // Captions beside their controls label them for screen readers.
    const QList<std::pair<QString, QStringList>> labelled = {
        { u"cboPlotSize"_s, { u"Label4"_s } },
        { u"cboLineWidth"_s, { u"Label5"_s } },
        { u"txtIndexList"_s, { u"Label6"_s } },
        { u"txtAngleList"_s, { u"lblAngle1"_s, u"lblAngle2"_s, u"lblAngle3"_s } },
    };
    for (const auto& [control, captions] : labelled) {
        QStringList found;
        const auto relations = QAccessible::queryAccessibleInterface(child<QWidget>(control))
                                   ->relations(QAccessible::Label);
        for (const auto& relation : relations)
            found << relation.first->object()->objectName();
        found.sort();
        QCOMPARE(found, captions);
    }
}

void TestPictureReading::pictureDescribed()
{
    QAccessibleInterface* picture
        = QAccessible::queryAccessibleInterface(child<PictureBox>("picPictureBox"));
    QCOMPARE(picture->role(), QAccessible::Graphic);
    QCOMPARE(picture->text(QAccessible::Name), u"極点図"_s);
    QCOMPARE(picture->text(QAccessible::Description),
        u"立方晶・対称性なしの標準投影、プロットした極点 3 個"_s);
    child<QAction>("mnuSelectHexSym")->trigger();
    plot("1", "0", "0");
    QCOMPARE(picture->text(QAccessible::Description),
        u"六方晶・対称性ありの標準投影、プロットした極点 1 個"_s);
}

void TestPictureReading::coloursAndContrast_data()
{
    QTest::addColumn<bool>("dark");
    QTest::newRow("light") << false;
    QTest::newRow("dark") << true;
}

void TestPictureReading::coloursAndContrast()
{
    QFETCH(bool, dark);
    if (dark) {
        QApplication::setPalette(DarkPalette());
        openWindow();
    }
    const QColor ink = m_form->surface().ink();
    QCOMPARE(ink, dark ? DarkPalette().color(QPalette::Text) : QColor(Qt::black));
    QCOMPARE(m_form->surface().background(), QApplication::palette().color(QPalette::Base));

    auto* frame = child<QGroupBox>("Frame1");
    const double frameContrast
        = Contrast(frame->palette().color(QPalette::WindowText), BackgroundOf(frame));
    QVERIFY2(frameContrast >= 4.5, qPrintable(QString::number(frameContrast)));
    for (QLabel* caption : m_form->findChildren<QLabel*>()) {
        const double contrast
            = Contrast(caption->palette().color(caption->foregroundRole()), BackgroundOf(caption));
        QVERIFY2(contrast >= 4.5, qPrintable(caption->objectName()));
    }
}

QTEST_MAIN(TestPictureReading)
#include "tst_picturereading.moc"
