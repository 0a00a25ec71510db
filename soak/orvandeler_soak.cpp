// Tens of thousands of random user actions on the real window, in process
// and offscreen, each followed by the checks that must hold whatever the user
// did. Built with the sanitizers; `make soak` runs it.
//
//   SOAK_SEED     the random seed (default 7125); a failure names it
//   SOAK_ACTIONS  how many actions (default 20000)
//
// A failure prints the step, the seed and the last actions; running again
// with the same seed and at least that many actions repeats it.

#include "Pixels.h"
#include "RecordingUserDialogs.h"
#include "app/PictureBox.h"
#include "app/frmMainForm.h"
#include "crystal/Presets.h"
#include "files/FileAccess.h"
#include "freeview/frmCrystal.h"
#include "painting/PainterSurface.h"
#include "painting/PictureMimeData.h"
#include "plotting/CheckIndex.h"
#include "plotting/DrawCommand.h"
#include "poles/EntryGeometry.h"
#include "poles/PoleLists.h"
#include "projection/Facing.h"
#include "run/RunState.h"
#include "run/Work.h"
#include "scene/DrawPicture.h"
#include "surface/PictureSize.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QExposeEvent>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <array>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <random>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

// What the soak does, and how often relative to the others.
enum Kind {
    TypeIndex,
    DrawButton,
    EnterInBox,
    DrawMenu,
    PlotBurst,
    Clear,
    Copy,
    ChooseDocumented,
    ChooseFree,
    CrystalDialog,
    PointerMove,
    Click,
    Drag,
    TurnKey,
    ListKeys,
    ListTyping,
    PlotSize,
    LineWidthPick,
    LineWidthTyped,
    DirectionToggle,
    SaveSession,
    SavePicture,
    SaveList,
    SaveFailing,
    OpenSaved,
    OpenMangled,
    OpenCancelledOrMissing,
    FillStore,
    VersionDialog,
    Expose,
    CloseAndShow,
    KindCount
};

struct KindInfo
{
    const char* name;
    int weight;
};

// Copies, picture saves and full stores cost the most; they are the rarest.
// A fill takes some seconds in the sanitizer build, a dozen in 20,000 actions.
constexpr std::array<KindInfo, KindCount> Kinds { {
    { "type index", 240 },
    { "draw button", 160 },
    { "enter in box", 80 },
    { "draw menu", 30 },
    { "plot burst", 30 },
    { "clear", 24 },
    { "copy", 8 },
    { "choose documented view", 30 },
    { "choose free view", 30 },
    { "crystal dialog", 24 },
    { "pointer move", 240 },
    { "click", 100 },
    { "drag", 70 },
    { "turn key", 100 },
    { "list keys", 100 },
    { "list typing", 40 },
    { "plot size", 50 },
    { "line width pick", 24 },
    { "line width typed", 40 },
    { "direction toggle", 40 },
    { "save session", 24 },
    { "save picture", 6 },
    { "save list", 20 },
    { "save failing", 12 },
    { "open saved", 50 },
    { "open mangled", 40 },
    { "open cancelled or missing", 8 },
    { "fill store", 1 },
    { "version dialog", 10 },
    { "expose", 30 },
    { "close and show", 4 },
} };

// Every so many actions the persistent picture is compared with a whole draw.
constexpr int PictureCheckEvery = 250;
// The saved files kept to open again; older ones are removed.
constexpr int SavedFilesKept = 40;

enum class FileType { Session, IndexList, AngleList, Csv, Png, Svg, Pdf, Jpeg };

// A file the window saved, and what it held.
struct SavedFile
{
    QString path;
    FileType type;
    std::vector<Entry> entries;
    const ViewRow* row = nullptr;
    bool free = false;
    bool fourIndices = false;
    DisplaySettings display;
};

// What a refused action must leave as it was.
struct Snapshot
{
    std::vector<Entry> entries;
    QString indexList;
    QString angleList;
    std::vector<bool> marks;
    QString plotSize;
    QString lineWidth;
    DisplaySettings display;
    bool freeChosen = false;
    Crystal free;
    const ViewRow* row = nullptr;
    int picked = -1;
    QImage picture;
    bool operator==(const Snapshot&) const = default;
};

QString fullWidth(const QString& text)
{
    QString out;
    for (QChar c : text) {
        if (c >= u'0' && c <= u'9')
            out += QChar(char16_t(0xff10 + (c.unicode() - u'0')));
        else if (c == u'-')
            out += QChar(char16_t(0xff0d));
        else if (c == u'.')
            out += QChar(char16_t(0xff0e));
        else
            out += c;
    }
    return out;
}

// Whether two stores are listed alike. A direction in four indices stands
// for [U V W] and for [3U 3V 3W] alike where U + V is no multiple of 3, and
// an index list gives back the smaller; every other entry must be the same.
bool SameAsListed(const std::vector<Entry>& a, const std::vector<Entry>& b, bool fourIndices)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](const Entry& x, const Entry& y) {
        return x == y
            || (fourIndices && x.kind == IndexKind::Direction && y.kind == IndexKind::Direction
                && IndexText(x.kind, x.index, true) == IndexText(y.kind, y.index, true));
    });
}

qint64 peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Qt's warnings name real faults (a text cursor out of range, a painter on
// no device); only those the offscreen platform gives for nothing pass.
QStringList g_warnings;
void recordMessage(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    // The offscreen platform cannot raise or resize a tool tip's window.
    if (text.startsWith(QLatin1String("This plugin does not support")))
        return;
    g_warnings << text;
}

class Soak;
Soak* g_soak = nullptr;

// The message is only built when the check fails.
#define SOAK_CHECK(holds, message)                                                                 \
    do {                                                                                           \
        if (!(holds))                                                                              \
            fail(message);                                                                         \
    } while (false)

class Soak
{
public:
    Soak(uint64_t seed, int actions);
    int run();
    // The last actions and how to run the soak up to this one again.
    void printReplay() const;

private:
    template <typename T> T* child(const char* name)
    {
        T* object = m_form->findChild<T*>(QLatin1String(name));
        if (!object)
            fail(QStringLiteral("no child %1").arg(QLatin1String(name)));
        return object;
    }
    [[noreturn]] void fail(const QString& why);
    void note(const QString& detail) { m_history.back() += detail.toStdString(); }

    // Random choices.
    uint64_t next() { return m_random(); }
    int below(int n) { return n <= 1 ? 0 : int(next() % uint64_t(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }
    double uniform(double low, double high)
    {
        return low + (high - low) * double(next() >> 11) * 0x1.0p-53;
    }
    template <typename T> const T& pick(const std::vector<T>& items)
    {
        return items[std::size_t(below(int(items.size())))];
    }
    QString indexText();
    QString garbage(int longest);
    Crystal randomFree(bool* made);
    // A point in the picture, now and then the very pixel of a mark.
    QPoint picturePoint();

    // Typing as a user does: keys where they are keys, an input method else.
    void type(QWidget* widget, const QString& text);
    void process();
    Snapshot snapshot() const;
    std::vector<bool> marks() const;
    void expectUnchanged(const Snapshot& before, const QString& what);
    IndexKind plottedKind() const;

    void act(Kind kind);
    void plot(Kind kind);
    void chooseFree(std::optional<Crystal> answer);
    void crystalDialog();
    void copy();
    void saveSession();
    void savePicture();
    void saveList();
    void saveFailing();
    void openSaved();
    void openMangled();
    void openFile(const QString& path, const SavedFile* saved);
    void fillStore();
    void versionDialog();
    void closeAndShow();
    void keep(SavedFile file);

    void checkInvariants();
    void checkPicture();
    const PoleLists& expectedLists();

    uint64_t m_seed;
    int m_actions;
    std::mt19937_64 m_random;
    QTemporaryDir m_dir;
    RecordingUserDialogs m_dialogs;
    RunState m_state;
    std::unique_ptr<frmMainForm> m_form;

    std::array<QLineEdit*, 3> m_boxes {};
    std::array<QPlainTextEdit*, 2> m_lists {};
    QComboBox* m_plotSize = nullptr;
    QComboBox* m_lineWidth = nullptr;
    PictureBox* m_picture = nullptr;
    QAction* m_direction = nullptr;
    QList<QAction*> m_viewItems;

    int m_step = 0;
    bool m_aimed = false;
    std::deque<std::string> m_history;
    std::array<int, KindCount> m_counts {};
    // The time each kind took, its checks included.
    std::array<qint64, KindCount> m_nanoseconds {};
    int m_weightTotal = 0;
    bool m_listsTyped = false;
    int m_redraws = 0;
    // The settings the persistent picture was last drawn with.
    PictureSettings m_shown;
    bool m_pictureChanged = false;
    int m_fileNumber = 0;
    std::vector<SavedFile> m_saved;
    // The expected lists and the entries and view they were built for.
    std::vector<Entry> m_listsEntries;
    std::optional<Lattice> m_listsLattice;
    IndexRule m_listsRule = IndexRule::AsTyped;
    PoleLists m_listsExpected;
    // The file 上書き保存 writes, once a session was saved or opened.
    QString m_sessionPath;
};

Soak::Soak(uint64_t seed, int actions)
    : m_seed(seed)
    , m_actions(actions)
    , m_random(seed)
{
    for (const KindInfo& info : Kinds)
        m_weightTotal += info.weight;
}

void Soak::fail(const QString& why)
{
    std::fprintf(stderr, "soak: FAILED at step %d: %s\n", m_step, qPrintable(why));
    printReplay();
    std::_Exit(1);
}

void Soak::printReplay() const
{
    std::fprintf(stderr, "soak: the last %zu actions:\n", m_history.size());
    for (const std::string& line : m_history)
        std::fprintf(stderr, "  %s\n", line.c_str());
    std::fprintf(stderr, "soak: step %d; replay with SOAK_SEED=%" PRIu64 " SOAK_ACTIONS=%d\n",
        m_step, uint64_t(m_seed), m_step + 1);
    std::fflush(stderr);
}

QString Soak::garbage(int longest)
{
    QString text;
    const int length = between(1, longest);
    for (int i = 0; i < length; ++i) {
        switch (below(4)) {
        case 0:
            text += QChar(char16_t(between(0x20, 0x7e)));
            break;
        case 1:
            text += QChar(char16_t(between(0x3000, 0x9fff)));
            break;
        case 2:
            text += QChar(char16_t(between(0xff01, 0xff5e)));
            break;
        default:
            text += QLatin1Char("0123456789-. ,()[]e"[below(19)]);
            break;
        }
    }
    return text;
}

QString Soak::indexText()
{
    static const QStringList odd = { "", " ", "0", "-0", "+1", "2.5", "-2.5", ".5", "2.", "1e3",
        "1e300", "1e400", "-1e400", "inf", "-inf", "nan", "32767", "-32767", "-32768", "32768",
        "65535", "-65536", "99999999999999999999", "0x10", "1,000", "--1", "1e", "abc",
        QStringLiteral("\u22127"), QStringLiteral("一"), QStringLiteral("\u3000"), "\t3",
        "0.999999999", "-0.5", "4.9e-324", "1.7976931348623157e308" };
    const int roll = below(100);
    if (roll < 55)
        return QString::number(between(-6, 6));
    if (roll < 65)
        return QString::number(between(-200, 200));
    if (roll < 72)
        return fullWidth(QString::number(between(-9, 9)));
    if (roll < 78)
        return QString::number(uniform(-10, 10), 'f', between(1, 3));
    if (roll < 92)
        return odd[below(int(odd.size()))];
    return garbage(40);
}

// Mostly crystals the dialog takes; now and then lengths and angles that
// make no cell, directions that are no direction, or extreme values.
Crystal Soak::randomFree(bool* made)
{
    static constexpr LatticeSystem Systems[] = { LatticeSystem::Cubic, LatticeSystem::Tetragonal,
        LatticeSystem::Orthorhombic, LatticeSystem::Hexagonal, LatticeSystem::Trigonal,
        LatticeSystem::Monoclinic, LatticeSystem::Triclinic };
    const LatticeSystem system = Systems[below(7)];
    LatticeParameters p;
    if (chance(20)) {
        p = CrystalPresets()[std::size_t(below(int(CrystalPresets().size())))].parameters;
    } else {
        p = { uniform(1, 12), uniform(1, 12), uniform(1, 12), uniform(60, 120), uniform(60, 120),
            uniform(60, 120) };
    }
    if (chance(10)) {
        double* fields[] = { &p.a, &p.b, &p.c, &p.alpha, &p.beta, &p.gamma };
        const double odd[] = { 0.0, -1.0, 1e-300, 1e300, 180.0, 0.0, 179.999, 0.001, 1e-9,
            std::nan(""), INFINITY };
        *fields[below(6)] = odd[below(int(std::size(odd)))];
    }
    const auto direction = [this] {
        if (chance(70))
            return Vector3 { double(between(-3, 3)), double(between(-3, 3)),
                double(between(-3, 3)) };
        return Vector3 { uniform(-5, 5), uniform(-5, 5), uniform(-5, 5) };
    };
    const Vector3 centre = chance(3) ? Vector3 { 0, 0, 0 } : direction();
    Vector3 up = chance(5) ? centre : direction();
    const NetOptions net { chance(80) ? between(1, 4) : between(5, 10), chance(70), chance(20) };
    const std::variant<Lattice, QString> lattice = Lattice::Make(system, p);
    if (chance(30) && std::holds_alternative<Lattice>(lattice) && Norm(centre) > 0)
        up = DefaultUp(std::get<Lattice>(lattice), centre);
    std::variant<Crystal, QString> settings = Crystal::Make(system, p, centre, up, net);
    *made = std::holds_alternative<Crystal>(settings);
    note(QStringLiteral(" system %1 a %2 b %3 c %4 α %5 β %6 γ %7 centre [%8 %9 %10] limit %11")
             .arg(int(system))
             .arg(p.a)
             .arg(p.b)
             .arg(p.c)
             .arg(p.alpha)
             .arg(p.beta)
             .arg(p.gamma)
             .arg(centre[0])
             .arg(centre[1])
             .arg(centre[2])
             .arg(net.limit));
    if (!*made) {
        note(QStringLiteral(" (refused: %1)").arg(std::get<QString>(settings)));
        return {};
    }
    return std::get<Crystal>(settings);
}

QPoint Soak::picturePoint()
{
    m_aimed = false;
    const int count = m_state.store.PoleCount();
    // On a mark, so that clicks pick and the tool tip names poles.
    if (count > 0 && chance(40)) {
        const TwipsPoint at = Place(m_state.scene.projector(), m_state.store.at(below(count))).at;
        if (std::isfinite(at.x) && std::isfinite(at.y) && std::fabs(at.x) < 1e6
            && std::fabs(at.y) < 1e6) {
            m_aimed = chance(50);
            const int jitter = m_aimed ? 0 : 3;
            return QPoint(
                int(std::floor(at.x / PictureSize::TwipsPerPixel)) + between(-jitter, jitter),
                int(std::floor(at.y / PictureSize::TwipsPerPixel)) + between(-jitter, jitter));
        }
    }
    if (chance(5))
        return QPoint(between(-50, PictureSize::WidthPixels + 50),
            between(-50, PictureSize::HeightPixels + 50));
    return QPoint(below(PictureSize::WidthPixels), below(PictureSize::HeightPixels));
}

void Soak::type(QWidget* widget, const QString& text)
{
    const bool ascii
        = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 128; });
    if (ascii && !text.contains(u'\t')) {
        QTest::keyClicks(widget, text);
        return;
    }
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(widget, &commit);
}

void Soak::process()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::vector<bool> Soak::marks() const
{
    std::vector<bool> out;
    for (const QAction* item : m_viewItems)
        out.push_back(item->isChecked());
    out.push_back(m_direction->isChecked());
    out.push_back(m_direction->isEnabled());
    return out;
}

Snapshot Soak::snapshot() const
{
    Snapshot s;
    s.entries = m_state.store.entries();
    s.indexList = m_lists[0]->toPlainText();
    s.angleList = m_lists[1]->toPlainText();
    s.marks = marks();
    s.plotSize = m_plotSize->currentText();
    s.lineWidth = m_lineWidth->currentText();
    s.display = m_state.display;
    s.freeChosen = m_state.scene.isFree();
    s.free = m_state.free;
    s.row = m_state.scene.row;
    s.picked = m_form->pickedPole();
    s.picture = m_form->surface().image();
    return s;
}

void Soak::expectUnchanged(const Snapshot& before, const QString& what)
{
    const Snapshot after = snapshot();
    if (after == before)
        return;
    QStringList changed;
    if (after.entries != before.entries)
        changed
            << QStringLiteral("store %1 → %2").arg(before.entries.size()).arg(after.entries.size());
    if (after.indexList != before.indexList || after.angleList != before.angleList)
        changed << QStringLiteral("lists");
    if (after.marks != before.marks)
        changed << QStringLiteral("check marks");
    if (after.plotSize != before.plotSize || after.lineWidth != before.lineWidth
        || after.display != before.display)
        changed << QStringLiteral("settings");
    if (after.freeChosen != before.freeChosen || !(after.free == before.free)
        || after.row != before.row)
        changed << QStringLiteral("view");
    if (after.picked != before.picked)
        changed << QStringLiteral("pick");
    if (after.picture != before.picture)
        changed << QStringLiteral("picture");
    fail(what + QStringLiteral(" changed: ") + changed.join(QStringLiteral(", ")));
}

IndexKind Soak::plottedKind() const
{
    return m_state.scene.isFree() && m_direction->isChecked() ? IndexKind::Direction
                                                              : IndexKind::Plane;
}

int Soak::run()
{
    qInstallMessageHandler(recordMessage);
    SOAK_CHECK(m_dir.isValid(), QStringLiteral("no temporary folder"));
    m_form = std::make_unique<frmMainForm>(m_state, m_dialogs);
    m_form->show();
    SOAK_CHECK(
        QTest::qWaitForWindowExposed(m_form.get()), QStringLiteral("the window did not show"));
    m_boxes = { child<QLineEdit>("txtAxisX"), child<QLineEdit>("txtAxisY"),
        child<QLineEdit>("txtAxisZ") };
    m_lists = { child<QPlainTextEdit>("txtIndexList"), child<QPlainTextEdit>("txtAngleList") };
    m_plotSize = child<QComboBox>("cboPlotSize");
    m_lineWidth = child<QComboBox>("cboLineWidth");
    m_picture = child<PictureBox>("picPictureBox");
    m_direction = child<QAction>("mnuEditDirection");
    for (const char* name : { "mnuSelectCubeSym", "mnuSelectCubeNonSym", "mnuSelectHexSym",
             "mnuSelectHexNonSym", "mnuSelectFree" })
        m_viewItems << child<QAction>(name);
    // Files that cannot be written: a missing folder, and a folder that is a file.
    QFile plain(m_dir.filePath(QStringLiteral("plain")));
    SOAK_CHECK(plain.open(QIODevice::WriteOnly) && plain.write("plain") == 5,
        QStringLiteral("cannot write %1").arg(plain.fileName()));
    plain.close();

    m_redraws = m_form->fullRedrawCount();
    m_shown = { m_state.scene, m_state.display };
    std::printf("soak: seed %" PRIu64 ", %d actions\n", uint64_t(m_seed), m_actions);
    std::fflush(stdout);

    QElapsedTimer clock;
    clock.start();
    const int progressEvery = std::max(1000, m_actions / 20);
    for (m_step = 0; m_step < m_actions; ++m_step) {
        int roll = below(m_weightTotal);
        int kind = 0;
        while (roll >= Kinds[std::size_t(kind)].weight)
            roll -= Kinds[std::size_t(kind++)].weight;
        m_pictureChanged = false;
        m_history.push_back(std::to_string(m_step) + " " + Kinds[std::size_t(kind)].name);
        if (m_history.size() > 40)
            m_history.pop_front();
        const qint64 started = clock.nsecsElapsed();
        act(Kind(kind));
        process();
        ++m_counts[std::size_t(kind)];

        if (!g_warnings.isEmpty())
            fail(QStringLiteral("Qt warned: ") + g_warnings.join(QStringLiteral(" | ")));
        if (m_form->fullRedrawCount() != m_redraws || m_pictureChanged) {
            m_redraws = m_form->fullRedrawCount();
            m_shown = { m_state.scene, m_state.display };
            m_listsTyped = false;
        }
        checkInvariants();
        if ((m_step + 1) % PictureCheckEvery == 0)
            checkPicture();
        m_nanoseconds[std::size_t(kind)] += clock.nsecsElapsed() - started;
        if ((m_step + 1) % progressEvery == 0) {
            std::printf("soak: %d actions, %.0f s, store %d\n", m_step + 1,
                double(clock.elapsed()) / 1000.0, int(m_state.store.PoleCount()));
            std::fflush(stdout);
        }
    }
    checkPicture();
    const double seconds = double(clock.elapsed()) / 1000.0;
    m_form.reset();
    process();

    std::printf("soak: %d actions in %.1f s (seed %" PRIu64 "), peak resident memory %.1f MB\n",
        m_actions, seconds, uint64_t(m_seed), double(peakResidentKb()) / 1024.0);
    std::printf("soak: actions by kind, and the seconds they took with their checks:\n");
    for (std::size_t k = 0; k < Kinds.size(); ++k)
        std::printf(
            "  %-28s %8d %9.1f s\n", Kinds[k].name, m_counts[k], double(m_nanoseconds[k]) / 1e9);
    std::printf("soak: passed\n");
    return 0;
}

void Soak::act(Kind kind)
{
    switch (kind) {
    case TypeIndex: {
        QLineEdit* box = m_boxes[std::size_t(below(3))];
        const QString text = indexText();
        note(QStringLiteral(" %1 \"%2\"").arg(box->objectName(), text.left(30)));
        if (chance(50)) {
            box->setText(text);
        } else {
            box->selectAll();
            if (chance(15))
                QTest::keyClick(box, Qt::Key_Backspace);
            type(box, text);
        }
        break;
    }
    case DrawButton:
    case EnterInBox:
    case DrawMenu:
        plot(kind);
        break;
    case PlotBurst: {
        // Planes typed one after another, as a user fills a plot.
        const int plots = between(2, 12);
        note(QStringLiteral(" %1").arg(plots));
        for (int n = 0; n < plots; ++n) {
            for (QLineEdit* box : m_boxes) {
                box->selectAll();
                type(box, QString::number(between(-4, 4)));
            }
            plot(EnterInBox);
        }
        break;
    }
    case Clear:
        if (chance(50))
            child<QPushButton>("cmdClear")->click();
        else
            child<QAction>("mnuEditCls")->trigger();
        m_pictureChanged = true;
        SOAK_CHECK(m_state.store.PoleCount() == 0, QStringLiteral("a clear left entries"));
        break;
    case Copy:
        copy();
        break;
    case ChooseDocumented: {
        const int row = below(4);
        note(QStringLiteral(" %1").arg(row));
        m_viewItems[row]->trigger();
        SOAK_CHECK(
            m_state.scene.row == &DocumentedViews()[std::size_t(row)] && !m_state.scene.isFree(),
            QStringLiteral("the view chosen is not shown"));
        SOAK_CHECK(m_state.store.PoleCount() == 0 && m_plotSize->currentText() == u"30",
            QStringLiteral("a new view kept entries or the plot size"));
        break;
    }
    case ChooseFree: {
        bool made = false;
        const Crystal settings = randomFree(&made);
        chooseFree(made && chance(90) ? std::optional(settings) : std::nullopt);
        break;
    }
    case CrystalDialog:
        crystalDialog();
        break;
    case PointerMove: {
        const QPoint at = picturePoint();
        note(QStringLiteral(" (%1, %2)").arg(at.x()).arg(at.y()));
        QMouseEvent move(QEvent::MouseMove, QPointF(at), m_picture->mapToGlobal(QPointF(at)),
            Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_picture, &move);
        if (chance(10)) {
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(m_picture, &leave);
        }
        break;
    }
    case Click: {
        const QPoint at = picturePoint();
        note(QStringLiteral(" (%1, %2)").arg(at.x()).arg(at.y()));
        const Qt::MouseButton button = chance(90) ? Qt::LeftButton : Qt::RightButton;
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at),
            m_picture->mapToGlobal(QPointF(at)), button, button, Qt::NoModifier);
        QCoreApplication::sendEvent(m_picture, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at),
            m_picture->mapToGlobal(QPointF(at)), button, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_picture, &release);
        // A click in a mark's own pixel picks a pole whose mark reaches it.
        if (m_aimed && button == Qt::LeftButton) {
            const int picked = m_form->pickedPole();
            SOAK_CHECK(picked >= 0, QStringLiteral("a click on a mark picked nothing"));
            const TwipsPoint pole = Place(m_state.scene.projector(), m_state.store.at(picked)).at;
            const double reach = m_state.display.plotSize
                + m_state.display.lineWidth * PictureSize::TwipsPerPixel / 2.0;
            const double dx = pole.x - (at.x() + 0.5) * PictureSize::TwipsPerPixel;
            const double dy = pole.y - (at.y() + 0.5) * PictureSize::TwipsPerPixel;
            SOAK_CHECK(std::hypot(dx, dy) <= reach,
                QStringLiteral("the pole picked lies %1 twips off").arg(std::hypot(dx, dy)));
        }
        break;
    }
    case Drag: {
        QPoint at = picturePoint();
        note(QStringLiteral(" from (%1, %2)").arg(at.x()).arg(at.y()));
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at),
            m_picture->mapToGlobal(QPointF(at)), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_picture, &press);
        const int moves = between(1, 6);
        for (int n = 0; n < moves; ++n) {
            at += QPoint(between(-60, 60), between(-60, 60));
            QMouseEvent move(QEvent::MouseMove, QPointF(at), m_picture->mapToGlobal(QPointF(at)),
                Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(m_picture, &move);
        }
        note(QStringLiteral(" to (%1, %2)").arg(at.x()).arg(at.y()));
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at),
            m_picture->mapToGlobal(QPointF(at)), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_picture, &release);
        break;
    }
    case TurnKey: {
        static constexpr Qt::Key Keys[] = { Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down,
            Qt::Key_BracketLeft, Qt::Key_BracketRight, Qt::Key_Escape, Qt::Key_A };
        const Qt::Key key = Keys[below(int(std::size(Keys)))];
        const Qt::KeyboardModifiers modifiers = chance(30) ? Qt::ShiftModifier : Qt::NoModifier;
        note(QStringLiteral(" %1%2")
                 .arg(modifiers != Qt::NoModifier ? QStringLiteral("shift+") : QString())
                 .arg(int(key), 0, 16));
        QTest::keyClick(m_picture, key, modifiers);
        if (key == Qt::Key_Escape)
            SOAK_CHECK(m_form->pickedPole() == -1, QStringLiteral("Escape left a pick"));
        break;
    }
    case ListKeys: {
        static constexpr Qt::Key Keys[] = { Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp,
            Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_Right };
        QPlainTextEdit* list = m_lists[std::size_t(below(2))];
        const int presses = between(1, 5);
        for (int n = 0; n < presses; ++n) {
            Qt::KeyboardModifiers modifiers = Qt::NoModifier;
            if (chance(20))
                modifiers |= Qt::ShiftModifier;
            if (chance(15))
                modifiers |= Qt::ControlModifier;
            QTest::keyClick(list, Keys[below(int(std::size(Keys)))], modifiers);
        }
        note(QStringLiteral(" %1").arg(list->objectName()));
        break;
    }
    case ListTyping: {
        QPlainTextEdit* list = m_lists[std::size_t(below(2))];
        note(QStringLiteral(" %1").arg(list->objectName()));
        switch (below(4)) {
        case 0:
            type(list, indexText());
            break;
        case 1:
            QTest::keyClick(list, chance(50) ? Qt::Key_Return : Qt::Key_Backspace);
            break;
        case 2:
            QTest::keyClick(list, Qt::Key_Delete);
            break;
        default: {
            QTextCursor cursor(list->document());
            const int length = list->document()->characterCount() - 1;
            cursor.setPosition(below(length + 1));
            if (chance(30))
                cursor.setPosition(
                    std::min(length, cursor.position() + below(40)), QTextCursor::KeepAnchor);
            cursor.insertText(chance(50) ? garbage(20) : QStringLiteral("(1 0 0)\n"));
            break;
        }
        }
        m_listsTyped = true;
        break;
    }
    case PlotSize: {
        if (chance(60)) {
            const int index = below(m_plotSize->count());
            note(QStringLiteral(" item %1").arg(index));
            m_plotSize->setCurrentIndex(index);
            emit m_plotSize->activated(index);
        } else {
            const Qt::Key key = chance(50) ? Qt::Key_Down : Qt::Key_Up;
            note(QStringLiteral(" key %1").arg(int(key), 0, 16));
            QTest::keyClick(m_plotSize, key);
        }
        break;
    }
    case LineWidthPick: {
        const int index = below(m_lineWidth->count());
        note(QStringLiteral(" item %1").arg(index));
        if (chance(50)) {
            m_lineWidth->setCurrentIndex(index);
            emit m_lineWidth->activated(index);
        } else {
            QTest::keyClick(m_lineWidth, chance(50) ? Qt::Key_Down : Qt::Key_Up);
        }
        break;
    }
    case LineWidthTyped: {
        static const QStringList widths
            = { "1", "2", "3", "5", "10", "0", "99", "100", "101", "999", "", "007" };
        const QString text = chance(60) ? widths[below(int(widths.size()))] : garbage(6);
        note(QStringLiteral(" \"%1\"").arg(text));
        m_lineWidth->lineEdit()->selectAll();
        if (text.isEmpty())
            QTest::keyClick(m_lineWidth->lineEdit(), Qt::Key_Backspace);
        else
            type(m_lineWidth->lineEdit(), text);
        if (chance(20))
            QTest::keyClick(m_lineWidth->lineEdit(), Qt::Key_Return);
        break;
    }
    case DirectionToggle: {
        const bool was = m_direction->isChecked();
        m_direction->trigger();
        note(QStringLiteral(" now %1").arg(m_direction->isChecked()));
        SOAK_CHECK(m_direction->isEnabled() ? m_direction->isChecked() != was
                                            : m_direction->isChecked() == was,
            QStringLiteral("the direction item did not toggle as enabled"));
        break;
    }
    case SaveSession:
        saveSession();
        break;
    case SavePicture:
        savePicture();
        break;
    case SaveList:
        saveList();
        break;
    case SaveFailing:
        saveFailing();
        break;
    case OpenSaved:
        openSaved();
        break;
    case OpenMangled:
        openMangled();
        break;
    case OpenCancelledOrMissing:
        if (chance(50)) {
            const Snapshot before = snapshot();
            m_dialogs.clear();
            child<QAction>(chance(50) ? "mnuFileOpen" : "mnuFileSaveAsSession")->trigger();
            SOAK_CHECK(
                m_dialogs.messages.isEmpty(), QStringLiteral("a cancelled dialog said something"));
            expectUnchanged(before, QStringLiteral("a cancelled dialog"));
        } else {
            openFile(m_dir.filePath(QStringLiteral("missing-%1.orvandeler").arg(m_step)), nullptr);
        }
        break;
    case FillStore:
        fillStore();
        break;
    case VersionDialog:
        versionDialog();
        break;
    case Expose: {
        QExposeEvent expose(QRegion(m_form->rect()));
        QCoreApplication::sendEvent(m_form->windowHandle(), &expose);
        break;
    }
    case CloseAndShow:
        closeAndShow();
        break;
    case KindCount:
        break;
    }
}

void Soak::plot(Kind kind)
{
    const QString x = m_boxes[0]->text(), y = m_boxes[1]->text(), z = m_boxes[2]->text();
    note(QStringLiteral(" (%1 | %2 | %3)").arg(x.left(20), y.left(20), z.left(20)));
    PoleStore expected = m_state.store;
    const DrawCommandResult result
        = RunDrawCommand(x, y, z, m_state.scene.crystal, expected, plottedKind());
    const Snapshot before = snapshot();
    m_dialogs.clear();
    if (kind == DrawButton)
        child<QPushButton>("cmdDraw")->click();
    else if (kind == EnterInBox)
        QTest::keyClick(m_boxes[std::size_t(below(3))], Qt::Key_Return);
    else
        child<QAction>("mnuEditDraw")->trigger();
    SOAK_CHECK(m_dialogs.messages == result.messages,
        QStringLiteral("the plot said \"%1\", not \"%2\"")
            .arg(m_dialogs.messages.join(u'|'), result.messages.join(u'|')));
    SOAK_CHECK(m_state.store.entries() == expected.entries(),
        QStringLiteral("the plot stored other entries"));
    if (!result.added)
        expectUnchanged(before, QStringLiteral("a refused plot"));
}

void Soak::chooseFree(std::optional<Crystal> answer)
{
    const bool wasFree = m_state.scene.isFree();
    const int count = m_state.store.PoleCount();
    const Snapshot before = snapshot();
    m_dialogs.clear();
    m_dialogs.nextFreeView = answer;
    m_viewItems[4]->trigger();
    SOAK_CHECK(m_state.scene.isFree(), QStringLiteral("the free view is not chosen"));
    SOAK_CHECK(
        m_dialogs.freeViewDialogs.size() == 1, QStringLiteral("the crystal dialog was not asked"));
    // A crystal that cannot show an entry kept is refused.
    if (!m_dialogs.messages.isEmpty()) {
        SOAK_CHECK(wasFree && answer && m_dialogs.messages.size() == 1,
            QStringLiteral("choosing the free view said: %1").arg(m_dialogs.messages.join(u'|')));
        note(QStringLiteral(" refused: %1").arg(m_dialogs.messages[0]));
        expectUnchanged(before, QStringLiteral("a refused crystal"));
        return;
    }
    if (answer)
        SOAK_CHECK(m_state.free == *answer, QStringLiteral("the crystal answered is not shown"));
    SOAK_CHECK(m_state.store.PoleCount() == (wasFree ? count : 0),
        QStringLiteral("choosing the free view kept %1 of %2 entries")
            .arg(m_state.store.PoleCount())
            .arg(count));
}

// The dialog itself, fields typed at random: reading them never fails
// hard, OK takes only settings that make a view and otherwise says why.
void Soak::crystalDialog()
{
    frmCrystal dialog(m_state.free, m_form.get());
    dialog.setVisible(true);
    if (chance(40)) {
        auto* presets = dialog.findChild<QComboBox*>(QStringLiteral("cboPreset"));
        const int index = below(presets->count());
        presets->setCurrentIndex(index);
        emit presets->activated(index);
        note(QStringLiteral(" preset %1").arg(index));
    }
    if (chance(50)) {
        auto* systems = dialog.findChild<QComboBox*>(QStringLiteral("cboSystem"));
        if (chance(50))
            systems->setCurrentIndex(below(systems->count()));
        else
            QTest::keyClick(systems, chance(50) ? Qt::Key_Down : Qt::Key_Up);
        note(QStringLiteral(" system %1").arg(systems->currentIndex()));
    }
    static const char* const Fields[] = { "txtA", "txtB", "txtC", "txtAlpha", "txtBeta", "txtGamma",
        "txtCentreU", "txtCentreV", "txtCentreW", "txtUpU", "txtUpV", "txtUpW" };
    static const QStringList odd = { "", "0", "-1", "90", "180", "0.0001", "1e308", "1e400", "nan",
        "inf", QStringLiteral("１２０"), "abc", " 3 ", "120", "60", "-0" };
    const int typed = between(0, 5);
    for (int n = 0; n < typed; ++n) {
        auto* box = dialog.findChild<QLineEdit*>(QLatin1String(Fields[below(12)]));
        QString text;
        switch (below(4)) {
        case 0:
            text = QString::number(uniform(0.5, 15), 'g', 5);
            break;
        case 1:
            text = QString::number(between(-3, 3));
            break;
        case 2:
            text = odd[below(int(odd.size()))];
            break;
        default:
            text = garbage(10);
            break;
        }
        note(QStringLiteral(" %1=\"%2\"").arg(box->objectName(), text));
        box->setText(text);
    }
    if (chance(30))
        dialog.findChild<QSpinBox*>(QStringLiteral("spnLimit"))->setValue(between(0, 11));
    if (chance(30))
        dialog.findChild<QCheckBox*>(QStringLiteral("chkZoneCircles"))->toggle();
    if (chance(30))
        dialog.findChild<QCheckBox*>(QStringLiteral("chkWulffNet"))->toggle();

    const std::variant<Crystal, QString> read = dialog.settings();
    const Crystal* made = std::get_if<Crystal>(&read);
    if (made) {
        const Vector3 centre = made->centre(), up = made->up();
        for (int k = 0; k < 3; ++k)
            SOAK_CHECK(std::isfinite(centre[k]) && std::isfinite(up[k]),
                QStringLiteral("the dialog's directions are not finite"));
    } else {
        SOAK_CHECK(
            !std::get<QString>(read).isEmpty(), QStringLiteral("a refusal without a reason"));
        note(QStringLiteral(" refused: %1").arg(std::get<QString>(read)));
    }

    // OK, as the user presses it: a refusal is a message box over the
    // dialog, which the user closes.
    if (chance(30)) {
        int boxes = 0;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&boxes] {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
                    ++boxes;
                    box->done(QMessageBox::Ok);
                }
        });
        closer.start(0);
        auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        ok->click();
        closer.stop();
        SOAK_CHECK(made ? dialog.result() == QDialog::Accepted && boxes == 0 && !dialog.isVisible()
                        : dialog.result() != QDialog::Accepted && boxes == 1 && dialog.isVisible(),
            QStringLiteral("OK in the dialog did not take or refuse its settings"));
    }
    dialog.setVisible(false);
    if (made && chance(50)) {
        note(QStringLiteral(" taken"));
        chooseFree(*made);
    }
}

void Soak::copy()
{
    m_dialogs.clear();
    if (chance(50))
        child<QPushButton>("cmdCopy")->click();
    else
        child<QAction>("mnuEditCopy")->trigger();
    SOAK_CHECK(m_dialogs.messages.size() == 1, QStringLiteral("the copy said nothing"));
    if (chance(50)) {
        note(QStringLiteral(" left unread"));
        return;
    }
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    SOAK_CHECK(data, QStringLiteral("nothing on the clipboard"));
    const QImage image = qvariant_cast<QImage>(data->imageData());
    SOAK_CHECK(image.size() == m_form->surface().image().size(),
        QStringLiteral("the copied bitmap is %1 × %2").arg(image.width()).arg(image.height()));
    const QByteArray svg = data->data(PictureMimeData::SvgType);
    SOAK_CHECK(svg.startsWith("<?xml") && svg.trimmed().endsWith("</svg>"),
        QStringLiteral("the copied SVG is not whole"));
    const QByteArray pdf = data->data(PictureMimeData::PdfType);
    SOAK_CHECK(pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF"),
        QStringLiteral("the copied PDF is not whole"));
    note(QStringLiteral(" svg %1 pdf %2 bytes").arg(svg.size()).arg(pdf.size()));
}

void Soak::keep(SavedFile file)
{
    // A file saved again holds only what was saved last.
    std::erase_if(m_saved, [&](const SavedFile& saved) { return saved.path == file.path; });
    m_saved.push_back(std::move(file));
    if (int(m_saved.size()) > SavedFilesKept) {
        QFile::remove(m_saved.front().path);
        m_saved.erase(m_saved.begin());
    }
}

// A name for a file of this extension: with it, in capitals, or without.
QString chosenName(const QString& base, const QString& extension, int roll)
{
    if (roll < 70)
        return base + u'.' + extension;
    if (roll < 80)
        return base + u'.' + extension.toUpper();
    return base;
}

void Soak::saveSession()
{
    QString path;
    m_dialogs.clear();
    if (chance(30)) {
        // Over the session's own file, or asked for one when it has none.
        const QString name = m_dir.filePath(QStringLiteral("session-%1").arg(++m_fileNumber));
        m_dialogs.nextFiles = { { name, 0 } };
        child<QAction>("mnuFileSave")->trigger();
        SOAK_CHECK(m_dialogs.saveDialogs.isEmpty() == !m_sessionPath.isEmpty(),
            QStringLiteral("上書き保存 asked %1 times with a session file \"%2\"")
                .arg(m_dialogs.saveDialogs.size())
                .arg(m_sessionPath));
        path = m_sessionPath.isEmpty() ? name + QStringLiteral(".orvandeler") : m_sessionPath;
        m_dialogs.nextFiles.clear();
    } else {
        const QString base = m_dir.filePath(QStringLiteral("session-%1").arg(++m_fileNumber));
        const QString name = chosenName(base, QStringLiteral("orvandeler"), below(100));
        m_dialogs.nextFiles = { { name, 0 } };
        child<QAction>("mnuFileSaveAsSession")->trigger();
        path = name == base ? base + QStringLiteral(".orvandeler") : name;
    }
    note(QStringLiteral(" %1").arg(QFileInfo(path).fileName()));
    SOAK_CHECK(m_dialogs.messages.isEmpty(),
        QStringLiteral("saving said: %1").arg(m_dialogs.messages.join(u'|')));
    m_sessionPath = path;
    const std::variant<OpenedWork, QString> again = OpenWorkFile(path, m_state);
    const OpenedWork* work = std::get_if<OpenedWork>(&again);
    SOAK_CHECK(work && work->session,
        QStringLiteral("the saved session does not open: %1")
            .arg(work ? QString() : std::get<QString>(again)));
    SOAK_CHECK(work->store.entries() == m_state.store.entries(),
        QStringLiteral("the saved session holds other entries"));
    SOAK_CHECK(
        work->display == m_state.display, QStringLiteral("the saved session holds other settings"));
    SOAK_CHECK(m_state.scene.isFree() ? work->free.has_value() : work->row == m_state.scene.row,
        QStringLiteral("the saved session holds another view"));
    keep({ path, FileType::Session, m_state.store.entries(), m_state.scene.row,
        m_state.scene.isFree(), m_state.scene.crystal.fourIndices(), m_state.display });
}

void Soak::savePicture()
{
    static const char* const Extensions[] = { "png", "svg", "pdf", "jpg" };
    static constexpr FileType Types[]
        = { FileType::Png, FileType::Svg, FileType::Pdf, FileType::Jpeg };
    const int filter = below(4);
    const QString base = m_dir.filePath(QStringLiteral("picture-%1").arg(++m_fileNumber));
    const QString name = chosenName(base, QLatin1String(Extensions[filter]), below(100));
    const QString path = name == base ? base + u'.' + QLatin1String(Extensions[filter]) : name;
    note(QStringLiteral(" %1").arg(QFileInfo(path).fileName()));
    m_dialogs.clear();
    m_dialogs.nextFiles = { { name, filter } };
    child<QAction>("mnuFileSaveAsPic")->trigger();
    SOAK_CHECK(m_dialogs.messages.isEmpty(),
        QStringLiteral("saving said: %1").arg(m_dialogs.messages.join(u'|')));
    QFile file(path);
    SOAK_CHECK(file.open(QIODevice::ReadOnly), QStringLiteral("the picture was not written"));
    const QByteArray bytes = file.readAll();
    if (filter == 0 || filter == 3) {
        QImage image;
        SOAK_CHECK(image.loadFromData(bytes) && image.width() > 2000,
            QStringLiteral("the saved bitmap does not load"));
    } else if (filter == 1) {
        SOAK_CHECK(bytes.startsWith("<?xml") && bytes.trimmed().endsWith("</svg>"),
            QStringLiteral("the saved SVG is not whole"));
    } else {
        SOAK_CHECK(bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF"),
            QStringLiteral("the saved PDF is not whole"));
    }
    keep({ path, Types[filter], {}, nullptr, false, false, {} });
}

void Soak::saveList()
{
    const bool angles = chance(40);
    const int filter = chance(70) ? 0 : 1;
    const QString extension = filter == 0 ? QStringLiteral("txt") : QStringLiteral("csv");
    const QString base = m_dir.filePath(
        QStringLiteral("%1-%2").arg(angles ? "angles" : "planes").arg(++m_fileNumber));
    const QString name = chosenName(base, extension, below(100));
    const QString path = name == base ? base + u'.' + extension : name;
    note(QStringLiteral(" %1").arg(QFileInfo(path).fileName()));
    m_dialogs.clear();
    m_dialogs.nextFiles = { { name, filter } };
    child<QAction>(angles ? "mnuFileSaveAsAngle" : "mnuFileSaveAsIndex")->trigger();
    SOAK_CHECK(m_dialogs.messages.isEmpty(),
        QStringLiteral("saving said: %1").arg(m_dialogs.messages.join(u'|')));
    QFile file(path);
    SOAK_CHECK(file.open(QIODevice::ReadOnly), QStringLiteral("the list was not written"));
    const QByteArray bytes = file.readAll();
    const qsizetype lines = bytes.count('\n');
    const int count = m_state.store.PoleCount();
    SOAK_CHECK(lines == count + (filter == 1 ? 1 : 0),
        QStringLiteral("the saved list has %1 lines for %2 entries").arg(lines).arg(count));
    const FileType type = filter == 1 ? FileType::Csv
        : angles                      ? FileType::AngleList
                                      : FileType::IndexList;
    if (type == FileType::IndexList && count > 0) {
        // It plots the same entries again in the same view.
        RunState empty;
        empty.scene = m_state.scene;
        empty.free = m_state.free;
        const std::variant<OpenedWork, QString> again = OpenWorkFile(path, empty);
        const OpenedWork* work = std::get_if<OpenedWork>(&again);
        SOAK_CHECK(work
                && SameAsListed(work->store.entries(), m_state.store.entries(),
                    m_state.scene.crystal.fourIndices()),
            QStringLiteral("the saved index list does not open to the same entries: %1")
                .arg(work ? QString() : std::get<QString>(again)));
    }
    keep({ path, type, m_state.store.entries(), m_state.scene.row, m_state.scene.isFree(),
        m_state.scene.crystal.fourIndices(), {} });
}

void Soak::saveFailing()
{
    const QString folder = chance(50) ? QStringLiteral("missing") : QStringLiteral("plain");
    const QString name = m_dir.filePath(folder + QStringLiteral("/x-%1").arg(m_step));
    static const char* const Items[] = { "mnuFileSaveAsSession", "mnuFileSaveAsPic",
        "mnuFileSaveAsIndex", "mnuFileSaveAsAngle" };
    const char* item = Items[below(4)];
    note(QStringLiteral(" %1 into %2").arg(QLatin1String(item), folder));
    const Snapshot before = snapshot();
    m_dialogs.clear();
    m_dialogs.nextFiles = { { name, below(2) } };
    child<QAction>(item)->trigger();
    SOAK_CHECK(m_dialogs.messages.size() == 1,
        QStringLiteral("a failed save said %1 things").arg(m_dialogs.messages.size()));
    expectUnchanged(before, QStringLiteral("a failed save"));
    SOAK_CHECK(!QFileInfo::exists(m_dir.filePath(QStringLiteral("missing"))),
        QStringLiteral("a failed save made a folder"));
}

void Soak::openSaved()
{
    if (m_saved.empty()) {
        openFile(m_dir.filePath(QStringLiteral("plain")), nullptr);
        return;
    }
    // Sessions most, since each replaces everything shown; a full one now
    // and then, since it takes a second or two.
    SavedFile saved = pick(m_saved);
    for (int tries = 0; tries < 3
         && (saved.type != FileType::Session || saved.entries.size() > 1000) && chance(70);
         ++tries)
        saved = pick(m_saved);
    openFile(saved.path, &saved);
}

void Soak::openMangled()
{
    if (m_saved.empty())
        return;
    const SavedFile& saved = pick(m_saved);
    QFile file(saved.path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QByteArray bytes = file.readAll();
    file.close();
    const int how = below(5);
    switch (how) {
    case 0: { // bytes flipped
        const int flips = between(1, 6);
        for (int n = 0; n < flips && !bytes.isEmpty(); ++n) {
            const qsizetype at = below(int(bytes.size()));
            bytes[at] = char(bytes[at] ^ char(1 << below(8)));
        }
        break;
    }
    case 1: // truncated
        bytes.truncate(below(int(bytes.size()) + 1));
        break;
    case 2: { // a stretch duplicated
        const qsizetype from = below(int(bytes.size()) + 1);
        const qsizetype length = below(int(std::min<qsizetype>(bytes.size() - from, 4000)) + 1);
        bytes.insert(from, bytes.mid(from, length));
        break;
    }
    case 3: { // lines shuffled
        QList<QByteArray> lines = bytes.split('\n');
        for (qsizetype n = lines.size() - 1; n > 0; --n)
            std::swap(lines[n], lines[below(int(n) + 1)]);
        bytes = lines.join('\n');
        break;
    }
    default: { // a line replaced by garbage
        QList<QByteArray> lines = bytes.split('\n');
        lines[below(int(lines.size()))] = garbage(30).toUtf8();
        bytes = lines.join('\n');
        break;
    }
    }
    // Sometimes read as the other kind of file.
    QString extension = QFileInfo(saved.path).suffix();
    if (chance(10))
        extension
            = extension == u"orvandeler" ? QStringLiteral("txt") : QStringLiteral("orvandeler");
    const QString path
        = m_dir.filePath(QStringLiteral("mangled-%1.%2").arg(m_step % 8).arg(extension));
    note(QStringLiteral(" %1 (way %2, from %3)")
             .arg(QFileInfo(path).fileName())
             .arg(how)
             .arg(QFileInfo(saved.path).fileName()));
    // A session opened from here and saved over is a saved file no more.
    std::erase_if(m_saved, [&](const SavedFile& kept) { return kept.path == path; });
    QFile out(path);
    SOAK_CHECK(
        out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(bytes) == bytes.size(),
        QStringLiteral("cannot write %1").arg(path));
    out.close();
    openFile(path, nullptr);
}

// Opens through the menu; what the file holds is worked out first by the
// same reading, and a file the window saved must open as it was saved.
void Soak::openFile(const QString& path, const SavedFile* saved)
{
    note(QStringLiteral(" open %1").arg(QFileInfo(path).fileName()));
    const std::variant<OpenedWork, QString> expected = OpenWorkFile(path, m_state);
    const Snapshot before = snapshot();
    m_dialogs.clear();
    m_dialogs.nextFiles = { { path, below(2) } };
    child<QAction>("mnuFileOpen")->trigger();
    if (const QString* why = std::get_if<QString>(&expected)) {
        note(QStringLiteral(" refused"));
        SOAK_CHECK(m_dialogs.messages == QStringList { *why },
            QStringLiteral("a refused open said \"%1\"").arg(m_dialogs.messages.join(u'|')));
        expectUnchanged(before, QStringLiteral("a refused open"));
        const bool mustOpen = saved
            && (saved->type == FileType::Session
                || (saved->type == FileType::IndexList && !saved->entries.empty()
                    && before.row == saved->row && before.freeChosen == saved->free
                    && m_state.scene.crystal.fourIndices() == saved->fourIndices
                    && before.entries.size() + saved->entries.size()
                        <= std::size_t(PoleStore::MaxPoles)));
        SOAK_CHECK(
            !mustOpen, QStringLiteral("a file the window saved does not open: %1").arg(*why));
        return;
    }
    const OpenedWork& work = std::get<OpenedWork>(expected);
    SOAK_CHECK(m_dialogs.messages.isEmpty(),
        QStringLiteral("opening said: %1").arg(m_dialogs.messages.join(u'|')));
    SOAK_CHECK(m_state.store.entries() == work.store.entries(),
        QStringLiteral("the opened file gave other entries"));
    if (work.session)
        m_sessionPath = path;
    m_pictureChanged = true;
    if (!saved)
        return;
    if (saved->type == FileType::Session) {
        SOAK_CHECK(m_state.store.entries() == saved->entries && m_state.scene.row == saved->row
                && m_state.scene.isFree() == saved->free,
            QStringLiteral("the session opened is not the one saved"));
        SOAK_CHECK(m_state.display == saved->display,
            QStringLiteral("the session's settings were not taken"));
    } else if (saved->type == FileType::IndexList && before.row == saved->row
        && before.freeChosen == saved->free) {
        std::vector<Entry> sum = before.entries;
        sum.insert(sum.end(), saved->entries.begin(), saved->entries.end());
        SOAK_CHECK(SameAsListed(m_state.store.entries(), sum, saved->fourIndices),
            QStringLiteral("the index list did not add its entries"));
    }
}

// Near the store's limit in one go, as opening a long index list does;
// now and then one more than fits, which is refused whole.
void Soak::fillStore()
{
    const int count = m_state.store.PoleCount();
    const int wanted = chance(20) ? PoleStore::MaxPoles + 1 - count
                                  : PoleStore::MaxPoles - between(0, 20) - count;
    if (wanted <= 0)
        return;
    QByteArray bytes;
    bytes.reserve(wanted * 12);
    for (int n = 0; n < wanted; ++n) {
        int h = between(-40, 40), k = between(-40, 40), l = between(-40, 40);
        if (h == 0 && k == 0 && l == 0)
            l = 1;
        bytes += QByteArray::number(h) + ' ' + QByteArray::number(k) + ' ' + QByteArray::number(l)
            + '\n';
    }
    const QString path = m_dir.filePath(QStringLiteral("many.txt"));
    QFile file(path);
    SOAK_CHECK(
        file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
        QStringLiteral("cannot write %1").arg(path));
    file.close();
    note(QStringLiteral(" %1 lines onto %2").arg(wanted).arg(count));
    openFile(path, nullptr);
}

void Soak::versionDialog()
{
    child<QAction>("mnuHelpVersion")->trigger();
    process();
    SOAK_CHECK(
        !m_form->isEnabled(), QStringLiteral("the window takes input under the version dialog"));
    QDialog* about = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible())
            about = dialog;
    SOAK_CHECK(about, QStringLiteral("no version dialog"));
    // The window's close box is refused meanwhile.
    if (chance(30)) {
        m_form->close();
        SOAK_CHECK(
            m_form->isVisible(), QStringLiteral("the window closed under the version dialog"));
    }
    switch (below(3)) {
    case 0:
        about->close();
        break;
    case 1:
        QTest::keyClick(about, Qt::Key_Escape);
        break;
    default:
        if (auto* ok = about->findChild<QPushButton*>())
            ok->click();
        else
            about->close();
        break;
    }
    process();
    SOAK_CHECK(m_form->isEnabled(), QStringLiteral("the window stays disabled"));
}

void Soak::closeAndShow()
{
    child<QAction>("mnuFileEnd")->trigger();
    SOAK_CHECK(!m_form->isVisible(), QStringLiteral("終了 left the window open"));
    m_form->show();
    SOAK_CHECK(
        QTest::qWaitForWindowExposed(m_form.get()), QStringLiteral("the window did not show"));
}

const PoleLists& Soak::expectedLists()
{
    // Entries' indices and angles do not depend on the orientation, so the
    // lines stay while the crystal turns. The entries themselves are
    // compared, not the store's epoch, which is the window's own bookkeeping.
    const Crystal& crystal = m_state.scene.crystal;
    const std::vector<Entry>& entries = m_state.store.entries();
    const bool sameView = m_listsLattice == crystal.lattice && m_listsRule == crystal.rule;
    if (sameView && entries == m_listsEntries)
        return m_listsExpected;
    const bool grown = sameView && entries.size() > m_listsEntries.size()
        && std::equal(m_listsEntries.begin(), m_listsEntries.end(), entries.begin());
    if (!grown)
        m_listsExpected = {};
    PoleLists lines
        = BuildLists(m_state.store, crystal.lattice, grown ? int(m_listsEntries.size()) : 0);
    m_listsExpected.indexList
        += lines.indexList.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_listsExpected.angleList
        += lines.angleList.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_listsEntries = entries;
    m_listsLattice = crystal.lattice;
    m_listsRule = crystal.rule;
    return m_listsExpected;
}

void Soak::checkInvariants()
{
    const int count = m_state.store.PoleCount();
    SOAK_CHECK(count >= 0 && count <= PoleStore::MaxPoles,
        QStringLiteral("the store holds %1").arg(count));
    SOAK_CHECK(m_form->pickedPole() >= -1 && m_form->pickedPole() < count,
        QStringLiteral("pole %1 is picked of %2").arg(m_form->pickedPole()).arg(count));
    SOAK_CHECK(m_form->isEnabled() && m_form->isVisible(),
        QStringLiteral("the window is disabled or hidden"));
    for (int k = 0; k < 4; ++k)
        SOAK_CHECK(m_viewItems[k]->isChecked()
                == (m_state.scene.row == &DocumentedViews()[std::size_t(k)]),
            QStringLiteral("the mark of view item %1 is wrong").arg(k));
    SOAK_CHECK(m_viewItems[4]->isChecked() == m_state.scene.isFree()
            && m_direction->isEnabled() == m_state.scene.isFree(),
        QStringLiteral("the free view's marks are wrong"));
    SOAK_CHECK(m_plotSize->findText(m_plotSize->currentText()) >= 0,
        QStringLiteral("the plot size shows \"%1\"").arg(m_plotSize->currentText()));
    static const QRegularExpression digits(QStringLiteral("^[0-9]{0,3}$"));
    SOAK_CHECK(digits.match(m_lineWidth->currentText()).hasMatch(),
        QStringLiteral("the line width holds \"%1\"").arg(m_lineWidth->currentText()));
    // However the crystal was turned, a turn it stays: a NaN from a drag
    // would go on drawing nothing, unnoticed by every other check.
    const Matrix3& turn = m_state.free.orientation.matrix();
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            SOAK_CHECK(std::fabs(Dot(turn.rows[i], turn.rows[j]) - (i == j ? 1.0 : 0.0)) < 1e-9,
                QStringLiteral("the crystal's orientation is no turn"));
    if (m_listsTyped)
        return;
    const PoleLists& expected = expectedLists();
    for (std::size_t k = 0; k < 2; ++k) {
        const QString shown = m_lists[k]->toPlainText();
        const QString& wanted = k == 0 ? expected.indexList : expected.angleList;
        SOAK_CHECK(shown.count(u'\n') == count,
            QStringLiteral("%1 has %2 lines for %3 entries")
                .arg(m_lists[k]->objectName())
                .arg(shown.count(u'\n'))
                .arg(count));
        SOAK_CHECK(shown == wanted,
            QStringLiteral("%1 is not the store's lines").arg(m_lists[k]->objectName()));
    }
}

void Soak::checkPicture()
{
    const PainterSurface& shown = m_form->surface();
    PainterSurface fresh(
        PictureSize::WidthTwips, PictureSize::HeightTwips, shown.image().devicePixelRatio());
    fresh.setBackground(shown.background());
    fresh.setInk(shown.ink());
    DrawPicture(fresh, m_shown, m_state.store);
    const QImage& a = shown.image();
    const QImage& b = fresh.image();
    SOAK_CHECK(a.size() == b.size(), QStringLiteral("the picture has another size"));
    const int differing = Pixels::DifferingPixels(a, b);
    // Both pictures stay behind, in the folder the soak was run from, to be
    // looked at.
    if (differing != 0) {
        a.save(QStringLiteral("soak-shown.png"));
        b.save(QStringLiteral("soak-whole-draw.png"));
    }
    SOAK_CHECK(differing == 0,
        QStringLiteral("the picture differs from a whole draw in %1 pixels (store %2)")
            .arg(differing)
            .arg(m_state.store.PoleCount()));
}

#if defined(__SANITIZE_ADDRESS__)
void printReplayOnDeath()
{
    if (g_soak)
        g_soak->printReplay();
}

#endif

} // namespace

#if defined(__SANITIZE_ADDRESS__)
// The same options when the soak is run by hand, to replay a seed; the
// environment's own still win.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=1:abort_on_error=1:halt_on_error=1:handle_abort=1";
}
extern "C" const char* __ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1:abort_on_error=1";
}
#endif

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // 終了 hides the window, which the soak then shows again.
    app.setQuitOnLastWindowClosed(false);
    bool ok = true;
    const uint64_t seed = qEnvironmentVariableIsSet("SOAK_SEED")
        ? uint64_t(qEnvironmentVariable("SOAK_SEED").toULongLong(&ok))
        : 7125;
    bool countOk = true;
    const int actions = qEnvironmentVariableIsSet("SOAK_ACTIONS")
        ? qEnvironmentVariable("SOAK_ACTIONS").toInt(&countOk)
        : 20000;
    if (!ok || !countOk || actions < 0) {
        std::fprintf(stderr, "soak: SOAK_SEED and SOAK_ACTIONS must be whole numbers\n");
        return 2;
    }
    Soak soak(seed, actions);
    g_soak = &soak;
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(printReplayOnDeath);
#endif
    const int status = soak.run();
    g_soak = nullptr;
    return status;
}
