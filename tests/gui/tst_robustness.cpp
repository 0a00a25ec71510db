#include "WindowTest.h"
#include "app/ResultListBox.h"
#include "plotting/CheckIndex.h"
#include "plotting/DrawCommand.h"
#include "poles/PoleLists.h"
#include "run/RunState.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QExposeEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QWindow>
#include <QtTest>

#include <algorithm>
#include <memory>

// Thousands of random user actions on the real window: nothing may crash,
// the store may hold only accepted planes, and whenever the lists have not
// been typed into they must hold exactly the lines built from the store.
class TestRobustness : public WindowTest
{
    Q_OBJECT

private slots:
    void randomActions();
    void fullStoreThroughTheWindow();

private:
    QString randomText();
    void checkListsMatchStore(const QByteArray& where);
    void closeVersionDialog();

    QRandomGenerator m_random { 7125 };
};

QString TestRobustness::randomText()
{
    static const QStringList samples = { "", " ", "\t", QStringLiteral("\u3000"), "0", "-0", "1",
        "-1", "2.5", ".5", "2.", "1e3", "1e300", "1e400", "-1e400", "inf", "nan", "32767", "-32768",
        "32768", "65535", "0x10", "1,000", "--1", "1e", "abc", QStringLiteral("１２"),
        QStringLiteral("－３．５"), QStringLiteral("\u22127"), QStringLiteral("一"), "9999999999" };
    switch (m_random.bounded(4)) {
    case 0:
        return QString::number(m_random.bounded(-9, 10));
    case 1:
        return samples[m_random.bounded(qsizetype(samples.size()))];
    case 2:
        return QString::number((m_random.generateDouble() - 0.5) * 20, 'f', m_random.bounded(4));
    default: {
        // Long garbage, ASCII and beyond.
        QString garbage;
        const int length = m_random.bounded(1, 300);
        for (int i = 0; i < length; ++i)
            garbage += QChar(char16_t(m_random.bounded(2) ? m_random.bounded(0x20, 0x7f)
                                                          : m_random.bounded(0x3000, 0x9fff)));
        return garbage;
    }
    }
}

void TestRobustness::checkListsMatchStore(const QByteArray& where)
{
    const PoleLists expected = BuildLists(m_state->store, m_state->scene.crystal.lattice);
    const auto shown = [this](const char* name) { return child<ResultListBox>(name)->shownText(); };
    const auto asShown
        = [](QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); };
    QVERIFY2(shown("txtIndexList") == asShown(expected.indexList), where);
    QVERIFY2(shown("txtAngleList") == asShown(expected.angleList), where);
}

void TestRobustness::closeVersionDialog()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible()) {
            if (m_random.bounded(2))
                dialog->close();
            else
                QTest::keyClick(dialog, Qt::Key_Escape);
        }
    }
    QTRY_VERIFY(m_form->isEnabled());
}

void TestRobustness::randomActions()
{
    QLineEdit* boxes[] = { child<QLineEdit>("txtAxisX"), child<QLineEdit>("txtAxisY"),
        child<QLineEdit>("txtAxisZ") };
    auto* plotSize = child<QComboBox>("cboPlotSize");
    auto* lineWidth = child<QComboBox>("cboLineWidth");
    QPushButton* buttons[] = { child<QPushButton>("cmdDraw"), child<QPushButton>("cmdClear"),
        child<QPushButton>("cmdCopy") };
    QPlainTextEdit* lists[]
        = { child<QPlainTextEdit>("txtIndexList"), child<QPlainTextEdit>("txtAngleList") };
    QList<QAction*> actions;
    // The history and the guide have tests of their own; the shadow store
    // below knows only plots and clears.
    const QStringList skipped { QStringLiteral("mnuFileEnd"), QStringLiteral("mnuEditUndo"),
        QStringLiteral("mnuEditRedo"), QStringLiteral("mnuEditDelete"),
        QStringLiteral("mnuEditAnglesFull"), QStringLiteral("mnuEditAnglesAcute"),
        QStringLiteral("mnuHelpGuide") };
    for (QAction* action : m_form->findChildren<QAction*>()) {
        // Every item but the one that closes the window.
        if (action->objectName().startsWith(QLatin1String("mnu")) && !action->menu()
            && !skipped.contains(action->objectName()))
            actions << action;
    }
    QCOMPARE(actions.size(), 23);
    auto* asDirection = child<QAction>("mnuEditDirection");
    auto* asFamily = child<QAction>("mnuEditFamily");
    const auto plotted = [&] {
        return m_state->scene.isFree() && asDirection->isChecked() ? IndexKind::Direction
                                                                   : IndexKind::Plane;
    };
    const auto plotWith = [&] {
        return m_state->scene.crystal.allowsFamilies() && asFamily->isChecked() ? FamilyOf
                                                                                : EntryOf;
    };

    // The same plots done on a store of our own tell which planes are accepted.
    PoleStore shadow;
    bool listsTyped = false;
    for (int step = 0; step < 3000; ++step) {
        const int kind = m_random.bounded(12);
        QByteArray where
            = "step " + QByteArray::number(step) + ", action " + QByteArray::number(kind);
        switch (kind) {
        case 0:
        case 1:
            boxes[m_random.bounded(3)]->setText(randomText());
            break;
        case 2:
        case 3:
        case 4: {
            const QString x = boxes[0]->text(), y = boxes[1]->text(), z = boxes[2]->text();
            const DrawCommandResult expected
                = RunDrawCommand(x, y, z, m_state->scene.crystal, shadow, plotted(), plotWith());
            m_dialogs.clear();
            buttons[0]->click();
            QCOMPARE(m_dialogs.messages, expected.messages);
            if (expected.added)
                listsTyped = false;
            break;
        }
        case 5: {
            QAction* action = actions[m_random.bounded(qsizetype(actions.size()))];
            const QString name = action->objectName();
            // Choosing the free view while it is shown only opens its dialog.
            const bool keeps = name == QLatin1String("mnuSelectFree") && m_state->scene.isFree();
            action->trigger();
            if (name == QLatin1String("mnuHelpVersion")) {
                QVERIFY(!m_form->isEnabled());
                closeVersionDialog();
            } else if ((name.startsWith(QLatin1String("mnuSelect")) && !keeps)
                || name == QLatin1String("mnuEditCls")) {
                shadow.InitPoleData();
                listsTyped = false;
            } else if (name == QLatin1String("mnuEditDraw")) {
                const DrawCommandResult expected
                    = RunDrawCommand(boxes[0]->text(), boxes[1]->text(), boxes[2]->text(),
                        m_state->scene.crystal, shadow, plotted(), plotWith());
                listsTyped = listsTyped && !expected.added;
            }
            where += " " + name.toLatin1();
            break;
        }
        case 6: {
            const bool clear = m_random.bounded(2);
            buttons[clear ? 1 : 2]->click();
            if (clear) {
                shadow.InitPoleData();
                listsTyped = false;
            }
            break;
        }
        case 7: {
            QComboBox* combo = m_random.bounded(2) ? plotSize : lineWidth;
            combo->setCurrentIndex(m_random.bounded(combo->count()));
            emit combo->activated(combo->currentIndex());
            listsTyped = false;
            break;
        }
        case 8: {
            // Typed through the keyboard where it can be, else through an input method.
            const QString text = randomText().left(12);
            lineWidth->lineEdit()->selectAll();
            if (std::all_of(
                    text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 128; })) {
                QTest::keyClicks(lineWidth->lineEdit(), text);
            } else {
                QInputMethodEvent commit;
                commit.setCommitString(text);
                QCoreApplication::sendEvent(lineWidth->lineEdit(), &commit);
            }
        } break;
        case 9: {
            // Typing or deleting anywhere in a list, line breaks included.
            QPlainTextEdit* list = lists[m_random.bounded(2)];
            QTextCursor cursor(list->document());
            const int length = list->document()->characterCount() - 1;
            cursor.setPosition(m_random.bounded(length + 1));
            if (m_random.bounded(3) == 0)
                cursor.setPosition(std::min(length, cursor.position() + m_random.bounded(40)),
                    QTextCursor::KeepAnchor);
            cursor.insertText(m_random.bounded(2) ? randomText() : randomText() + "\n(1 0 0)");
            listsTyped = true;
        } break;
        case 10: {
            QExposeEvent expose(QRegion(m_form->rect()));
            QCoreApplication::sendEvent(m_form->windowHandle(), &expose);
            listsTyped = false;
            break;
        }
        default: {
            // A file dialog cancelled changes nothing.
            const qsizetype before = m_dialogs.saveDialogs.size();
            child<QAction>("mnuFileSaveAsSession")->trigger();
            QVERIFY2(m_dialogs.saveDialogs.size() == before + 1, where);
        } break;
        }

        QVERIFY2(m_state->store.PoleCount() == shadow.PoleCount(), where);
        if (shadow.PoleCount() > 0) {
            const int last = shadow.PoleCount() - 1;
            QVERIFY2(m_state->store.at(last) == shadow.at(last), where);
        }
        if (!listsTyped)
            checkListsMatchStore(where);
        if (QTest::currentTestFailed())
            return;
    }
}

void TestRobustness::fullStoreThroughTheWindow()
{
    // The first 32766 planes go through the draw command's core, the last
    // one through the button, as a user would plot it.
    for (int n = 0; n < PoleStore::MaxPoles - 1; ++n)
        QVERIFY(RunDrawCommand(
            QString::number(n % 50 + 1), "2", "-3", m_state->scene.crystal, m_state->store)
                    .added);
    child<QLineEdit>("txtAxisX")->setText("1");
    child<QLineEdit>("txtAxisY")->setText("1");
    child<QLineEdit>("txtAxisZ")->setText("0");
    auto* draw = child<QPushButton>("cmdDraw");
    draw->click();
    QCOMPARE(m_dialogs.messages, QStringList());
    QCOMPARE(m_state->store.PoleCount(), PoleStore::MaxPoles);
    checkListsMatchStore("full store");
    QVERIFY(child<ResultListBox>("txtIndexList")->shownText().endsWith(u"\n(1 1 0)\n"));
    // Drawn from the store, the lines are written for an assistive tool
    // the moment one starts.
    auto* index = child<ResultListBox>("txtIndexList");
    QVERIFY(index->drawsLines());
    QAccessible::setActive(true);
    QAccessible::setActive(false);
    QVERIFY(!index->drawsLines());
    QCOMPARE(index->document()->blockCount(), PoleStore::MaxPoles + 1);
    checkListsMatchStore("written");

    const int redraws = m_form->fullRedrawCount();
    draw->click();
    QCOMPARE(m_dialogs.messages, QStringList { Messages::StoreFull });
    QCOMPARE(m_state->store.PoleCount(), PoleStore::MaxPoles);
    QCOMPARE(m_form->fullRedrawCount(), redraws);

    child<QPushButton>("cmdClear")->click();
    QCOMPARE(m_state->store.PoleCount(), int16_t(0));
    QVERIFY(child<QPlainTextEdit>("txtIndexList")->toPlainText().isEmpty());
    QVERIFY(child<QPlainTextEdit>("txtAngleList")->toPlainText().isEmpty());
}

QTEST_MAIN(TestRobustness)
#include "tst_robustness.moc"
