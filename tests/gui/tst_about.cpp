#include "WindowTest.h"
#include "about/frmAbout.h"
#include "run/RunState.h"
#include "ui/ApplicationInfo.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>
#include <QtTest>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

class TestAbout : public WindowTest
{
    Q_OBJECT

private slots:
    void cleanup() override;

    void textsAndLayout();
    void mainDisabledUntilClosed_data();
    void mainDisabledUntilClosed();
    void reopenedAnew();

private:
    frmAbout* openAbout();
    void closeBy(frmAbout* about, const QString& how);
};

void TestAbout::cleanup()
{
    WindowTest::cleanup();
    const auto aboutLeft = [] {
        const QWidgetList windows = QApplication::topLevelWidgets();
        return std::any_of(windows.cbegin(), windows.cend(),
            [](QWidget* w) { return qobject_cast<frmAbout*>(w) && w->isVisible(); });
    };
    QTRY_VERIFY(!aboutLeft());
}

// Chooses "バージョン" and returns the window that opened.
frmAbout* TestAbout::openAbout()
{
    m_form->findChild<QAction*>(u"mnuHelpVersion"_s)->trigger();
    frmAbout* about = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* candidate = qobject_cast<frmAbout*>(window); candidate && candidate->isVisible())
            about = candidate;
    return about;
}

void TestAbout::closeBy(frmAbout* about, const QString& how)
{
    if (how == u"OK")
        QTest::mouseClick(about->findChild<QPushButton*>(u"cmdOK"_s), Qt::LeftButton);
    else if (how == u"Enter")
        QTest::keyClick(about, Qt::Key_Return);
    else if (how == u"Esc")
        QTest::keyClick(about, Qt::Key_Escape);
    else
        about->close(); // what the close box does
}

void TestAbout::textsAndLayout()
{
    frmAbout* about = openAbout();
    QVERIFY(about);
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QCOMPARE(about->windowTitle(), u"Orvandelerのﾊﾞｰｼﾞｮﾝ情報"_s);
    QCOMPARE(about->findChild<QLabel*>(u"lblTitle"_s)->text(), u"Orvandeler"_s);
    // The project's version, as major.minor.revision.
    QCOMPARE(about->findChild<QLabel*>(u"lblVersion"_s)->text(),
        u"ﾊﾞｰｼﾞｮﾝ %1.%2.%3"_s.arg(VersionMajor).arg(VersionMinor).arg(VersionRevision));
    const QString credit = about->findChild<QLabel*>(u"lblDescription"_s)->text();
    QVERIFY(!credit.isEmpty() && !credit.contains(u'\n'));
    QVERIFY(!about->findChild<QLabel*>(u"picIcon"_s)->pixmap().isNull());
    QCOMPARE(about->findChild<QLabel*>(u"picIcon"_s)->pixmap().size(), QSize(64, 64));

    auto* ok = about->findChild<QPushButton*>(u"cmdOK"_s);
    QCOMPARE(ok->text(), u"OK"_s);
    QVERIFY(ok->isDefault());
    QCOMPARE(ok->geometry(), QRect(60, 144, 92, 23));
    QCOMPARE(about->size(), QSize(210, 174));
    QCOMPARE(about->focusWidget(), ok);
    // It holds the keyboard, so Escape and Enter reach it.
    QTRY_COMPARE(QApplication::activeWindow(), about);

    // Shown without the modal flag, as a window of its own above the main one.
    QVERIFY(!about->isModal());
    QCOMPARE(about->parentWidget(), nullptr);
    QCOMPARE(about->windowHandle()->transientParent(), m_form->windowHandle());
    closeBy(about, u"OK"_s);
}

void TestAbout::mainDisabledUntilClosed_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("OK") << u"OK"_s;
    QTest::newRow("Enter") << u"Enter"_s;
    QTest::newRow("Esc") << u"Esc"_s;
    QTest::newRow("close box") << u"close box"_s;
}

void TestAbout::mainDisabledUntilClosed()
{
    QFETCH(QString, how);

    auto* box = m_form->findChild<QLineEdit*>(u"txtAxisX"_s);
    QTest::keyClicks(box, "1");
    QPointer<frmAbout> about = openAbout();
    QVERIFY(about);
    QVERIFY(!m_form->isEnabled());
    QVERIFY(about->isEnabled());

    // The main window takes no input meanwhile, its close box included.
    QTest::keyClicks(box, "2");
    QCOMPARE(box->text(), u"1"_s);
    QVERIFY(!m_form->close());
    QVERIFY(m_form->isVisible());
    QVERIFY(about);

    closeBy(about, how);
    QVERIFY(m_form->isEnabled());
    QTRY_VERIFY(about.isNull());
    QTest::keyClicks(box, "2");
    QCOMPARE(box->text(), u"12"_s);
}

void TestAbout::reopenedAnew()
{
    QPointer<frmAbout> first = openAbout();
    QVERIFY(first);
    const QString version = first->findChild<QLabel*>(u"lblVersion"_s)->text();
    closeBy(first, u"Esc"_s);
    QTRY_VERIFY(first.isNull());

    frmAbout* second = openAbout();
    QVERIFY(second);
    QCOMPARE(second->findChild<QLabel*>(u"lblVersion"_s)->text(), version);
    QCOMPARE(second->windowTitle(), u"Orvandelerのﾊﾞｰｼﾞｮﾝ情報"_s);
    QVERIFY(!m_form->isEnabled());

    // Closing the main window takes the version window with it.
    QPointer<frmAbout> open = second;
    m_form.reset();
    QVERIFY(open.isNull());
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
