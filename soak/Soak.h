#pragma once

// The soak: random user actions on the real window, each followed by the
// checks that must hold whatever the user did. Its model (the random
// choices and what the soak knows of the window), its actions and its
// invariants live in rooms of their own; main.cpp drives them.

#include "Pixels.h"
#include "RecordingUserDialogs.h"
#include "app/PictureBox.h"
#include "app/ResultListBox.h"
#include "app/frmMainForm.h"
#include "crystal/LowIndex.h"
#include "crystal/Presets.h"
#include "files/FileAccess.h"
#include "freeview/frmCrystal.h"
#include "freeview/frmOrientation.h"
#include "orientation/TwoPoles.h"
#include "painting/PainterSurface.h"
#include "painting/PictureMimeData.h"
#include "plotting/CheckIndex.h"
#include "plotting/DisplayText.h"
#include "plotting/DrawCommand.h"
#include "poles/EntryGeometry.h"
#include "poles/PoleLists.h"
#include "projection/Facing.h"
#include "run/RunState.h"
#include "run/Work.h"
#include "scene/DrawPicture.h"
#include "surface/PictureSize.h"

#include <QAccessible>
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
#include <QTreeWidget>
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
    FamilyToggle,
    SaveSession,
    SavePicture,
    SaveList,
    SaveFailing,
    OpenSaved,
    OpenMangled,
    OpenCancelledOrMissing,
    FillStore,
    VersionDialog,
    OrientationWindow,
    SecondCrystalAction,
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
    { "family toggle", 30 },
    { "save session", 24 },
    { "save picture", 6 },
    { "save list", 20 },
    { "save failing", 12 },
    { "open saved", 50 },
    { "open mangled", 40 },
    { "open cancelled or missing", 8 },
    { "fill store", 1 },
    { "version dialog", 10 },
    { "orientation window", 40 },
    { "second crystal", 24 },
    { "expose", 30 },
    { "close and show", 4 },
} };

// Every so many actions the persistent picture is compared with a whole draw.
constexpr int PictureCheckEvery = 250;
// The saved files kept to open again; older ones are removed.
constexpr int SavedFilesKept = 40;

enum class SavedKind { Session, IndexList, AngleList, Csv, Png, Svg, Pdf, Jpeg };

// A file the window saved, and what it held.
struct SavedFile
{
    QString path;
    SavedKind type;
    std::vector<Entry> entries;
    const ViewRow* row = nullptr;
    bool free = false;
    bool fourIndices = false;
    DisplaySettings display;
    // An index list with the second crystal's entries: whether it wrote
    // them in four indices.
    std::optional<bool> secondFourIndices = std::nullopt;
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

// A text with its digits, minus and point in their full-width forms.
QString FullWidth(const QString& text);
// Whether two stores are listed alike. A direction in four indices stands
// for [U V W] and for [3U 3V 3W] alike where U + V is no multiple of 3, and
// an index list gives back the smaller; every other entry must be the same.
bool SameAsListed(const std::vector<Entry>& a, const std::vector<Entry>& b, bool fourIndices);
// The entries as a session keeps them: the first crystal's, then the second's.
std::vector<Entry> Grouped(std::vector<Entry> entries);
PoleStore GroupedStore(const PoleStore& store);
// The most memory the process has held, in kilobytes.
qint64 PeakResidentKb();
// A name for a file of this extension: with it, in capitals, or without.
QString ChosenName(const QString& base, const QString& extension, int roll);

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
    ReadFunction plottedWith() const;

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
    void orientationWindow();
    void secondCrystal();
    // The crystal the index boxes plot into.
    Crystal targetCrystal();
    int8_t target();
    // A number as the orientation window's fields might be given one.
    QString angleText(double low, double high);
    void closeAndShow();
    void keep(SavedFile file);

    void checkInvariants();
    // A saved session, opened as the window opens it, gives the lists the
    // window shows and its picture: exactly, or but for the rounding of a
    // turned crystal's centre and up.
    void checkReopened(const OpenedWork& work);
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
    std::array<ResultListBox*, 2> m_lists {};
    QComboBox* m_plotSize = nullptr;
    QComboBox* m_lineWidth = nullptr;
    PictureBox* m_picture = nullptr;
    QAction* m_direction = nullptr;
    QAction* m_family = nullptr;
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
    std::optional<Lattice> m_listsSecond;
    IndexRule m_listsRule = IndexRule::AsTyped;
    PoleLists m_listsExpected;
    // The file 上書き保存 writes, once a session was saved or opened.
    QString m_sessionPath;
    // Whether the soak has written over that file since the window last
    // opened or saved it, so that 上書き保存 must ask.
    bool m_sessionChanged = false;
};
