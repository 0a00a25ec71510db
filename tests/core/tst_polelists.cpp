#include "RecordingSurface.h"
#include "figure/PlotPoles.h"
#include "plotting/DrawCommand.h"
#include "poles/PoleLists.h"
#include "scene/DocumentedViews.h"

namespace {

const Scene& ViewOf(int system, int mode)
{
    return FindView(int16_t(system), int16_t(mode))->scene;
}

} // namespace

#include <QTest>

class TestPoleLists : public QObject
{
    Q_OBJECT

private slots:
    void formatAngle_data();
    void formatAngle();
    void lists_data();
    void lists();
    void emptyStore();
    void linesAddUpToTheLists();
    void plotPoles();
};

void TestPoleLists::formatAngle_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << " 0.000";
    QTest::newRow("below ten") << 5.5 << " 5.500";
    QTest::newRow("ninety") << 90.0 << "90.000";
    QTest::newRow("three digits") << 125.26438968 << "125.264";
    QTest::newRow("carry into the degrees") << 9.9996 << "10.000";
    QTest::newRow("carry to 100") << 99.9999 << "100.000";
    QTest::newRow("tiny") << 0.0000012 << " 0.000";
    QTest::newRow("leading zeros of the decimals") << 1.007 << " 1.007";
    QTest::newRow("half to even, down") << 0.0625 << " 0.062";
    QTest::newRow("half to even, up") << 0.1875 << " 0.188";
    QTest::newRow("largest") << 179.9999 << "180.000";
}

void TestPoleLists::formatAngle()
{
    QFETCH(double, angle);
    QFETCH(QString, text);
    QCOMPARE(FormatAngle(angle), text);
}

void TestPoleLists::lists_data()
{
    QTest::addColumn<int>("system");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("indexLine");
    QTest::addColumn<QString>("angleLine");
    QTest::newRow("cubic (2 1 0)") << 1 << 1 << QStringList { "2", "1", "0" } << "(2 1 0)\r\n"
                                   << "(26.565  18.435  39.232)\r\n";
    QTest::newRow("cubic (1 0 0)") << 1 << 2 << QStringList { "1", "0", "0" } << "(1 0 0)\r\n"
                                   << "( 0.000  45.000  54.736)\r\n";
    QTest::newRow("cubic (1 1 0) lists 0")
        << 1 << 1 << QStringList { "1", "1", "0" } << "(1 1 0)\r\n"
        << "(45.000   0.000  35.264)\r\n";
    QTest::newRow("cubic negative") << 1 << 2 << QStringList { "1", "-1", "-1" } << "(1 -1 -1)\r\n"
                                    << "(54.736  90.000  109.471)\r\n";
    QTest::newRow("hexagonal full (1 2 3)")
        << 2 << 2 << QStringList { "1", "2", "3" } << "(1 2 -3 3)\r\n"
        << "(58.980  49.622  32.696)\r\n";
    QTest::newRow("hexagonal sym (1 2 3)")
        << 2 << 1 << QStringList { "1", "2", "3" } << "(2 1 -3 3)\r\n"
        << "(58.980  35.926  32.696)\r\n";
    QTest::newRow("hexagonal (1 1 0)")
        << 2 << 1 << QStringList { "1", "1", "0" } << "(1 1 -2 0)\r\n"
        << "(90.000  30.000   0.000)\r\n";
}

void TestPoleLists::lists()
{
    QFETCH(int, system);
    QFETCH(int, mode);
    QFETCH(QStringList, typed);
    QFETCH(QString, indexLine);
    QFETCH(QString, angleLine);

    PoleStore store;
    const Scene& view = ViewOf(system, mode);
    QVERIFY(RunDrawCommand(typed[0], typed[1], typed[2], view.crystal, store).added);
    const PoleLists lists = BuildLists(store, view.crystal.lattice);
    QCOMPARE(lists.indexList, indexLine);
    QCOMPARE(lists.angleList, angleLine);
}

void TestPoleLists::emptyStore()
{
    PoleStore store;
    const PoleLists lists = BuildLists(store, ViewOf(1, 1).crystal.lattice);
    QVERIFY(lists.indexList.isEmpty());
    QVERIFY(lists.angleList.isEmpty());
}

void TestPoleLists::linesAddUpToTheLists()
{
    // The window may append single lines instead of rewriting: both must agree.
    PoleStore store;
    QString index, angles;
    for (const char* x : { "1", "-2", "3", "0" }) {
        QVERIFY(RunDrawCommand(x, "1", "2", ViewOf(2, 2).crystal, store).added);
        index += IndexLine(store.at(store.PoleCount() - 1), ViewOf(2, 2).crystal.lattice)
            + QStringLiteral("\r\n");
        angles += AngleLine(store.at(store.PoleCount() - 1), ViewOf(2, 2).crystal.lattice)
            + QStringLiteral("\r\n");
    }
    const PoleLists lists = BuildLists(store, ViewOf(2, 2).crystal.lattice);
    QCOMPARE(lists.indexList, index);
    QCOMPARE(lists.angleList, angles);
    QCOMPARE(index.count(QStringLiteral("\r\n")), 4);
}

void TestPoleLists::plotPoles()
{
    PoleStore store;
    RecordingSurface surface;
    PlotPoles(surface, store, ViewOf(1, 2).projector(), 30);
    QVERIFY(surface.calls.isEmpty());

    RunDrawCommand("1", "0", "0", ViewOf(1, 2).crystal, store);
    RunDrawCommand("0", "1", "0", ViewOf(1, 2).crystal, store);
    PlotPoles(surface, store, ViewOf(1, 2).projector(), 50);
    QCOMPARE(surface.calls.size(), 6);
    const QVector<double> centres[] = { { 3500, 3500, 50 }, { 6500, 3500, 50 } };
    for (int n = 0; n < 2; ++n) {
        QCOMPARE(surface.calls[3 * n].kind, SurfaceCall::FillStyle);
        QCOMPARE(surface.calls[3 * n].values, QVector<double> { 0 });
        QCOMPARE(surface.calls[3 * n + 1].kind, SurfaceCall::Circle);
        QCOMPARE(surface.calls[3 * n + 1].values, centres[n]);
        QCOMPARE(surface.calls[3 * n + 2].values, QVector<double> { 1 });
    }
}

QTEST_GUILESS_MAIN(TestPoleLists)
#include "tst_polelists.moc"
