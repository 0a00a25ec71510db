#include "DistinctPlanes.h"
#include "WindowTest.h"
#include "plotting/CheckIndex.h"
#include "run/RunState.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWindow>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
// The captions of the four projection items' rows, in menu order.
const QStringList CubicCaptions = { u"(100)\u3000との\u3000 角度差"_s,
    u"(110)\u3000との\u3000 角度差"_s, u"(111)\u3000との\u3000 角度差"_s };
const QStringList HexCaptions = { u"(0001)\u3000との\u3000 角度差"_s,
    u"(1010)\u3000との\u3000 角度差"_s, u"(1120)\u3000との\u3000 角度差"_s };
} // namespace

class TestMainForm : public WindowTest
{
    Q_OBJECT

private slots:
    void cleanup() override;

    void startUp();
    void controlsAndFonts_data();
    void controlsAndFonts();
    void indexBoxesCentredUnderLetters();
    void captionsShowWhole_data();
    void captionsShowWhole();
    void menuCaptions();
    void tabWalksTheDocumentedOrder();

    void plotInEachView_data();
    void plotInEachView();
    void plotFromEditMenuAppends();
    void refusals_data();
    void refusals();

    void projectionChoice_data();
    void projectionChoice();

    void pickRedrawsButTypingDoesNot();
    void lineWidthField();

    void clearKeepsView();
    void copyPutsPictureOnClipboard();
    void copyOffersVectorFormats_data();
    void copyOffersVectorFormats();
    void fileMenuAsksOnlyWhenChosen();

    void fullRedrawOnlyOnExpose();
};

// No window of the test may stay open.
void TestMainForm::cleanup()
{
    WindowTest::cleanup();
    const auto anyVisible = [] {
        const QWidgetList windows = QApplication::topLevelWidgets();
        return std::any_of(
            windows.cbegin(), windows.cend(), [](QWidget* w) { return w->isVisible(); });
    };
    QTRY_VERIFY(!anyVisible());
}

void TestMainForm::startUp()
{
    QCOMPARE(m_form->windowTitle(), u"Orvandel"_s);
    const Qt::WindowFlags flags = m_form->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    // The documented size is where the window starts and the least it may be.
    QVERIFY(flags & Qt::WindowMaximizeButtonHint);
    QCOMPARE(m_form->minimumSize(), m_form->size());
    QCOMPARE(m_form->centralWidget()->size(), QSize(831, 587));
    QCOMPARE(m_form->centralWidget()->y(), m_form->menuBar()->height());
    QVERIFY(!m_form->windowIcon().isNull());

    QCOMPARE(m_state->CrystalSystem(), int16_t(1));
    QCOMPARE(m_state->SymmetryMode(), int16_t(1));
    QCOMPARE(m_state->store.PoleCount(), int16_t(0));
    QVERIFY(child<QAction>("mnuSelectCubeSym")->isChecked());
    for (const char* other : { "mnuSelectCubeNonSym", "mnuSelectHexSym", "mnuSelectHexNonSym" })
        QVERIFY(!child<QAction>(other)->isChecked());

    QCOMPARE(child<QComboBox>("cboPlotSize")->currentText(), u"30"_s);
    QCOMPARE(child<QComboBox>("cboLineWidth")->currentText(), u"1"_s);
    for (const char* box : { "txtAxisX", "txtAxisY", "txtAxisZ" })
        QVERIFY(child<QLineEdit>(box)->text().isEmpty());
    QVERIFY(child<QPlainTextEdit>("txtIndexList")->toPlainText().isEmpty());
    QVERIFY(child<QPlainTextEdit>("txtAngleList")->toPlainText().isEmpty());

    QCOMPARE(child<QLabel>("lblAngle1")->text(), u"[100]\u3000との \u3000角度差"_s);
    QCOMPARE(child<QLabel>("lblAngle2")->text(), u"[110]\u3000との\u3000 角度差"_s);
    QCOMPARE(child<QLabel>("lblAngle3")->text(), u"[111]\u3000との\u3000 角度差"_s);

    // The first display drew the picture.
    QVERIFY(m_form->fullRedrawCount() >= 1);
    QVERIFY(!m_form->surface().image().isNull());
}

void TestMainForm::controlsAndFonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<double>("pointSize"); // 0: the window's own font

    QTest::newRow("Frame1") << "Frame1" << u"面指数"_s << QRect(360, 120, 2295, 1095) << 0.0;
    QTest::newRow("Label2") << "Label2" << u"x"_s << QRect(360, 240, 135, 255) << 11.25;
    QTest::newRow("cmdDraw") << "cmdDraw" << u"描画"_s << QRect(3000, 480, 975, 495) << 0.0;
    QTest::newRow("Label4") << "Label4" << u"プロットサイズ"_s << QRect(6600, 480, 1335, 255)
                            << 9.75;
    QTest::newRow("Label6") << "Label6" << u"面指数(x y z)"_s << QRect(7440, 1440, 1335, 255)
                            << 9.75;
    QTest::newRow("txtAngleList") << "txtAngleList" << QString() << QRect(9480, 1680, 2895, 7000)
                                  << 9.75;
    QTest::newRow("lblAngle3") << "lblAngle3" << QString() << QRect(11280, 1080, 735, 615) << 9.75;
    QTest::newRow("picPictureBox")
        << "picPictureBox" << QString() << QRect(120, 1680, 7125, 7000) << 0.0;
}

// Geometry is twips of the client area, 15 to the pixel.
void TestMainForm::controlsAndFonts()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    QFETCH(double, pointSize);

    auto* widget = child<QWidget>(name);
    QWidget* parent = widget->parentWidget();
    const QRect expected(qRound(twips.x() / 15.0), qRound(twips.y() / 15.0),
        qRound(twips.width() / 15.0), qRound(twips.height() / 15.0));
    // Inside the frame: the frame's own coordinates.
    const QRect actual = parent == m_form->centralWidget()
        ? QRect(parent->mapTo(m_form->centralWidget(), widget->pos()), widget->size())
        : widget->geometry();
    // A font needing more room than IPA P Gothic, the one the window was
    // laid out in, may grow a label, never shrink or shift its text.
    if (qobject_cast<QLabel*>(widget) && QFontInfo(widget->font()).family() != u"IPAPGothic"_s) {
        QCOMPARE(actual.left(), expected.left());
        QVERIFY(actual.width() >= expected.width() && actual.height() >= expected.height());
    } else {
        QCOMPARE(actual, expected);
    }

    if (auto* label = qobject_cast<QLabel*>(widget); label && !caption.isEmpty())
        QCOMPARE(label->text(), caption);
    if (auto* button = qobject_cast<QPushButton*>(widget))
        QCOMPARE(button->text(), caption);
    if (auto* frame = qobject_cast<QGroupBox*>(widget))
        QCOMPARE(frame->title(), caption);

    if (pointSize > 0) {
        QCOMPARE(widget->font().pointSizeF(), pointSize);
        QVERIFY(widget->font().bold());
        QVERIFY(widget->font().families().contains(u"ＭＳ Ｐゴシック"_s));
    }
}

void TestMainForm::indexBoxesCentredUnderLetters()
{
    auto* frame = child<QGroupBox>("Frame1");
    const QList<std::pair<const char*, const char*>> pairs
        = { { "txtAxisX", "Label2" }, { "txtAxisY", "Label1" }, { "txtAxisZ", "Label3" } };
    for (const auto& [boxName, letterName] : pairs) {
        auto* box = child<QLineEdit>(boxName);
        auto* letter = child<QLabel>(letterName);
        QCOMPARE(letter->parentWidget(), frame);
        QCOMPARE(box->parentWidget(), m_form->centralWidget());
        const int letterCentre
            = frame->mapTo(m_form->centralWidget(), letter->geometry().center()).x();
        QVERIFY(qAbs(box->geometry().center().x() - letterCentre) <= 1);
        // Drawn above the frame: the box is the widget found at its own centre.
        QCOMPARE(m_form->centralWidget()->childAt(box->geometry().center()), box);
    }
    QVERIFY(child<QLabel>("lblAngle1")->wordWrap());
}

void TestMainForm::captionsShowWhole_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("below"); // the control the caption names
    QTest::addColumn<QString>("projection"); // chosen first, or none

    QTest::newRow("x") << "Label2"
                       << "txtAxisX" << QString();
    QTest::newRow("y") << "Label1"
                       << "txtAxisY" << QString();
    QTest::newRow("z") << "Label3"
                       << "txtAxisZ" << QString();
    QTest::newRow("plot size") << "Label4"
                               << "cboPlotSize" << QString();
    QTest::newRow("line width") << "Label5"
                                << "cboLineWidth" << QString();
    QTest::newRow("index list") << "Label6"
                                << "txtIndexList" << QString();
    for (const char* angle : { "lblAngle1", "lblAngle2", "lblAngle3" })
        QTest::newRow(angle) << angle << "txtAngleList" << QString();
    QTest::newRow("lblAngle2 hexagonal") << "lblAngle2"
                                         << "txtAngleList"
                                         << "mnuSelectHexNonSym";
    QTest::newRow("lblAngle3 cubic") << "lblAngle3"
                                     << "txtAngleList"
                                     << "mnuSelectCubeSym";
}

// Whatever the font, the label shows all the ink it would draw with room
// to spare, and that ink stays above the control the caption names.
void TestMainForm::captionsShowWhole()
{
    QFETCH(QString, label);
    QFETCH(QString, below);
    QFETCH(QString, projection);
    if (!projection.isEmpty())
        choose(projection);

    auto* caption = child<QLabel>(label);
    const QRect shown = caption->geometry();
    caption->resize(caption->wordWrap() ? shown.width() : 4 * shown.width(), 8 * shown.height());
    const QImage free = caption->grab().toImage();
    caption->setGeometry(shown);
    // Ink: pixels the glyphs cover by more than a quarter.
    const int background = qGray(free.pixel(free.width() - 1, free.height() - 1));
    const int text = qGray(caption->palette().color(QPalette::WindowText).rgb());
    QRect ink;
    for (int y = 0; y < free.height(); ++y)
        for (int x = 0; x < free.width(); ++x)
            if (4 * std::abs(qGray(free.pixel(x, y)) - background) > std::abs(text - background))
                ink |= QRect(x, y, 1, 1);
    QVERIFY(!ink.isEmpty());
    const QString where = QStringLiteral("ink %1,%2 %3x%4 in a %5x%6 label")
                              .arg(ink.x())
                              .arg(ink.y())
                              .arg(ink.width())
                              .arg(ink.height())
                              .arg(shown.width())
                              .arg(shown.height());
    QVERIFY2(QRect(QPoint(0, 0), shown.size()).contains(ink), qPrintable(where));
    const int inkBottom = caption->mapTo(m_form->centralWidget(), ink.bottomLeft()).y();
    QVERIFY2(inkBottom < child<QWidget>(below)->geometry().top(), qPrintable(where));
}

void TestMainForm::menuCaptions()
{
    QStringList seen;
    std::function<void(QMenu*, int)> walk = [&](QMenu* menu, int depth) {
        for (QAction* action : menu->actions()) {
            seen << QString(depth, u'>') + action->text();
            // Only the new items have the usual shortcuts.
            static const QStringList keyed
                = { u"mnuFileOpen"_s, u"mnuEditUndo"_s, u"mnuEditRedo"_s, u"mnuEditDelete"_s };
            QCOMPARE(action->shortcut().isEmpty(), !keyed.contains(action->objectName()));
            // Directions, families, the angle option, the orientation,
            // Schmid factors, the second crystal and its variants and
            // entries labelled belong to the free view;
            // there is nothing yet to take back, delete or open again.
            static const QStringList idle = { u"mnuEditDirection"_s, u"mnuEditFamily"_s,
                u"mnuEditOrientation"_s, u"mnuEditSchmid"_s, u"mnuEditSecond"_s,
                u"mnuEditVariants"_s, u"mnuEditIndexLabels"_s, u"mnuEditUndo"_s, u"mnuEditRedo"_s,
                u"mnuEditDelete"_s, u"mnuEditAngles"_s, u"mnuFileRecent"_s };
            const QString name
                = action->menu() ? action->menu()->objectName() : action->objectName();
            QCOMPARE(action->isEnabled(), !idle.contains(name));
            QVERIFY(action->isVisible());
            if (action->menu())
                walk(action->menu(), depth + 1);
        }
    };
    for (QAction* top : m_form->menuBar()->actions()) {
        seen << top->text();
        walk(top->menu(), 1);
    }
    const QStringList expected = { u"ファイル"_s, u">開く"_s, u">最近使ったファイル"_s,
        u">上書き保存"_s, u">新規に保存"_s, u">>画像"_s, u">>面指数"_s, u">>角度差"_s,
        u">>セッション"_s, u">終了"_s, u"編集"_s, u">元に戻す"_s, u">やり直し"_s, u">"_s,
        u">面指数のプロット"_s, u">画像のクリア"_s, u">クリップボードにコピー"_s,
        u">選択した極を削除"_s, u">"_s, u">方向としてプロット"_s,
        u">等価な面・方向をすべてプロット"_s, u">面の間の角度"_s, u">>0–180°"_s, u">>0–90°"_s,
        u">指数を表示"_s, u">保存する図に説明を付ける"_s, u">"_s, u">方位…"_s, u">シュミット因子"_s,
        u">第二の結晶…"_s, u">方位差…"_s, u"投影図の選択"_s, u">立法晶・対称性あり"_s,
        u">立方晶・対称性なし"_s, u">六法晶・対称性あり"_s, u">六方晶・対称性なし"_s, u">"_s,
        u">任意の結晶と方位"_s, u"ヘルプ"_s, u">使い方"_s, u">バージョン"_s };
    QCOMPARE(seen, expected);
    for (const QString& caption : seen)
        QVERIFY2(!caption.contains(u'&'), qPrintable(caption));
}

void TestMainForm::tabWalksTheDocumentedOrder()
{
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    const QStringList order = { u"txtIndexList"_s, u"txtAxisX"_s, u"txtAxisY"_s, u"txtAxisZ"_s,
        u"cmdDraw"_s, u"cmdClear"_s, u"cmdCopy"_s, u"cboPlotSize"_s, u"cboLineWidth"_s,
        u"picPictureBox"_s, u"txtAngleList"_s };
    const auto focused = [] {
        QWidget* w = QApplication::focusWidget();
        // An editable combo box hands its focus to its line edit.
        if (w && !qobject_cast<QComboBox*>(w) && qobject_cast<QComboBox*>(w->parentWidget()))
            w = w->parentWidget();
        return w ? w->objectName() : QString();
    };
    QTRY_COMPARE(focused(), order.first());
    // Twice round: the lists must pass Tab on, not take it as text.
    for (int k = 1; k <= 2 * order.size(); ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focused(), order[k % order.size()]);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(focused(), order.last());
    QVERIFY(child<QPlainTextEdit>("txtIndexList")->toPlainText().isEmpty());
    QVERIFY(child<QPlainTextEdit>("txtAngleList")->toPlainText().isEmpty());
}

void TestMainForm::plotInEachView_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("indexLine");
    QTest::addColumn<QString>("angleLine");

    QTest::newRow("cubic sym 1 0 0")
        << "mnuSelectCubeSym" << QStringList { "1", "0", "0" } << "(1 0 0)"
        << "( 0.000  45.000  54.736)";
    QTest::newRow("cubic full -1 2 3")
        << "mnuSelectCubeNonSym" << QStringList { "-1", "2", "3" } << "(1 -2 -3)"
        << "(74.499  100.893  128.113)";
    QTest::newRow("hex sym -1 2 3")
        << "mnuSelectHexSym" << QStringList { "-1", "2", "3" } << "(1 1 -2 3)"
        << "(47.431  50.373  42.569)";
    QTest::newRow("hex full 1 0 -2")
        << "mnuSelectHexNonSym" << QStringList { "1", "0", "-2" } << "(-1 0 1 2)"
        << "(43.314  133.314  126.448)";
    QTest::newRow("hex sym 1 -1 0")
        << "mnuSelectHexSym" << QStringList { "1", "-1", "0" } << "(1 0 -1 0)"
        << "(90.000   0.000  30.000)";
    QTest::newRow("cubic full -1 -1 -1")
        << "mnuSelectCubeNonSym" << QStringList { "-1", "-1", "-1" } << "(1 1 1)"
        << "(54.736  35.264   0.000)";
    QTest::newRow("hex sym 2 -1 0")
        << "mnuSelectHexSym" << QStringList { "2", "-1", "0" } << "(1 1 -2 0)"
        << "(90.000  30.000   0.000)";
    QTest::newRow("hex sym -3 1 -2")
        << "mnuSelectHexSym" << QStringList { "-3", "1", "-2" } << "(2 1 -3 2)"
        << "(68.155  28.711  24.291)";
    QTest::newRow("hex full -1 0 0")
        << "mnuSelectHexNonSym" << QStringList { "-1", "0", "0" } << "(-1 0 1 0)"
        << "(90.000  180.000  150.000)";
    QTest::newRow("full-width digits")
        << "mnuSelectCubeNonSym" << QStringList { u"２"_s, u"１"_s, u"０"_s } << "(2 1 0)"
        << "(26.565  18.435  39.232)";
}

void TestMainForm::plotInEachView()
{
    QFETCH(QString, view);
    QFETCH(QStringList, typed);
    QFETCH(QString, indexLine);
    QFETCH(QString, angleLine);

    choose(view);
    const int redraws = m_form->fullRedrawCount();
    typeIndex(typed[0], typed[1], typed[2]);
    QCOMPARE(m_form->fullRedrawCount(), redraws);
    QTest::mouseClick(child<QPushButton>("cmdDraw"), Qt::LeftButton);

    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(m_form->fullRedrawCount(), redraws + 1);
    QCOMPARE(lines("txtIndexList"), QStringList { indexLine });
    QCOMPARE(lines("txtAngleList"), QStringList { angleLine });

    // A second plot of the same plane is listed twice.
    QTest::mouseClick(child<QPushButton>("cmdDraw"), Qt::LeftButton);
    QCOMPARE(lines("txtIndexList"), QStringList({ indexLine, indexLine }));
    QCOMPARE(lines("txtAngleList"), QStringList({ angleLine, angleLine }));
}

void TestMainForm::plotFromEditMenuAppends()
{
    typeIndex("1", "1", "0");
    choose("mnuEditDraw");
    typeIndex("1", "1", "1");
    choose("mnuEditDraw");
    QCOMPARE(lines("txtIndexList"), QStringList({ "(1 1 0)", "(1 1 1)" }));
    QCOMPARE(lines("txtAngleList"),
        QStringList({ "(45.000   0.000  35.264)", "(54.736  35.264   0.000)" }));
}

void TestMainForm::refusals_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("added");

    QTest::newRow("empty boxes") << QStringList { "", "", "" }
                                 << QStringList { Messages::NotNumeric } << false;
    QTest::newRow("zero") << QStringList { "0", "0.0", "-0" } << QStringList { Messages::ZeroIndex }
                          << false;
    QTest::newRow("decimals warn, then plot")
        << QStringList { "1.5", "0", "0" } << QStringList { Messages::DecimalsDropped } << true;
    QTest::newRow("decimals truncate to zero")
        << QStringList { "0.5", "0", "0" }
        << QStringList { Messages::DecimalsDropped, Messages::ZeroIndex } << false;
    QTest::newRow("too large") << QStringList { "40000", "0", "0" }
                               << QStringList { Messages::IndexTooLarge } << false;
}

// Messages come in order through the seam; a refusal neither stores nor redraws.
void TestMainForm::refusals()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, messages);
    QFETCH(bool, added);

    typeIndex("2", "1", "0");
    QTest::mouseClick(child<QPushButton>("cmdDraw"), Qt::LeftButton);
    const QStringList before = lines("txtIndexList");
    const int redraws = m_form->fullRedrawCount();

    typeIndex(typed[0], typed[1], typed[2]);
    QTest::mouseClick(child<QPushButton>("cmdDraw"), Qt::LeftButton);

    QCOMPARE(m_dialogs.messages, messages);
    QCOMPARE(m_state->store.PoleCount(), int16_t(added ? 2 : 1));
    QCOMPARE(m_form->fullRedrawCount(), redraws + (added ? 1 : 0));
    QCOMPARE(lines("txtIndexList").size(), added ? 2 : 1);
    if (!added)
        QCOMPARE(lines("txtIndexList"), before);
}

void TestMainForm::projectionChoice_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("crystalSystem");
    QTest::addColumn<int>("symmetryMode");
    QTest::addColumn<QStringList>("captions");

    QStringList cubicSym = CubicCaptions;
    cubicSym[2] = u"(111)  との\u3000 角度差"_s;
    QTest::newRow("cubic sym, already marked") << "mnuSelectCubeSym" << 1 << 1 << cubicSym;
    QTest::newRow("cubic full") << "mnuSelectCubeNonSym" << 1 << 2 << CubicCaptions;
    QTest::newRow("hex sym") << "mnuSelectHexSym" << 2 << 1 << HexCaptions;
    QTest::newRow("hex full") << "mnuSelectHexNonSym" << 2 << 2 << HexCaptions;
}

void TestMainForm::projectionChoice()
{
    QFETCH(QString, item);
    QFETCH(int, crystalSystem);
    QFETCH(int, symmetryMode);
    QFETCH(QStringList, captions);

    auto* plotSize = child<QComboBox>("cboPlotSize");
    auto* lineWidth = child<QComboBox>("cboLineWidth");
    typeIndex("1", "1", "1");
    QTest::mouseClick(child<QPushButton>("cmdDraw"), Qt::LeftButton);
    Pick(plotSize, "50");
    TypeInto(lineWidth->lineEdit(), "2");
    const int redraws = m_form->fullRedrawCount();

    choose(item);

    QCOMPARE(m_state->CrystalSystem(), int16_t(crystalSystem));
    QCOMPARE(m_state->SymmetryMode(), int16_t(symmetryMode));
    QCOMPARE(m_state->store.PoleCount(), int16_t(0));
    QVERIFY(child<QPlainTextEdit>("txtIndexList")->toPlainText().isEmpty());
    QVERIFY(child<QPlainTextEdit>("txtAngleList")->toPlainText().isEmpty());
    for (const char* name :
        { "mnuSelectCubeSym", "mnuSelectCubeNonSym", "mnuSelectHexSym", "mnuSelectHexNonSym" }) {
        // An unchecked item shows no box at all, not an empty one.
        QCOMPARE(child<QAction>(name)->isChecked(), item == QLatin1String(name));
        QCOMPARE(child<QAction>(name)->isCheckable(), item == QLatin1String(name));
    }
    QCOMPARE(child<QLabel>("lblAngle1")->text(), captions[0]);
    QCOMPARE(child<QLabel>("lblAngle2")->text(), captions[1]);
    QCOMPARE(child<QLabel>("lblAngle3")->text(), captions[2]);

    QCOMPARE(plotSize->currentText(), u"30"_s);
    QCOMPARE(lineWidth->currentText(), u"2"_s);
    QCOMPARE(m_form->fullRedrawCount(), redraws + 1);
    QCOMPARE(m_form->surface().drawWidth(), 2);
    QCOMPARE(child<QLineEdit>("txtAxisX")->text(), u"1"_s);
    QCOMPARE(child<QLineEdit>("txtAxisZ")->text(), u"1"_s);
}

void TestMainForm::pickRedrawsButTypingDoesNot()
{
    auto* plotSize = child<QComboBox>("cboPlotSize");
    auto* lineWidth = child<QComboBox>("cboLineWidth");
    typeIndex("2", "1", "0");
    QTest::mouseClick(child<QPushButton>("cmdDraw"), Qt::LeftButton);
    int redraws = m_form->fullRedrawCount();

    // A selection made by code is no pick.
    plotSize->setCurrentIndex(8);
    lineWidth->setCurrentIndex(2);
    QCOMPARE(m_form->fullRedrawCount(), redraws);

    Pick(plotSize, "50");
    QCOMPARE(m_form->fullRedrawCount(), ++redraws);
    QCOMPARE(lines("txtIndexList"), QStringList { "(2 1 0)" });
    // Re-picking the item already shown redraws all the same.
    Pick(plotSize, "50");
    QCOMPARE(m_form->fullRedrawCount(), ++redraws);

    Pick(lineWidth, "4");
    QCOMPARE(m_form->fullRedrawCount(), ++redraws);
    QCOMPARE(m_form->surface().drawWidth(), 4);

    // Typed text waits for the next redraw of any cause.
    TypeInto(lineWidth->lineEdit(), "3");
    QTest::keyClick(lineWidth->lineEdit(), Qt::Key_Return);
    QTest::keyClick(lineWidth->lineEdit(), Qt::Key_Tab);
    QCOMPARE(m_form->fullRedrawCount(), redraws);
    QCOMPARE(lineWidth->count(), 5);
    QCOMPARE(m_form->surface().drawWidth(), 4);
    Pick(plotSize, "10");
    QCOMPARE(m_form->surface().drawWidth(), 3);
}

void TestMainForm::lineWidthField()
{
    auto* field = child<QComboBox>("cboLineWidth")->lineEdit();
    TypeInto(field, "2x-.5");
    QCOMPARE(field->text(), u"25"_s);
    Pick(child<QComboBox>("cboPlotSize"), "20");
    const int width = m_form->surface().drawWidth();

    // Text the surface cannot use leaves the previous width.
    for (const char* unusable : { "", "0" }) {
        TypeInto(field, unusable);
        Pick(child<QComboBox>("cboPlotSize"), "20");
        QCOMPARE(m_form->surface().drawWidth(), width);
    }
}

void TestMainForm::clearKeepsView()
{
    choose("mnuSelectHexNonSym");
    Pick(child<QComboBox>("cboPlotSize"), "45");
    typeIndex("1", "0", "0");
    QTest::mouseClick(child<QPushButton>("cmdDraw"), Qt::LeftButton);
    typeIndex("1", "1", "0");
    choose("mnuEditDraw");
    QCOMPARE(m_state->store.PoleCount(), int16_t(2));

    QTest::mouseClick(child<QPushButton>("cmdClear"), Qt::LeftButton);
    QCOMPARE(m_state->store.PoleCount(), int16_t(0));
    QVERIFY(child<QPlainTextEdit>("txtIndexList")->toPlainText().isEmpty());
    QVERIFY(child<QPlainTextEdit>("txtAngleList")->toPlainText().isEmpty());
    QCOMPARE(m_state->CrystalSystem(), int16_t(2));
    QCOMPARE(m_state->SymmetryMode(), int16_t(2));
    QVERIFY(child<QAction>("mnuSelectHexNonSym")->isChecked());
    QCOMPARE(child<QLabel>("lblAngle3")->text(), HexCaptions[2]);
    QCOMPARE(child<QComboBox>("cboPlotSize")->currentText(), u"45"_s);
    QCOMPARE(child<QLineEdit>("txtAxisY")->text(), u"1"_s);

    // The menu item does the same, also with nothing plotted.
    choose("mnuEditCls");
    QCOMPARE(m_state->store.PoleCount(), int16_t(0));
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestMainForm::copyPutsPictureOnClipboard()
{
    QTest::mouseClick(child<QPushButton>("cmdCopy"), Qt::LeftButton);
    QCOMPARE(m_dialogs.messages, QStringList { u"クリップボードにコピーしました"_s });
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), m_form->surface().image().size());

    typeIndex("1", "1", "1");
    QTest::mouseClick(child<QPushButton>("cmdDraw"), Qt::LeftButton);
    const int redraws = m_form->fullRedrawCount();
    choose("mnuEditCopy");
    QCOMPARE(m_dialogs.messages,
        QStringList({ u"クリップボードにコピーしました"_s, u"クリップボードにコピーしました"_s }));
    QCOMPARE(m_form->fullRedrawCount(), redraws);
    QVERIFY(QGuiApplication::clipboard()->image() != copied);
}

void TestMainForm::copyOffersVectorFormats_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<bool>("full");
    for (const char* view :
        { "mnuSelectCubeSym", "mnuSelectCubeNonSym", "mnuSelectHexSym", "mnuSelectHexNonSym" }) {
        QTest::addRow("%s empty", view) << QString::fromLatin1(view) << false;
        QTest::addRow("%s full", view) << QString::fromLatin1(view) << true;
    }
}

void TestMainForm::copyOffersVectorFormats()
{
    QFETCH(QString, view);
    QFETCH(bool, full);
    choose(view);
    if (full) {
        for (const Index3& plane : DistinctPlanes(PoleStore::MaxPoles))
            QVERIFY(m_state->store.append({ IndexKind::Plane, plane }));
    }
    QTest::mouseClick(child<QPushButton>("cmdCopy"), Qt::LeftButton);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data);
    QVERIFY(data->hasImage());
    QCOMPARE(QGuiApplication::clipboard()->image(), m_form->surface().image());
    QVERIFY(data->hasFormat(u"image/svg+xml"_s));
    QVERIFY(data->hasFormat(u"application/pdf"_s));
    // Drawn only when asked for; the empty picture is quick to ask for.
    if (!full) {
        QVERIFY(data->data(u"image/svg+xml"_s).startsWith("<?xml"));
        QVERIFY(data->data(u"application/pdf"_s).startsWith("%PDF-"));
    }
}

// Opening the submenu asks nothing; a dialog that is cancelled changes
// nothing; "終了" closes the window as its close box does.
void TestMainForm::fileMenuAsksOnlyWhenChosen()
{
    typeIndex("1", "0", "0");
    QTest::mouseClick(child<QPushButton>("cmdDraw"), Qt::LeftButton);
    auto* submenu = child<QMenu>("mnuFileSaveAs");
    submenu->popup(m_form->mapToGlobal(QPoint(20, 20)));
    QTRY_VERIFY(submenu->isVisible());
    QCoreApplication::processEvents();
    submenu->hide();
    QVERIFY(m_dialogs.saveDialogs.isEmpty());

    const int redraws = m_form->fullRedrawCount();
    for (const char* item : { "mnuFileOpen", "mnuFileSave", "mnuFileSaveAsPic",
             "mnuFileSaveAsIndex", "mnuFileSaveAsAngle", "mnuFileSaveAsSession" })
        child<QAction>(item)->trigger();
    QCOMPARE(m_dialogs.saveDialogs.size(), 5);
    QCOMPARE(m_dialogs.saveDialogs[1].title, u"画像の保存"_s);
    QCOMPARE(m_dialogs.saveDialogs[1].filters,
        QStringList({ u"PNG (*.png)"_s, u"SVG (*.svg)"_s, u"PDF (*.pdf)"_s, u"JPEG(*.jpg)"_s }));
    QCOMPARE(m_dialogs.openDialogs.size(), 1);
    QCOMPARE(m_dialogs.openDialogs[0].title, u"開く"_s);
    QCOMPARE(m_form->fullRedrawCount(), redraws);
    QCOMPARE(m_state->store.PoleCount(), int16_t(1));
    QVERIFY(m_dialogs.messages.isEmpty());

    child<QAction>("mnuFileEnd")->trigger();
    QVERIFY(!m_form->isVisible());
}

void TestMainForm::fullRedrawOnlyOnExpose()
{
    typeIndex("2", "1", "0");
    QTest::mouseClick(child<QPushButton>("cmdDraw"), Qt::LeftButton);
    const QStringList listed = lines("txtIndexList");
    QApplication::processEvents();
    int redraws = m_form->fullRedrawCount();

    // Child repaints: hovering a button, typing into boxes and lists.
    QTest::mouseMove(child<QPushButton>("cmdCopy"));
    QTest::mouseMove(child<QPushButton>("cmdDraw"));
    QTest::keyClicks(child<QLineEdit>("txtAxisX"), "7");
    auto* indexList = child<QPlainTextEdit>("txtIndexList");
    QTest::keyClicks(indexList, "typed");
    QTest::qWait(50);
    QCOMPARE(m_form->fullRedrawCount(), redraws);
    QVERIFY(indexList->toPlainText().contains(u"typed"_s));

    // An expose of the window redraws once and does not ask for more.
    QExposeEvent expose(QRegion(m_form->rect()));
    QCoreApplication::sendEvent(m_form->windowHandle(), &expose);
    QCOMPARE(m_form->fullRedrawCount(), ++redraws);
    QTest::qWait(50);
    QCOMPARE(m_form->fullRedrawCount(), redraws);
    QCOMPARE(lines("txtIndexList"), listed);

    // Covered and shown again: the platform's own expose.
    QTest::keyClicks(indexList, "again");
    m_form->hide();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QTRY_VERIFY(m_form->fullRedrawCount() > redraws);
    QCOMPARE(lines("txtIndexList"), listed);
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
