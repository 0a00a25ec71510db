#include "files/FileMessages.h"
#include "files/Session.h"

#include <QTest>

using namespace FileMessages;
using namespace Qt::StringLiterals;

class TestSession : public QObject
{
    Q_OBJECT

private slots:
    void refused_data();
    void refused();
    void read_data();
    void read();
    void roundTrip();
};

namespace {

// A file with the given members after the version and before the entries.
QByteArray Doc(const QByteArray& members, const QByteArray& entries = "[]", int version = 1)
{
    return "{\"orvandeler\": " + QByteArray::number(version) + ", " + members
        + ", \"entries\": " + entries + "}";
}

QByteArray Free(const QByteArray& crystal, const QByteArray& more = {}, int version = 1)
{
    return Doc("\"view\": \"free\", \"crystal\": " + crystal + ", \"centre\": [0, 0, 1]" + more,
        "[{\"plane\": [1, 1, 1]}, {\"direction\": [1, 0, 0]}]", version);
}

QByteArray Entries(int count)
{
    QByteArray list = "[";
    for (int n = 0; n < count; ++n)
        list += n == 0 ? "{\"plane\": [1, 2, 3]}" : ",{\"plane\": [1, 2, 3]}";
    return list + "]";
}

QString Described(const FreeViewRecord& f)
{
    QStringList fields;
    const LatticeParameters& p = f.cell;
    for (double value : { p.a, p.b, p.c, p.alpha, p.beta, p.gamma })
        fields << QString::number(value);
    if (f.up)
        fields << QStringLiteral("up=%1,%2,%3").arg((*f.up)[0]).arg((*f.up)[1]).arg((*f.up)[2]);
    fields << QStringLiteral("net=%1").arg(f.net.limit);
    if (!f.net.zoneCircles)
        fields << QStringLiteral("nozones");
    if (f.net.wulffNet)
        fields << QStringLiteral("wulff");
    if (f.net.projection == ProjectionKind::EqualArea)
        fields << QStringLiteral("equal-area");
    return fields.join(u' ');
}

} // namespace

void TestSession::refused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    const QByteArray cubic = "\"view\": \"cubic-full\"";
    const QString range = EntryIndex.arg(1);

    QTest::newRow("not UTF-8") << QByteArray("{\"view\": \"\xff\"}") << NotUtf8;
    QTest::newRow("cut UTF-8") << QByteArray("{\"view\": \"\xe3\x81") << NotUtf8;
    QTest::newRow("empty") << QByteArray(" \n") << EmptyFile;
    QTest::newRow("syntax, line and column")
        << QByteArray("{\"orvandeler\": 1,\n \"view\" \"free\"}") << JsonSyntax.arg(2).arg(9);
    QTest::newRow("column counts characters")
        << QByteArray("{\"a\": \"あい\" x}") << JsonSyntax.arg(1).arg(12);
    QTest::newRow("number too large")
        << QByteArray("{\"orvandeler\": 1e400}") << JsonBadNumber.arg(1).arg(20);
    QTest::newRow("nested 100000 deep")
        << QByteArray(100000, '[') + QByteArray(100000, ']') << JsonTooDeep.arg(1).arg(1025);
    QTest::newRow("20 MB") << Doc(cubic, Entries(1)) + QByteArray(20 << 20, ' ') << TooLarge;
    QTest::newRow("array") << QByteArray("[1]") << NotSession;
    QTest::newRow("no version") << QByteArray("{\"view\": \"free\"}") << NotSession;
    QTest::newRow("version 3") << QByteArray("{\"orvandeler\": 3}") << UnknownVersion.arg("3");
    QTest::newRow("version as text")
        << QByteArray("{\"orvandeler\": \"1\"}") << UnknownVersion.arg("\"1\"");
    QTest::newRow("no view") << QByteArray("{\"orvandeler\": 1}") << MissingKey.arg("view");
    QTest::newRow("unknown view") << Doc("\"view\": \"cubic\"")
                                  << NotOneOf.arg(
                                         "view", "cubic-sym、cubic-full、hex-sym、hex-full、free");
    const QString sizes = NotOneOf.arg("plotSize", "10、15、20、25、30、35、40、45、50");
    QTest::newRow("plot size 12") << Doc(cubic + ", \"plotSize\": 12") << sizes;
    QTest::newRow("plot size \"030\"") << Doc(cubic + ", \"plotSize\": \"030\"") << sizes;
    QTest::newRow("line width 4 digits")
        << Doc(cubic + ", \"lineWidth\": \"1234\"") << NotDigits.arg("lineWidth");
    QTest::newRow("no entries") << QByteArray("{\"orvandeler\": 1, \"view\": \"hex-sym\"}")
                                << MissingKey.arg("entries");
    QTest::newRow("entries object") << Doc(cubic, "{}") << NotArray.arg("entries");
    QTest::newRow("32768 entries") << Doc(cubic, Entries(32768)) << TooManyEntries;
    QTest::newRow("entry neither") << Doc(cubic, "[{\"dir\": [1, 0, 0]}]") << EntryForm.arg(1);
    QTest::newRow("entry both") << Doc(cubic, "[{\"plane\": [1, 0, 0], \"direction\": [1, 0, 0]}]")
                                << EntryForm.arg(1);
    QTest::newRow("two numbers") << Doc(cubic, "[{\"plane\": [1, 2]}]") << range;
    QTest::newRow("four numbers") << Doc(cubic, "[{\"plane\": [1, 2, -3, 3]}]") << range;
    QTest::newRow("fraction") << Doc(cubic, "[{\"plane\": [1, 2, 3.5]}]") << range;
    QTest::newRow("text") << Doc(cubic, "[{\"plane\": [1, 2, \"3\"]}]") << range;
    QTest::newRow("32768") << Doc(cubic, "[{\"plane\": [1, 2, 32768]}]") << range;
    QTest::newRow("second entry named")
        << Doc(cubic, "[{\"plane\": [1, 2, 3]}, {\"plane\": [-0, 0, 0]}]") << EntryZero.arg(2);
    QTest::newRow("direction, fixed view")
        << Doc(cubic, "[{\"direction\": [1, 0, 0]}]") << EntryDirection.arg(1);
    QTest::newRow("free, no crystal")
        << Doc("\"view\": \"free\", \"centre\": [0, 0, 1]") << MissingKey.arg("crystal");
    QTest::newRow("free, no system") << Free("{\"a\": 1}") << MissingKey.arg("crystal.system");
    QTest::newRow("free, rhombohedral")
        << Free("{\"system\": \"rhombohedral\"}")
        << NotOneOf.arg("crystal.system",
               "cubic、tetragonal、orthorhombic、hexagonal、trigonal、monoclinic、triclinic");
    QTest::newRow("hexagonal without c")
        << Free("{\"system\": \"hexagonal\", \"a\": 2}") << MissingKey.arg("crystal.c");
    QTest::newRow("length as text")
        << Free("{\"system\": \"cubic\", \"a\": \"4\"}") << NotFinite.arg("crystal.a");
    QTest::newRow("monoclinic without beta")
        << Free("{\"system\": \"monoclinic\", \"a\": 1, \"b\": 2, \"c\": 3}")
        << MissingKey.arg("crystal.beta");
    QTest::newRow("no centre") << Doc("\"view\": \"free\", \"crystal\": {\"system\": \"cubic\", "
                                      "\"a\": 1}")
                               << MissingKey.arg("centre");
    const QByteArray cube = "{\"system\": \"cubic\", \"a\": 4}";
    QTest::newRow("centre of two")
        << Doc("\"view\": \"free\", \"crystal\": " + cube + ", \"centre\": [0, 1]")
        << NotThreeNumbers.arg("centre");
    QTest::newRow("up with text") << Free(cube, ", \"up\": [1, 0, \"0\"]")
                                  << NotThreeNumbers.arg("up");
    const QString limit = NotWholeInRange.arg("netLimit").arg(1).arg(10);
    QTest::newRow("net limit 0") << Free(cube, ", \"netLimit\": 0") << limit;
    QTest::newRow("net limit 2.5") << Free(cube, ", \"netLimit\": 2.5") << limit;
    QTest::newRow("zone circles as text")
        << Free(cube, ", \"zoneCircles\": \"yes\"") << NotBoolean.arg("zoneCircles");
    QTest::newRow("figure caption as text")
        << Free(cube, ", \"figureCaption\": \"yes\"", 2) << NotBoolean.arg("figureCaption");
    QTest::newRow("projection unknown") << Free(cube, ", \"projection\": \"lambert\"", 2)
                                        << NotOneOf.arg("projection", "stereographic、equal-area");
}

void TestSession::refused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    const SessionRead read = ReadSession(bytes);
    QCOMPARE(read.error, error);
    QVERIFY(read.session.entries.isEmpty());
}

void TestSession::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    // View, plot size, line width.
    QTest::addColumn<QStringList>("settings");
    // The free view's settings as Described, or empty.
    QTest::addColumn<QString>("free");

    QTest::newRow("start-up values")
        << QByteArray("\xef\xbb\xbf{\"orvandeler\": 1, \"view\": \"cubic-sym\", \"entries\": []}")
        << QStringList { "cubic-sym", "30", "1" } << QString();
    QTest::newRow("texts, unknown keys")
        << Doc("\"view\": \"hex-full\", \"plotSize\": \"45\", \"lineWidth\": \"\", \"x\": {}",
               "[{\"plane\": [0, 0, 1], \"note\": 1}]")
        << QStringList { "hex-full", "45", "" } << QString();
    QTest::newRow("numbers") << Doc("\"view\": \"hex-sym\", \"plotSize\": 50.0, \"lineWidth\": 12")
                             << QStringList { "hex-sym", "50", "12" } << QString();

    const auto free = [](const char* name, const QByteArray& crystal, const char* settings,
                          const QByteArray& more = {}) {
        QTest::newRow(name) << Free(crystal, more) << QStringList { "free", "30", "1" }
                            << QString(settings);
    };
    free("cubic, fixed ones ignored",
        "{\"system\": \"cubic\", \"a\": 4.05, \"b\": \"x\", \"gamma\": 60}",
        "4.05 4.05 4.05 90 90 90 net=3");
    free("tetragonal", "{\"system\": \"tetragonal\", \"a\": 3, \"c\": 5}", "3 3 5 90 90 90 net=3");
    free("orthorhombic", "{\"system\": \"orthorhombic\", \"a\": 3, \"b\": 4, \"c\": 5}",
        "3 4 5 90 90 90 net=3");
    free("hexagonal", "{\"system\": \"hexagonal\", \"a\": 2.665, \"c\": 4.947}",
        "2.665 2.665 4.947 90 90 120 up=1,0,-2.5 net=10 nozones wulff",
        ", \"up\": [1, 0, -2.5], \"netLimit\": 10, \"zoneCircles\": false, \"wulffNet\": true");
    free("trigonal", "{\"system\": \"trigonal\", \"a\": 4.9, \"c\": 5.4}",
        "4.9 4.9 5.4 90 90 120 net=3");
    const QByteArray cube = "{\"system\": \"cubic\", \"a\": 4}";
    QTest::newRow("equal-area, version 2")
        << Free(cube, ", \"projection\": \"equal-area\"", 2) << QStringList { "free", "30", "1" }
        << u"4 4 4 90 90 90 net=3 equal-area"_s;
    // A key of version 2 in a file of version 1 is one the program does not know.
    QTest::newRow("equal-area, version 1")
        << Free(cube, ", \"projection\": \"equal-area\"") << QStringList { "free", "30", "1" }
        << u"4 4 4 90 90 90 net=3"_s;
    free("monoclinic",
        "{\"system\": \"monoclinic\", \"a\": 5, \"b\": 6, \"c\": 7, \"beta\": 101.5}",
        "5 6 7 90 101.5 90 net=3");
    free("triclinic",
        "{\"system\": \"triclinic\", \"a\": 5, \"b\": 6, \"c\": 7, \"alpha\": 80, \"beta\": 95, "
        "\"gamma\": 110}",
        "5 6 7 80 95 110 net=3");
}

// Each good file reads as written, and writing it gives a file that reads
// back to the same session.
void TestSession::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, settings);
    QFETCH(QString, free);

    const SessionRead read = ReadSession(bytes);
    QCOMPARE(read.error, QString());
    const Session& s = read.session;
    const FreeViewRecord* record = std::get_if<FreeViewRecord>(&s.view);
    QCOMPARE((QStringList { s.viewId(), s.plotSize, s.lineWidth }), settings);
    QCOMPARE(record ? Described(*record) : QString(), free);
    if (record)
        QCOMPARE(s.entries,
            (QList<IndexEntry> {
                { IndexKind::Plane, { 1, 1, 1 } }, { IndexKind::Direction, { 1, 0, 0 } } }));
    const QByteArray written = WriteSession(s);
    const SessionRead again = ReadSession(written);
    QCOMPARE(again.error, QString());
    QVERIFY(again.session == s);
    // Version 2 only for what version 1 cannot say.
    QVERIFY(written.startsWith(
        free.contains(u"equal-area"_s) ? "{\n  \"orvandeler\": 2," : "{\n  \"orvandeler\": 1,"));
}

void TestSession::roundTrip()
{
    Session s;
    s.plotSize = QStringLiteral("10");
    s.lineWidth = QStringLiteral("999");
    FreeViewRecord free;
    free.system = LatticeSystem::Triclinic;
    free.cell.a = 0.1;
    free.cell.b = 1.0 / 3.0;
    free.cell.c = 1e-300;
    free.cell.alpha = 89.99999999999999;
    free.cell.beta = -1.7976931348623157e308;
    free.cell.gamma = 5e-324;
    free.centre = { -0.5, 2.0 / 3.0, 1e22 };
    free.up = std::array { 1.0, 0.0, -2.5 };
    free.net.limit = 1;
    free.net.zoneCircles = false;
    s.view = free;
    for (int n = 0; n < 32767; ++n)
        s.entries.append(IndexEntry { n % 2 == 1 ? IndexKind::Direction : IndexKind::Plane,
            { static_cast<int16_t>(n - 32768), 0, 32767 } });

    const QByteArray bytes = WriteSession(s);
    const SessionRead read = ReadSession(bytes);
    QCOMPARE(read.error, QString());
    QVERIFY(read.session == s);
    // One entry a line, so that a long session stays readable and diffable.
    QCOMPARE(bytes.count('\n'), 32767 + 14);
    QVERIFY(bytes.contains("\n    {\"direction\": [-32767, 0, 32767]},\n"));

    // A caption asked for is kept, and makes the file version 2.
    s.figureCaption = true;
    const QByteArray captioned = WriteSession(s);
    QVERIFY(captioned.startsWith("{\n  \"orvandeler\": 2,"));
    QVERIFY(ReadSession(captioned).session == s);
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
