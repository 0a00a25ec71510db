#include "WindowTest.h"

#include "app/PictureBox.h"
#include "app/ResultListBox.h"
#include "poles/EntryGeometry.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <algorithm>

void WindowTest::init()
{
    m_dialogs.clear();
    openWindow();
}

void WindowTest::cleanup()
{
    m_form.reset();
    m_state.reset();
}

void WindowTest::openWindow()
{
    m_form.reset();
    m_state = std::make_unique<RunState>();
    m_form = std::make_unique<frmMainForm>(*m_state, m_dialogs);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void WindowTest::TypeInto(QLineEdit* box, const QString& text)
{
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 128; })) {
        QTest::keyClicks(box, text);
    } else {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QCoreApplication::sendEvent(box, &commit);
    }
}

void WindowTest::typeIndex(const QString& x, const QString& y, const QString& z)
{
    TypeInto(child<QLineEdit>(QStringLiteral("txtAxisX")), x);
    TypeInto(child<QLineEdit>(QStringLiteral("txtAxisY")), y);
    TypeInto(child<QLineEdit>(QStringLiteral("txtAxisZ")), z);
}

void WindowTest::Plot(const QWidget* window, const QString& x, const QString& y, const QString& z)
{
    Child<QLineEdit>(window, QStringLiteral("txtAxisX"))->setText(x);
    Child<QLineEdit>(window, QStringLiteral("txtAxisY"))->setText(y);
    Child<QLineEdit>(window, QStringLiteral("txtAxisZ"))->setText(z);
    Child<QPushButton>(window, QStringLiteral("cmdDraw"))->click();
}

void WindowTest::choose(const QString& actionName)
{
    auto* action = child<QAction>(actionName);
    QMenu* menu = nullptr;
    for (QObject* owner : action->associatedObjects())
        if ((menu = qobject_cast<QMenu*>(owner)))
            break;
    QVERIFY(menu);
    menu->popup(m_form->mapToGlobal(QPoint(10, 10)));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    QTRY_VERIFY(!menu->isVisible());
}

void WindowTest::Pick(QComboBox* combo, const QString& item)
{
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    QTRY_VERIFY(view->isVisible());
    view->setCurrentIndex(combo->model()->index(combo->findText(item), 0));
    QTest::keyClick(view, Qt::Key_Return);
    QTRY_VERIFY(!view->isVisible());
}

QString WindowTest::List(const QWidget* window, const QString& name)
{
    return Child<ResultListBox>(window, name)->shownText();
}

QStringList WindowTest::lines(const QString& listName) const
{
    // The last line's break leaves an empty paragraph behind it.
    QStringList result = list(listName).split(u'\n');
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    return result;
}

QPoint WindowTest::pixelOf(int entry) const
{
    const TwipsPoint at = Place(m_state->scene.projector(), m_state->store.at(entry)).at;
    return { int(at.x / 15), int(at.y / 15) };
}

void WindowTest::hover(QPoint pixel)
{
    auto* picture = child<PictureBox>(QStringLiteral("picPictureBox"));
    QTest::mouseMove(picture, pixel + QPoint(1, 1));
    QTest::mouseMove(picture, pixel);
}

void WindowTest::Drag(QWidget* widget, QPoint from, QPoint to)
{
    QTest::mousePress(widget, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), widget->mapToGlobal(QPointF(to)), Qt::NoButton,
        Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, to);
}
