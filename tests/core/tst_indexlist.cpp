#include "files/CsvTable.h"
#include "files/FileAccess.h"
#include "files/FileMessages.h"
#include "files/IndexList.h"
#include "poles/PoleLists.h"
#include "scene/DocumentedViews.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace FileMessages;

class TestIndexList : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void savedListsReadBack_data();
    void savedListsReadBack();
    void csv();
    void files();
};

namespace {

// Entries as "(1 2 3)", "[1 0 0]", "{1 1 1}" and "<1 1 0>", blank-separated,
// for compact tables.
QString Shown(const QList<IndexEntry>& entries)
{
    QStringList shown;
    for (const IndexEntry& e : entries)
        shown << (e.family ? FamilyText : IndexText)(e.kind, e.index, false);
    return shown.join(u' ');
}

} // namespace

void TestIndexList::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("hexagonal");
    QTest::addColumn<bool>("directions");
    // The entries read, or the error.
    QTest::addColumn<QString>("expected");

    QTest::newRow("forms") << QByteArray("1 2 3\n(3 1 0)\n-1,2,\t3\n( 1 , 1 , 1 )\n") << false
                           << false << "(1 2 3) (3 1 0) (-1 2 3) (1 1 1)";
    QTest::newRow("BOM, CR LF, comments, blanks")
        << QByteArray("\xef\xbb\xbf# planes\r\n\r\n  \t# more\r\n1 0 0\r\n   \r\n") << false
        << false << "(1 0 0)";
    QTest::newRow("full width, U+3000, U+2212")
        << QByteArray("（１\xe3\x80\x80２，\xe2\x88\x92３）") << false << false << "(1 2 -3)";
    QTest::newRow("whole decimals, -0, limits") << QByteArray("2.0 1e1 -0\n-32768 32767 0") << false
                                                << false << "(2 10 0) (-32768 32767 0)";
    QTest::newRow("hexagonal four and three") << QByteArray("(1 0 -1 1)\n1 1 -2 0\n0 0 1\n") << true
                                              << false << "(1 0 1) (1 1 0) (0 0 1)";
    QTest::newRow("directions") << QByteArray("[1 0 0]\n[1 0 -1 0]\n(1 1 1)") << true << true
                                << "[1 0 0] [2 1 0] (1 1 1)";
    // As the lists write the largest indices: i and [u v t w] beyond the range
    // of one index, and [U V W] written as [2U-V 2V-U -(U+V) 3W].
    QTest::newRow("four-index forms of the largest")
        << QByteArray("[40000 -20000 -20000 0]\n(20000 20000 -40000 1)\n"
                      "[-32768 -32768 65536 -98304]")
        << true << true << "[20000 0 0] (20000 20000 1) [-32768 -32768 -32768]";
    QTest::newRow("[u v t w] divided by 3 or not")
        << QByteArray("[2 -1 -1 0]\n[0 3 -3 0]") << true << true << "[1 0 0] [3 6 0]";
    QTest::newRow("last line named")
        << QByteArray("1 2 3\n\n# x\n1 2\n") << false << false << BadLine.arg("4", "1 2");
    QTest::newRow("direction or plane")
        << QByteArray("1 2 x") << false << true << BadLineOrDirection.arg("1", "1 2 x");
    QTest::newRow("empty field") << QByteArray("1,,2,3") << false << false
                                 << BadLine.arg("1", "1,,2,3");
    QTest::newRow("unclosed") << QByteArray("(1 2 3") << false << false
                              << BadLine.arg("1", "(1 2 3");
    QTest::newRow("mixed brackets")
        << QByteArray("[1 2 3)") << false << true << BadLineOrDirection.arg("1", "[1 2 3)");
    QTest::newRow("fraction") << QByteArray("1 2 3.5") << false << false
                              << LineNotWhole.arg("1", "1 2 3.5");
    QTest::newRow("32768") << QByteArray("\n32768 0 0") << false << false
                           << LineNotWhole.arg("2", "32768 0 0");
    QTest::newRow("reduced direction too long") << QByteArray("[32767 0 -32767 0]") << true << true
                                                << LineNotWhole.arg("1", "[32767 0 -32767 0]");
    QTest::newRow("zero") << QByteArray("0 0 0") << false << false << LineZero.arg("1", "0 0 0");
    QTest::newRow("four in a cubic view")
        << QByteArray("1 0 -1 1") << false << false << LineFourIndex.arg("1", "1 0 -1 1");
    QTest::newRow("wrong i") << QByteArray("1 0 1 1") << true << false
                             << LineBadI.arg("1", "1 0 1 1");
    QTest::newRow("wrong t") << QByteArray("[1 0 0 1]") << true << true
                             << LineBadT.arg("1", "[1 0 0 1]");
    QTest::newRow("direction not here")
        << QByteArray("[1 0 0]") << true << false << LineDirection.arg("1", "[1 0 0]");
    QTest::newRow("families") << QByteArray(
        "{1 1 1}\n<1 1 0>\n\xe2\x9f\xa8-1 2 0\xe2\x9f\xa9\n(1 1 1)")
                              << false << true << "{1 1 1} <1 1 0> <-1 2 0> (1 1 1)";
    QTest::newRow("hexagonal families")
        << QByteArray("{1 0 -1 1}\n<2 -1 -1 0>") << true << true << "{1 0 1} <1 0 0>";
    QTest::newRow("family not here")
        << QByteArray("{1 1 1}") << false << false << LineFamily.arg("1", "{1 1 1}");
    QTest::newRow("family unclosed")
        << QByteArray("<1 1 0]") << false << true << BadLineOrDirection.arg("1", "<1 1 0]");
    QTest::newRow("long line cut short") << QByteArray(
        50, 'x') << false << false << BadLine.arg("1", QString(40, u'x') + QStringLiteral("…"));
    QTest::newRow("the first crystal named")
        << QByteArray("1:(1 1 1)\n1: [1 0 0]") << false << true << "(1 1 1) [1 0 0]";
    QTest::newRow("no second crystal")
        << QByteArray("2:(1 1 1)") << false << true << LineNoSecond.arg("1", "2:(1 1 1)");
    QTest::newRow("a crystal and nothing")
        << QByteArray("1: ") << false << false << BadLine.arg("1", "1:");
    QTest::newRow("no entries") << QByteArray("# nothing\n\n") << false << false << QString();
    QTest::newRow("empty file") << QByteArray() << false << false << QString();
    QTest::newRow("not UTF-8") << QByteArray("1 2 3\n\xff") << false << false << NotUtf8;
    QTest::newRow("32768 lines") << QByteArray("1 0 0\n").repeated(32768) << false << false
                                 << TooManyEntries;
    QTest::newRow("over 16 MB") << QByteArray(MaxFileBytes + 1, '\n') << false << false << TooLarge;
}

void TestIndexList::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, hexagonal);
    QFETCH(bool, directions);
    QFETCH(QString, expected);
    // Families come with directions: both only in the free view.
    const IndexListRead read = ReadIndexList(bytes, { hexagonal, directions, directions });
    QCOMPARE(read.error.isEmpty() ? Shown(read.entries) : read.error, expected);
}

void TestIndexList::savedListsReadBack_data()
{
    QTest::addColumn<int>("system");
    QTest::newRow("cubic") << 1;
    QTest::newRow("hexagonal") << 2;
}

// What the index list box shows, saved as a file, opens as the same planes.
void TestIndexList::savedListsReadBack()
{
    QFETCH(int, system);
    const QList<IndexEntry> planes { { IndexKind::Plane, { 1, 2, 3 } },
        { IndexKind::Plane, { -1, 0, -32768 } }, { IndexKind::Plane, { 32767, -32768, 1 } } };
    PoleStore store;
    for (const IndexEntry& plane : planes)
        store.append(plane);
    const QString list
        = BuildLists(store, FindView(int16_t(system), 2)->scene.crystal.lattice).indexList;
    const QByteArray file = ListFileText(list);
    QVERIFY(!file.contains('\r'));
    const IndexListRead read = ReadIndexList(file, { system == 2, false });
    QCOMPARE(read.error, QString());
    QCOMPARE(read.entries, planes);
}

void TestIndexList::csv()
{
    const QList<CsvRow> rows {
        { QStringLiteral("(1 0 -1 1)"),
            { QStringLiteral(" 5.500"), QStringLiteral("90.000"), QStringLiteral("125.264") } },
        { QStringLiteral("a \"b\", c"), { QStringLiteral("0.000"), QString(), QString() } }
    };
    QCOMPARE(
        CsvTable({ QStringLiteral("(0001)"), QStringLiteral("[1,0]"), QStringLiteral("\"") }, rows),
        QByteArray("index,(0001),\"[1,0]\",\"\"\"\"\n"
                   "\"(1 0 -1 1)\",5.500,90.000,125.264\n"
                   "\"a \"\"b\"\", c\",0.000,,\n"));
    QCOMPARE(ListFileText(QStringLiteral("(1 2 3)\r\n(é)")), QByteArray("(1 2 3)\n(\xc3\xa9)\n"));
    QCOMPARE(ListFileText(QString()), QByteArray());
}

void TestIndexList::files()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("s.orvandeler"));
    QCOMPARE(ReadWholeFile(path).error, NoSuchFile);
    QCOMPARE(ReadWholeFile(dir.path()).error, IsFolder);
    QCOMPARE(WriteWholeFile(dir.filePath(QStringLiteral("none/s.txt")), "x"), NoSuchFolder);
    QCOMPARE(WriteWholeFile(dir.path(), "x"), IsFolder);

    QCOMPARE(WriteWholeFile(path, "first"), QString());
    QCOMPARE(WriteWholeFile(path, "second"), QString());
    QCOMPARE(ReadWholeFile(path).bytes, QByteArray("second"));

    // Refused by its size alone: the sparse file is never read.
    QFile large(dir.filePath(QStringLiteral("large.txt")));
    QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(MaxFileBytes + 1));
    large.close();
    QCOMPARE(ReadWholeFile(large.fileName()).error, TooLarge);

    QCOMPARE(OpenFailedMessage(QStringLiteral("/a/b.txt"), NoSuchFile),
        QStringLiteral("ファイル「/a/b.txt」を開けませんでした\nファイルがありません"));
    QVERIFY(IsSessionFileName(QStringLiteral("/a/b.ORVANDELER")));
    QVERIFY(!IsSessionFileName(QStringLiteral("/a/b.orvandeler.txt")));
}

QTEST_GUILESS_MAIN(TestIndexList)
#include "tst_indexlist.moc"
