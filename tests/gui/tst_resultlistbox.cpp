#include "app/ResultListBox.h"
#include "ui/FormFont.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Lines of two widths: at 137 pixels the long ones wrap.
QString LinesText(int first, int count)
{
    QString text;
    for (int n = first; n < first + count; ++n)
        text += n % 3 == 0 ? u"(%1  125.264  144.736)\r\n"_s.arg(n) : u"(%1 1 0)\r\n"_s.arg(n);
    return text;
}

} // namespace

// A list box that draws its lines before it writes them must look and
// scroll as the written text does, and write it the moment it is needed.
class TestResultListBox : public QObject
{
    Q_OBJECT

private slots:
    void drawnAsWritten_data();
    void drawnAsWritten();
    void writtenWhenNeeded();
};

void TestResultListBox::drawnAsWritten_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("selected");
    QTest::newRow("documented width, at the top") << 137 << 0 << -1;
    QTest::newRow("documented width, scrolled") << 137 << 40 << -1;
    QTest::newRow("documented width, at the end") << 137 << 100000 << -1;
    QTest::newRow("wide, scrolled, a line selected") << 300 << 7 << 9;
    QTest::newRow("a wrapped line selected") << 137 << 40 << 42;
}

void TestResultListBox::drawnAsWritten()
{
    QFETCH(int, width);
    QFETCH(int, top);
    QFETCH(int, selected);
    const int count = 5000;
    ResultListBox box;
    box.setFont(FormFont(9.75, true));
    box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box.resize(width, 467);
    box.setCursorWidth(0);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.showLines(count, LinesText);
    QVERIFY(box.drawsLines());
    QScrollBar* bar = box.verticalScrollBar();
    bar->setValue(top);
    const int shownTop = bar->value();
    if (selected >= 0)
        box.selectLine(selected);
    QVERIFY(shownTop > 0 || top == 0);
    const QImage drawn = box.viewport()->grab().toImage();

    box.writeLines();
    QVERIFY(!box.drawsLines());
    QCOMPARE(box.toPlainText(), LinesText(0, count).replace(u"\r\n"_s, u"\n"_s));
    // The written text keeps the same line at the top, drawn the same.
    QCOMPARE(box.document()->findBlockByLineNumber(bar->value()).blockNumber(), shownTop);
    if (selected >= 0)
        QCOMPARE(box.textCursor().selectedText(), LinesText(selected, 1).chopped(2));
    QCOMPARE(box.viewport()->grab().toImage(), drawn);
}

void TestResultListBox::writtenWhenNeeded()
{
    ResultListBox box;
    box.resize(137, 467);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    int asked = 0;
    connect(&box, &ResultListBox::textNeeded, this, [&] { ++asked; });

    // A key writes the text before it acts on it.
    box.showLines(3000, LinesText);
    QCOMPARE(box.shownText(), LinesText(0, 3000).replace(u"\r\n"_s, u"\n"_s));
    QVERIFY(box.document()->isEmpty());
    QTest::keyClick(&box, Qt::Key_Down);
    QCOMPARE(asked, 1);
    QVERIFY(!box.drawsLines());
    QVERIFY(box.textCursor().position() > 0);

    // A line the program selects comes into view without the text written.
    box.clear();
    box.showLines(3000, LinesText);
    box.selectLine(2000);
    QVERIFY(box.drawsLines());
    QVERIFY(box.verticalScrollBar()->value() > 1970 && box.verticalScrollBar()->value() <= 2000);

    // The focus writes the text.
    box.clear();
    box.clearFocus();
    box.showLines(3000, LinesText);
    box.setFocus();
    QTRY_VERIFY(!box.drawsLines());
    QCOMPARE(box.document()->blockCount(), 3001);

    // Text put into the document some other way is what the box shows.
    box.clear();
    box.showLines(3000, LinesText);
    QTextCursor(box.document()).insertText(u"typed"_s);
    QVERIFY(!box.drawsLines());
    QCOMPARE(box.shownText(), u"typed"_s);
}

QTEST_MAIN(TestResultListBox)
#include "tst_resultlistbox.moc"
