#include "files/FileMessages.h"
#include "files/Session.h"
#include "projection/Turning.h"
#include "run/Work.h"

#include <QFile>
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
    void versionOneFiles_data();
    void versionOneFiles();
    void holderKept();
    void versionTwo_data();
    void versionTwo();
    void planeAngles();
    void secondCrystalKept_data();
    void secondCrystalKept();
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

// The orientation keys of version 2 on a cubic crystal.
QByteArray Held(const QByteArray& keys)
{
    return Free("{\"system\": \"cubic\", \"a\": 4}", ", " + keys, 2);
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
    if (f.euler)
        fields << QStringLiteral("euler=%1,%2,%3")
                      .arg(f.euler->phi1)
                      .arg(f.euler->Phi)
                      .arg(f.euler->phi2);
    if (f.tilt)
        fields << QStringLiteral("tilt=%1,%2").arg(f.tilt->alpha).arg(f.tilt->beta);
    if (f.tiltLimits)
        fields << QStringLiteral("limits=%1,%2").arg(f.tiltLimits->alpha).arg(f.tiltLimits->beta);
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

    // Version 2: the orientation and the holder, refused whole.
    QTest::newRow("Phi 190") << Held("\"euler\": [10, 190, 0]")
                             << KeyRefused.arg("euler", EulerMessages::PhiOutOfRange);
    QTest::newRow("phi1 400") << Held("\"euler\": [400, 10, 0]")
                              << KeyRefused.arg("euler", EulerMessages::PhiOneTwoOutOfRange);
    QTest::newRow("euler of two") << Held("\"euler\": [10, 20]") << NotThreeNumbers.arg("euler");
    QTest::newRow("tilt beyond 30")
        << Held("\"tilt\": [30.5, 0]")
        << KeyRefused.arg("tilt", u"傾斜 α は −30° から 30° までにしてください"_qs);
    QTest::newRow("tilt beyond the file's limit")
        << Held("\"tiltLimits\": [40, 20], \"tilt\": [35, -25]")
        << KeyRefused.arg("tilt", u"傾斜 β は −20° から 20° までにしてください"_qs);
    QTest::newRow("limits over 90") << Held("\"tiltLimits\": [91, 10]")
                                    << KeyRefused.arg("tiltLimits", TiltMessages::LimitsOutOfRange);
    QTest::newRow("tilt as text") << Held("\"tilt\": \"5 5\"") << NotTwoNumbers.arg("tilt");
    QTest::newRow("version 2, no orientation")
        << Doc("\"view\": \"free\", \"crystal\": " + cube, "[]", 2) << MissingKey.arg("centre");
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
    free("version 1 ignores version 2's keys",
        "{\"system\": \"cubic\", \"a\": 4, \"spaceGroup\": \"Q 9\"}", "4 4 4 90 90 90 net=3",
        ", \"netAbsences\": 1");
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

    QTest::newRow("version 1 ignores euler")
        << Free(cube, ", \"euler\": \"x\", \"tilt\": [99, 0]") << QStringList { "free", "30", "1" }
        << "4 4 4 90 90 90 net=3";
    QTest::newRow("euler, tilt and limits")
        << Held("\"euler\": [-30, 180, 359.5], \"tilt\": [-40, 20], \"tiltLimits\": [40, 20]")
        << QStringList { "free", "30", "1" }
        << "4 4 4 90 90 90 net=3 euler=-30,180,359.5 tilt=-40,20 limits=40,20";
    QTest::newRow("euler wins over centre and up")
        << Held("\"up\": [1, 0, 0], \"euler\": [0, 90, 0]") << QStringList { "free", "30", "1" }
        << "4 4 4 90 90 90 net=3 euler=0,90,0";
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
    const bool versionTwo = free.contains(u"equal-area"_s) || free.contains(u"euler"_s);
    QVERIFY(written.startsWith(versionTwo ? "{\n  \"orvandeler\": 2," : "{\n  \"orvandeler\": 1,"));
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

void TestSession::versionOneFiles_data()
{
    QTest::addColumn<QString>("name");
    // The version the run saves it as once opened (a turned crystal is kept
    // as Euler angles now), and whether that file is the same.
    QTest::addColumn<int>("savedVersion");
    QTest::addColumn<bool>("savedUnchanged");
    QTest::newRow("cubic with symmetry") << "cubic-sym" << 1 << true;
    QTest::newRow("hexagonal, plot size and width") << "hex-full" << 1 << true;
    QTest::newRow("zinc along [0001]") << "free-zinc" << 1 << true;
    // The up direction made again from its own digits may differ in the last.
    QTest::newRow("triclinic, up made perpendicular") << "free-triclinic" << 1 << false;
    QTest::newRow("iron turned") << "free-turned" << 2 << false;
}

// Files the program wrote before version 2 open as they always have.
void TestSession::versionOneFiles()
{
    QFETCH(QString, name);
    QFETCH(int, savedVersion);
    QFETCH(bool, savedUnchanged);
    QFile file(QFINDTESTDATA(u"data/version1/"_qs + name + u".orvandeler"_qs));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const SessionRead read = ReadSession(bytes);
    QCOMPARE(read.error, QString());
    QCOMPARE(WriteSession(read.session), bytes);

    const auto opened = OpenWork(u"a.orvandeler"_qs, bytes, RunState());
    QVERIFY(std::holds_alternative<OpenedWork>(opened));
    RunState run;
    Adopt(run, std::get<OpenedWork>(opened));
    QCOMPARE(run.store.PoleCount(), read.session.entries.size());
    const QByteArray saved = WriteSession(SessionOf(run));
    QVERIFY(saved.startsWith("{\n  \"orvandeler\": " + QByteArray::number(savedVersion) + ','));
    QCOMPARE(saved == bytes, savedUnchanged);
    if (const FreeViewRecord* free = std::get_if<FreeViewRecord>(&read.session.view)) {
        // The crystal looks where the file's centre and up say, and what the
        // run saves opens to it again.
        const Matrix3 g = run.free.orientation.zeroTilt.matrix();
        const auto wanted = CrystalOrientation::FromCentreUp(run.free.lattice,
            { free->centre[0], free->centre[1], free->centre[2] },
            free->up ? Vector3 { (*free->up)[0], (*free->up)[1], (*free->up)[2] } : Vector3 {});
        QVERIFY(wanted && MaxDifference(wanted->matrix(), g) < 1e-12);
        RunState again;
        Adopt(again, std::get<OpenedWork>(OpenWork(u"a.orvandeler"_qs, saved, RunState())));
        QVERIFY(MaxDifference(again.free.orientation.zeroTilt.matrix(), g) < 1e-12);
    }
}

// A tilted crystal and the holder's limits are saved as version 2 and come
// back: g0 to rounding, the tilt and its limits exactly.
void TestSession::holderKept()
{
    Crystal crystal = std::get<Crystal>(Crystal::Make(LatticeSystem::Monoclinic,
        { 5.68, 15.18, 6.29, 90, 114.1, 90 }, { 1, 2, 3 }, std::nullopt, {}));
    crystal.orientation.zeroTilt
        = CrystalOrientation::FromProjector(Turning::Right(17) * Turning::Up(-3) * crystal.turn());
    crystal.orientation.limits = { 45, 25 };
    crystal.orientation.tilt = { -44.5, 1.0 / 3 };
    RunState run;
    run.chooseFree(crystal);
    const QByteArray saved = WriteSession(SessionOf(run));
    QVERIFY(saved.startsWith("{\n  \"orvandeler\": 2,"));
    QVERIFY(!saved.contains("centre"));
    RunState again;
    Adopt(again, std::get<OpenedWork>(OpenWork(u"a.orvandeler"_qs, saved, RunState())));
    const HeldOrientation& held = again.free.orientation;
    QCOMPARE(held.tilt, crystal.orientation.tilt);
    QCOMPARE(held.limits, crystal.orientation.limits);
    QVERIFY(MaxDifference(held.zeroTilt.matrix(), crystal.orientation.zeroTilt.matrix()) < 1e-12);
    QVERIFY(MaxDifference(held.drawn().matrix(), crystal.orientation.drawn().matrix()) < 1e-12);
}

void TestSession::versionTwo_data()
{
    QTest::addColumn<QByteArray>("bytes");
    // The error, or empty when the file reads and writes again byte for byte.
    QTest::addColumn<QString>("error");

    const QByteArray head
        = "{\n  \"orvandeler\": 2,\n  \"view\": \"free\",\n  \"plotSize\": 30,\n"
          "  \"lineWidth\": \"1\",\n  \"crystal\": {\"system\": \"cubic\", \"a\": 5.431";
    const QByteArray tail
        = "\n  \"centre\": [0, 0, 1],\n  \"netLimit\": 3,\n  \"zoneCircles\": true,\n"
          "  \"wulffNet\": false";
    QTest::newRow("group, name, absences, families")
        << head + ", \"spaceGroup\": \"F d -3 m\", \"name\": \"Si \\\"x\\\"\"}," + tail
            + ",\n  \"netAbsences\": true,\n  \"entries\": [\n    {\"planeFamily\": [1, 1, 1]},\n"
              "    {\"plane\": [1, 1, 1]},\n    {\"directionFamily\": [-1, 1, 0]}\n  ]\n}\n"
        << QString();
    QTest::newRow("a family alone") << head + "}," + tail
            + ",\n  \"entries\": [\n    {\"directionFamily\": [1, 2, 3]}\n  ]\n}\n"
                                    << QString();
    QTest::newRow("unknown group")
        << head + ", \"spaceGroup\": \"Q 9\"}," + tail + ",\n  \"entries\": []\n}\n"
        << KeyProblem.arg("crystal.spaceGroup", SymmetryMessages::Unknown.arg("Q 9"));
    QTest::newRow("group not a string")
        << head + ", \"spaceGroup\": 225}," + tail + ",\n  \"entries\": []\n}\n"
        << NotString.arg("crystal.spaceGroup");
    QTest::newRow("two forms") << head + "}," + tail
            + ",\n  \"entries\": [{\"plane\": [1, 1, 1], \"planeFamily\": [1, 1, 1]}]\n}\n"
                               << EntryFormFamily.arg(1);
    QTest::newRow("family in a documented view") << QByteArray(
        "{\"orvandeler\": 2, \"view\": \"cubic-full\", \"entries\": "
        "[{\"planeFamily\": [1, 1, 1]}]}") << EntryFamily.arg(1);
    const QByteArray second
        = ",\n  \"second\": {\n    \"crystal\": {\"system\": \"cubic\", \"a\": 2.87},"
          "\n    \"relation\": ";
    QTest::newRow("second by name, all variants") << head + "}," + tail + second
            + "{\"name\": \"KS\"},\n    \"variant\": \"all\",\n    \"net\": false,\n"
              "    \"variantNumbers\": true,\n    \"colour\": true,\n    \"entries\": [\n      {\"plane\": [1, 1, 0]},\n"
              "      {\"directionFamily\": [1, 1, 1]}\n    ]\n  },\n  \"entries\": []\n}\n"
                                                  << QString();
    QTest::newRow("second typed as pairs") << head + "}," + tail + second
            + "{\"planes\": [[1, 1, 1], [0, 1, 1]], \"directions\": [[-1, 0, 1], [-1, -1, 1]]},"
              "\n    \"variant\": 3,\n    \"net\": true,\n    \"entries\": []\n  },\n"
              "  \"entries\": []\n}\n" << QString();
    QTest::newRow("second a twin") << head + "}," + tail + second
            + "{\"twinPlane\": [1, 1, 1]},\n    \"variant\": 1,\n    \"net\": false,\n"
              "    \"entries\": []\n  },\n  \"entries\": []\n}\n"
                                   << QString();
    QTest::newRow("second of an unknown relationship")
        << head + "}," + tail + second + "{\"name\": \"GT\"}},\n  \"entries\": []\n}\n"
        << NotOneOf.arg("second.relation.name", u"KS、NW、Pitsch、Bain、Burgers"_s);
    QTest::newRow("second placed twice") << head + "}," + tail + second
            + "{\"name\": \"KS\", \"twinAxis\": [1, 0, 0]}},\n  \"entries\": []\n}\n"
                                         << RelationForm;
    QTest::newRow("second's variant") << head + "}," + tail + second
            + "{\"name\": \"KS\"}, \"variant\": 0},\n  \"entries\": []\n}\n"
                                      << NotVariant;
    // Version 1 knows no families; its files open as they always have.
    QTest::newRow("family in version 1")
        << Doc("\"view\": \"cubic-full\"", "[{\"planeFamily\": [1, 1, 1]}]") << EntryForm.arg(1);
}

void TestSession::versionTwo()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    const SessionRead read = ReadSession(bytes);
    QCOMPARE(read.error, error);
    if (error.isEmpty())
        QCOMPARE(WriteSession(read.session), bytes);
}

void TestSession::planeAngles()
{
    // The acute reading is a version-2 key; without it the file stays version 1.
    Session s;
    FreeViewRecord free;
    s.view = free;
    const QByteArray full = WriteSession(s);
    QVERIFY(full.contains("\"orvandeler\": 1") && !full.contains("planeAngles"));
    free.planeAngles = PlaneAngles::Acute;
    s.view = free;
    const QByteArray acute = WriteSession(s);
    QVERIFY(acute.contains("\"orvandeler\": 2") && acute.contains("\"planeAngles\": \"acute\""));
    QVERIFY(ReadSession(acute).session == s);
    QByteArray odd = acute;
    odd.replace("\"acute\"", "\"obtuse\"");
    const SessionRead refused = ReadSession(odd);
    QVERIFY(refused.error.contains(QStringLiteral("planeAngles")));
}

// A run with a second crystal saved and opened again: the same second
// crystal, each crystal's entries in their order, the first's before the
// second's.
void TestSession::secondCrystalKept_data()
{
    QTest::addColumn<int>("placement");
    QTest::addColumn<int>("variant");
    QTest::newRow("KS, variant 7") << 0 << 7;
    QTest::newRow("Burgers, all") << 1 << AllVariants;
    QTest::newRow("a twin about [1 1 1]") << 2 << 1;
    QTest::newRow("Euler angles of its own") << 3 << 1;
}

void TestSession::secondCrystalKept()
{
    QFETCH(int, placement);
    QFETCH(int, variant);
    const Crystal first = std::get<Crystal>(Crystal::Make(
        LatticeSystem::Cubic, { 3.6, 3.6, 3.6, 90, 90, 90 }, { 1, 2, 3 }, std::nullopt, {}));
    const bool burgers = placement == 1;
    const Lattice lattice = std::get<Lattice>(burgers
            ? Lattice::Make(LatticeSystem::Hexagonal, { 2.95, 2.95, 4.68, 90, 90, 120 })
            : Lattice::Make(LatticeSystem::Cubic, { 2.87, 2.87, 2.87, 90, 90, 90 }));
    const SecondPlacement placements[] = { NamedRelationship::KurdjumovSachs,
        NamedRelationship::Burgers, TwinAxis { { 1, 1, 1 } }, EulerAngles { 10, 20, 30 } };
    const auto made = SecondCrystal::Make(first, lattice, SpaceGroup::Holohedry(lattice.system()),
        {}, placements[placement], variant);
    QVERIFY(std::holds_alternative<SecondCrystal>(made));
    RunState run;
    run.chooseFree(first);
    run.changeSecond(std::get<SecondCrystal>(made));
    for (const int crystal : { 1, 0, 1 }) {
        Entry entry(IndexKind::Plane, { 1, int16_t(crystal), 0 });
        entry.crystal = int8_t(crystal);
        run.store.append(entry);
    }
    const QByteArray saved = WriteSession(SessionOf(run));
    RunState again;
    Adopt(again, std::get<OpenedWork>(OpenWork(u"a.orvandeler"_qs, saved, RunState())));
    QVERIFY(again.scene.second);
    const SecondCrystal& kept = *again.scene.second;
    QCOMPARE(kept.variant, variant);
    QCOMPARE(kept.variantCount(), run.scene.second->variantCount());
    for (int n = 1; n <= kept.variantCount(); ++n)
        QVERIFY(MaxDifference(kept.orientationOf(first.orientation.drawn(), n).matrix(),
                    run.scene.second->orientationOf(first.orientation.drawn(), n).matrix())
            < 1e-12);
    QCOMPARE(again.store.PoleCount(), 3);
    QCOMPARE(again.store.at(0).crystal, 0);
    QCOMPARE(again.store.at(1).crystal, 1);
    QCOMPARE(again.store.at(2).crystal, 1);
    QCOMPARE(WriteSession(SessionOf(again)), saved);
    // The table names each entry's crystal.
    QVERIFY(CsvOf(again).startsWith("crystal,index,"));
    QCOMPARE(CsvOf(again).count("\n2,\"("), 2);
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
