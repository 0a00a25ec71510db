#include "WindowTest.h"
#include "files/FileMessages.h"
#include "run/RunState.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <memory>
#include <unistd.h>

using namespace Qt::StringLiterals;

// The File menu through the real window: what is saved opens again to the
// same state, and a file that cannot be written or read changes nothing.
class TestFileCommands : public WindowTest
{
    Q_OBJECT

private slots:
    void sessionRoundTrip_data();
    void sessionRoundTrip();
    void listsAndTableOpenAgain();
    void pictureInEveryFormat();
    void failedSaves_data();
    void failedSaves();
    void refusedFiles_data();
    void refusedFiles();
    void sessionsOpenedInTurn();
    void replacingAsks_data();
    void replacingAsks();
    void ownFileChangedOnDisk();
    void widthSetAroundTheBoxSavedAndOpened();
    void emptyListOpensAgain();

private:
    // A second window beside the test's own, on a run of its own.
    struct Window
    {
        std::unique_ptr<RunState> state = std::make_unique<RunState>();
        std::unique_ptr<frmMainForm> form;
    };
    Window open();
    void write(const QString& name, const QByteArray& bytes);

    QTemporaryDir m_dir;
};

TestFileCommands::Window TestFileCommands::open()
{
    Window w;
    w.form = std::make_unique<frmMainForm>(*w.state, m_dialogs);
    w.form->show();
    if (!QTest::qWaitForWindowExposed(w.form.get()))
        qFatal("the window did not show");
    return w;
}

void TestFileCommands::write(const QString& name, const QByteArray& bytes)
{
    QFile file(m_dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void TestFileCommands::sessionRoundTrip_data()
{
    QTest::addColumn<QString>("view");
    for (const char* view :
        { "mnuSelectCubeSym", "mnuSelectCubeNonSym", "mnuSelectHexSym", "mnuSelectHexNonSym" })
        QTest::newRow(view) << QString::fromLatin1(view);
}

void TestFileCommands::sessionRoundTrip()
{
    QFETCH(QString, view);
    child<QAction>(qPrintable(view))->trigger();
    for (const auto& [x, y, z] : { std::array { "-1", "2", "3" }, { "1", "-1", "0" },
             { "2.5", "1", "-4" }, { "0", "0", "1" } })
        plot(x, y, z);
    child<QComboBox>("cboPlotSize")->setCurrentIndex(7);
    child<QComboBox>("cboLineWidth")->setEditText(u"3"_s);
    emit child<QComboBox>("cboPlotSize")->activated(7);
    // A name without its extension gets the session's.
    m_dialogs.clear();
    m_dialogs.nextFiles = { { m_dir.filePath(u"work"_s), 0 } };
    child<QAction>("mnuFileSaveAsSession")->trigger();
    QCOMPARE(m_dialogs.saveDialogs.value(0).title, u"セッションの保存"_s);
    const QString path = m_dir.filePath(u"work.orvandeler"_s);
    QVERIFY(QFile::exists(path));

    const Window again = open();
    m_dialogs.nextFiles = { { path, 0 } };
    Child<QAction>(again.form.get(), "mnuFileOpen")->trigger();
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.messages.join(u'\n')));
    QCOMPARE(List(again.form.get(), "txtIndexList"), list("txtIndexList"));
    QCOMPARE(List(again.form.get(), "txtAngleList"), list("txtAngleList"));
    QCOMPARE(Child<QComboBox>(again.form.get(), "cboPlotSize")->currentText(), u"45"_s);
    QCOMPARE(Child<QComboBox>(again.form.get(), "cboLineWidth")->currentText(), u"3"_s);
    QVERIFY(Child<QAction>(again.form.get(), qPrintable(view))->isChecked());
    QCOMPARE(again.form->surface().image(), m_form->surface().image());

    // Saving over the session's own file asks nothing.
    Plot(again.form.get(), "1", "1", "1");
    const qsizetype asked = m_dialogs.saveDialogs.size();
    Child<QAction>(again.form.get(), "mnuFileSave")->trigger();
    QCOMPARE(m_dialogs.saveDialogs.size(), asked);
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll().count("\"plane\""), 5);
}

void TestFileCommands::listsAndTableOpenAgain()
{
    child<QAction>("mnuSelectHexNonSym")->trigger();
    plot("1", "0", "-2");
    plot("2", "-1", "0");
    m_dialogs.nextFiles
        = { { m_dir.filePath(u"planes.txt"_s), 0 }, { m_dir.filePath(u"angles"_s), 1 } };
    child<QAction>("mnuFileSaveAsIndex")->trigger();
    child<QAction>("mnuFileSaveAsAngle")->trigger();
    QCOMPARE(m_dialogs.saveDialogs.value(0).title, u"面指数の保存"_s);
    QCOMPARE(m_dialogs.saveDialogs.value(1).title, u"角度差の保存"_s);

    QFile planes(m_dir.filePath(u"planes.txt"_s));
    QVERIFY(planes.open(QIODevice::ReadOnly));
    QCOMPARE(planes.readAll(), QByteArray("(-1 0 1 2)\n(2 -1 -1 0)\n"));
    QFile table(m_dir.filePath(u"angles.csv"_s));
    QVERIFY(table.open(QIODevice::ReadOnly));
    QCOMPARE(table.readAll(),
        QByteArray("index,(0001),(10-10),(11-20)\n\"(-1 0 1 2)\",43.314,133.314,126.448\n"
                   "\"(2 -1 -1 0)\",90.000,30.000,60.000\n"));

    // The saved list plots the same planes again, after those already there.
    m_dialogs.nextFiles = { { planes.fileName(), 1 } };
    child<QAction>("mnuFileOpen")->trigger();
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(m_state->store.PoleCount(), int16_t(4));
    QCOMPARE(list("txtIndexList").count(u"(2 -1 -1 0)"_s), 2);
}

void TestFileCommands::pictureInEveryFormat()
{
    plot("1", "2", "3");
    const QStringList names { u"p.png"_s, u"p.svg"_s, u"p.pdf"_s, u"p.jpg"_s };
    for (int n = 0; n < names.size(); ++n)
        m_dialogs.nextFiles << FileChoice { m_dir.filePath(names[n]), n };
    for (int n = 0; n < names.size(); ++n)
        child<QAction>("mnuFileSaveAsPic")->trigger();
    QVERIFY(m_dialogs.messages.isEmpty());
    const QList<QByteArray> starts { "\x89PNG", "<?xml", "%PDF-", "\xff\xd8" };
    for (int n = 0; n < names.size(); ++n) {
        QFile file(m_dir.filePath(names[n]));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY2(file.read(5).startsWith(starts[n]), qPrintable(names[n]));
    }
    // 600 dpi, and the file says so.
    const QImage png(m_dir.filePath(u"p.png"_s));
    QCOMPARE(png.size(), QSize(2969, 2917));
    QCOMPARE(png.dotsPerMeterX(), 23622);
}

void TestFileCommands::failedSaves_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no such folder") << u"missing/x.orvandeler"_s << FileMessages::NoSuchFolder;
    QTest::newRow("the parent is a file") << u"file/x.orvandeler"_s << FileMessages::NoSuchFolder;
    QTest::newRow("a folder") << u"folder"_s << FileMessages::IsFolder;
    if (QFileInfo(u"/dev/full"_s).exists())
        QTest::newRow("disk full")
            << u"/dev/full"_s << FileMessages::WriteFailed.section(u'（', 0, 0);
    QTest::newRow("read-only folder") << u"locked/x.orvandeler"_s << FileMessages::NotWritable;
}

// Each refused with a message that names the file and the reason; an
// existing file stays as it was, and nothing else changes.
void TestFileCommands::failedSaves()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    write(u"file"_s, "plain");
    QVERIFY(QDir(m_dir.path()).mkpath(u"folder.orvandeler"_s));
    QVERIFY(QDir(m_dir.path()).mkpath(u"locked"_s));
    write(u"locked/x.orvandeler"_s, "old");
    QFile::setPermissions(m_dir.filePath(u"locked"_s), QFile::ReadOwner | QFile::ExeOwner);
    if (path.startsWith(u"locked"_s) && geteuid() == 0)
        QSKIP("root writes into any folder");

    plot("1", "0", "0");
    const QString full = path.startsWith(u'/') ? path : m_dir.filePath(path);
    m_dialogs.nextFiles = { { full, 0 } };
    child<QAction>("mnuFileSaveAsSession")->trigger();
    QFile::setPermissions(
        m_dir.filePath(u"locked"_s), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const QString shown = full.endsWith(u".orvandeler"_s) || QFileInfo::exists(full)
        ? full
        : full + u".orvandeler"_s;
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY2(m_dialogs.messages[0].startsWith(FileMessages::SaveFailed.arg(shown) + u'\n'),
        qPrintable(m_dialogs.messages[0]));
    QVERIFY2(m_dialogs.messages[0].contains(u'\n' + reason), qPrintable(m_dialogs.messages[0]));
    QFile old(m_dir.filePath(u"locked/x.orvandeler"_s));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old"));
    QCOMPARE(m_state->store.PoleCount(), int16_t(1));
    // A device is written in place, never replaced by a file.
    if (path == u"/dev/full"_s)
        QVERIFY(std::filesystem::is_character_file("/dev/full"));
}

void TestFileCommands::refusedFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const QByteArray head = R"({"orvandeler": 1, "view": "cubic-full", )";
    // A name the dialog gave that is gone by the time it is read.
    QTest::newRow("gone") << u"none.orvandeler"_s << QByteArray() << FileMessages::NoSuchFile;
    QTest::newRow("binary") << u"a.orvandeler"_s << QByteArray("\x89PNG\r\n\x1a\n\0\0\xff", 11)
                            << FileMessages::NotUtf8;
    QTest::newRow("20 MB") << u"a.txt"_s << QByteArray(20 << 20, '1') << FileMessages::TooLarge;
    QTest::newRow("nested 100,000 deep") << u"a.orvandeler"_s << QByteArray(100000, '[')
                                         << FileMessages::JsonTooDeep.arg(1).arg(1025);
    QTest::newRow("1e400") << u"a.orvandeler"_s << head + R"("plotSize": 1e400, "entries": []})"
                           << FileMessages::JsonBadNumber.arg(1).arg(57);
    QTest::newRow("not UTF-8") << u"a.txt"_s << QByteArray("1 2 \xff") << FileMessages::NotUtf8;
    QTest::newRow("not a session")
        << u"a.orvandeler"_s << QByteArray("[1, 2]") << FileMessages::NotSession;
    QTest::newRow("a bad line") << u"a.txt"_s << QByteArray("1 2 3\n\n1 2\n")
                                << FileMessages::BadLine.arg(3).arg(u"1 2"_s);
    QTest::newRow("a plot size not offered")
        << u"a.orvandeler"_s << head + R"("plotSize": 33, "entries": []})"
        << FileMessages::NotOneOf.arg(u"plotSize"_s, u"10、15、20、25、30、35、40、45、50"_s);
    QTest::newRow("a plane the view refuses")
        << u"a.orvandeler"_s
        << QByteArray(
               R"({"orvandeler": 1, "view": "hex-full", "entries": [{"plane": [32767, 2, 0]}]})")
        << FileMessages::EntryRefused.arg(1).arg(
               u"(32767 2 -32769 0)"_s, u"面指数が大きすぎます"_s);
    QTest::newRow("too many") << u"a.txt"_s << QByteArray("1 0 0\n").repeated(32768)
                              << FileMessages::TooManyEntries;
}

void TestFileCommands::refusedFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    if (!bytes.isEmpty())
        write(name, bytes);
    child<QAction>("mnuSelectCubeNonSym")->trigger();
    plot("1", "2", "3");
    const QImage before = m_form->surface().image();
    const QString lists = list("txtIndexList");

    m_dialogs.nextFiles = { { m_dir.filePath(name), 0 } };
    child<QAction>("mnuFileOpen")->trigger();
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages[0],
        FileMessages::OpenFailed.arg(QDir::toNativeSeparators(m_dir.filePath(name))) + u'\n'
            + reason);
    QCOMPARE(m_state->store.PoleCount(), int16_t(1));
    QCOMPARE(list("txtIndexList"), lists);
    QCOMPARE(m_form->surface().image(), before);
    QVERIFY(child<QAction>("mnuSelectCubeNonSym")->isChecked());
}

// A session replaces the entries shown, even by as many or more of the same view.
void TestFileCommands::sessionsOpenedInTurn()
{
    const QByteArray head = R"({"orvandeler": 1, "view": "cubic-full", "entries": [)";
    write(u"a.orvandeler"_s, head + R"({"plane": [1, 0, 0]}]})");
    write(u"b.orvandeler"_s, head + R"({"plane": [1, 1, 1]}, {"plane": [1, 1, 0]}]})");
    m_dialogs.nextFiles = { { m_dir.filePath(u"a.orvandeler"_s), 0 } };
    child<QAction>("mnuFileOpen")->trigger();
    m_dialogs.nextFiles = { { m_dir.filePath(u"b.orvandeler"_s), 0 } };
    child<QAction>("mnuFileOpen")->trigger();
    QCOMPARE(list("txtIndexList"), u"(1 1 1)\n(1 1 0)\n"_s);
    const Window fresh = open();
    m_dialogs.nextFiles = { { m_dir.filePath(u"b.orvandeler"_s), 0 } };
    Child<QAction>(fresh.form.get(), "mnuFileOpen")->trigger();
    QCOMPARE(m_form->surface().image(), fresh.form->surface().image());
}

void TestFileCommands::replacingAsks_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("replaced");
    QTest::addColumn<bool>("yes");
    for (const bool yes : { false, true }) {
        const char* answer = yes ? "yes" : "no";
        // The dialog asked about "pic_a"; the program adds ".png" after it.
        QTest::addRow("picture, no extension, %s", answer)
            << u"mnuFileSaveAsPic"_s << u"pic_a"_s << 0 << u"pic_a.png"_s << yes;
        QTest::addRow("picture, extension in capitals, %s", answer)
            << u"mnuFileSaveAsPic"_s << u"pic_b.JPG"_s << 0 << u"pic_b.JPG"_s << yes;
        QTest::addRow("index list as CSV, no extension, %s", answer)
            << u"mnuFileSaveAsIndex"_s << u"planes"_s << 1 << u"planes.csv"_s << yes;
        QTest::addRow("angle list, %s", answer)
            << u"mnuFileSaveAsAngle"_s << u"angles.txt"_s << 0 << u"angles.txt"_s << yes;
        QTest::addRow("session, no extension, %s", answer)
            << u"mnuFileSaveAsSession"_s << u"work"_s << 0 << u"work.orvandeler"_s << yes;
    }
}

// One question naming the file, through the dialogs' seam; no leaves the
// file as it was and goes back to the dialog, here cancelled.
void TestFileCommands::replacingAsks()
{
    QFETCH(QString, item);
    QFETCH(QString, typed);
    QFETCH(int, filter);
    QFETCH(QString, replaced);
    QFETCH(bool, yes);
    write(replaced, "old");
    plot("1", "2", "3");
    m_dialogs.clear();
    m_dialogs.nextFiles = { { m_dir.filePath(typed), filter } };
    m_dialogs.nextAnswers = { yes };
    child<QAction>(item)->trigger();

    const QString path = m_dir.filePath(replaced);
    QCOMPARE(m_dialogs.questions,
        QStringList { FileMessages::ReplaceQuestion.arg(QDir::toNativeSeparators(path)) });
    QCOMPARE(m_dialogs.saveDialogs.size(), yes ? 1 : 2);
    QVERIFY(m_dialogs.messages.isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll() == "old", !yes);
}

// 上書き保存 asks only when another program has changed the file since.
void TestFileCommands::ownFileChangedOnDisk()
{
    plot("1", "1", "0");
    m_dialogs.nextFiles = { { m_dir.filePath(u"own"_s), 0 } };
    child<QAction>("mnuFileSaveAsSession")->trigger();
    child<QAction>("mnuFileSave")->trigger();
    QVERIFY(m_dialogs.questions.isEmpty());

    const QString path = m_dir.filePath(u"own.orvandeler"_s);
    write(u"own.orvandeler"_s, "changed");
    m_dialogs.nextAnswers = { false };
    child<QAction>("mnuFileSave")->trigger();
    QCOMPARE(m_dialogs.questions,
        QStringList { FileMessages::ChangedQuestion.arg(QDir::toNativeSeparators(path)) });
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("changed"));
    file.close();

    m_dialogs.nextAnswers = { true };
    child<QAction>("mnuFileSave")->trigger();
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("{"));
    // Saved again, it is the program's own once more.
    child<QAction>("mnuFileSave")->trigger();
    QCOMPARE(m_dialogs.questions.size(), 2);
}

// Text put into the line width around its limits, as a screen reader or an
// automation tool sets it, is no width: the session keeps the width drawn
// and opens again.
void TestFileCommands::widthSetAroundTheBoxSavedAndOpened()
{
    plot("1", "0", "0");
    auto* width = child<QComboBox>("cboLineWidth");
    Pick(width, u"3"_s);
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(width->lineEdit());
    for (const QString& text : { u"abc"_s, u"99999999999999999999"_s }) {
        field->editableTextInterface()->replaceText(0, int(width->currentText().size()), text);
        QCOMPARE(width->currentText(), text);
        emit child<QComboBox>("cboPlotSize")->activated(0);
        m_dialogs.nextFiles = { { m_dir.filePath(u"width.orvandeler"_s), 0 } };
        child<QAction>("mnuFileSaveAsSession")->trigger();

        const Window again = open();
        m_dialogs.nextFiles = { { m_dir.filePath(u"width.orvandeler"_s), 0 } };
        Child<QAction>(again.form.get(), "mnuFileOpen")->trigger();
        QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.messages.join(u'\n')));
        QCOMPARE(Child<QComboBox>(again.form.get(), "cboLineWidth")->currentText(), u"3"_s);
        QCOMPARE(again.form->surface().image(), m_form->surface().image());
    }
}

// A list saved from an empty plot opens again as empty: nothing added, no word.
void TestFileCommands::emptyListOpensAgain()
{
    m_dialogs.nextFiles = { { m_dir.filePath(u"none"_s), 0 } };
    child<QAction>("mnuFileSaveAsIndex")->trigger();
    QFile file(m_dir.filePath(u"none.txt"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray());
    plot("1", "1", "1");
    m_dialogs.nextFiles = { { file.fileName(), 1 } };
    child<QAction>("mnuFileOpen")->trigger();
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(lines("txtIndexList"), QStringList { u"(1 1 1)"_s });
}

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
