#include "app/frmMainForm.h"

#include "app/EditCommands.h"
#include "app/FileDrop.h"
#include "app/KeptSettings.h"
#include "app/PictureBox.h"
#include "app/RecentFiles.h"
#include "app/ResultListBox.h"
#include "app/SideWindows.h"
#include "app/UserDialogs.h"
#include "app/WorkHistory.h"
#include "painting/PictureMimeData.h"
#include "plotting/DrawCommand.h"
#include "reading/PictureReader.h"
#include "run/RunState.h"
#include "run/Work.h"
#include "ui/AppIcon.h"
#include "ui/FormFont.h"
#include "ui/Layout.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWindow>

#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <cmath>

namespace {

const QString CopiedMessage = QStringLiteral("クリップボードにコピーしました");

// Black on a light base, as the picture has always been drawn; on a dark
// base the palette's own text colour, which is meant to be read on it.
QColor InkFor(const QPalette& palette)
{
    return palette.color(QPalette::Base).lightness() < 128 ? palette.color(QPalette::Text)
                                                           : QColor(Qt::black);
}

} // namespace

frmMainForm::frmMainForm(RunState& state, UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent,
        Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint
            | Qt::CustomizeWindowHint)
    , m_state(state)
    , m_dialogs(dialogs)
    , m_surface(Layout::picPictureBox.width, Layout::picPictureBox.height, devicePixelRatioF())
    , m_picture(m_surface, m_placements)
    , m_files(state, dialogs, *this)
{
    setObjectName(QStringLiteral("frmMainForm"));
    setWindowTitle(QStringLiteral("Orvandel"));
    setWindowIcon(AppIcon());
    setFont(FormFont(DefaultPointSize, false));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    const QSize documented = Layout::ToPixels(Layout::ClientWidth, Layout::ClientHeight);
    client->setMinimumSize(documented);
    client->resize(documented);
    setCentralWidget(client);
    m_controls = std::make_unique<MainControls>(client, m_surface);
    m_menus = std::make_unique<MainMenus>(menuBar(), font());
    applyPalette();
    m_lists = new ResultLists(m_controls->txtIndexList, m_controls->txtAngleList);
    m_reading
        = new PictureReading(m_state, m_controls->picPictureBox, m_surface, *m_lists, m_placements);
    m_turner = new PictureTurner(*this, this);
    m_orientation = new OrientationCommands(m_state, m_dialogs, m_menus->mnuEditOrientation, this);
    // What the orientation window sets is a step of its own, never part of
    // the last drag.
    connect(m_orientation, &OrientationCommands::reoriented, this,
        [this](const HeldOrientation& orientation) { reorient(orientation, 0); });
    connect(this, &frmMainForm::sceneShown, m_orientation, &OrientationCommands::follow);
    m_side = new SideWindows(this, m_state, *m_reading);
    connect(this, &frmMainForm::sceneShown, m_side, &SideWindows::sceneShown);
    m_history = new WorkHistory(m_state, this);
    m_recent = new RecentFiles(m_menus->mnuFileRecent, m_dialogs, this);
    m_second = new SecondCrystalCommands(m_state, *m_history, m_dialogs, *m_menus, client, this);
    connect(this, &frmMainForm::sceneShown, m_second, &SecondCrystalCommands::sceneShown);
    connect(m_second, &SecondCrystalCommands::targetChanged, this, &frmMainForm::showViewChoice);
    // A file dropped on the window opens as 開く opens it.
    connect(new FileDrop(this), &FileDrop::dropped, this, &frmMainForm::openFile);
    connectControls();
    connectMenus();

    // The documented client area lies below the menu bar; it is where the
    // window starts and the least it may be.
    menuBar()->setNativeMenuBar(false);
    const QSize start(documented.width(), documented.height() + menuBar()->sizeHint().height());
    setMinimumSize(start);
    resize(start);

    Form_Load();
}

frmMainForm::~frmMainForm() = default;

void frmMainForm::connectControls()
{
    const MainControls& c = *m_controls;
    // Enter in an index box draws, as the button does.
    for (QLineEdit* box : { c.txtAxisX, c.txtAxisY, c.txtAxisI, c.txtAxisZ })
        connect(box, &QLineEdit::returnPressed, this, &frmMainForm::cmdDraw_Click);
    connect(c.cmdDraw, &QPushButton::clicked, this, &frmMainForm::cmdDraw_Click);
    connect(c.cmdClear, &QPushButton::clicked, this, &frmMainForm::cmdClear_Click);
    connect(c.cmdCopy, &QPushButton::clicked, this, &frmMainForm::cmdCopy_Click);
    // activated is the user's pick only; a selection made by code stays
    // silent. A pick of either list redraws.
    connect(c.cboPlotSize, &QComboBox::activated, this, &frmMainForm::FullRedraw);
    connect(c.cboLineWidth, &QComboBox::activated, this, &frmMainForm::FullRedraw);
    connect(m_lists, &ResultLists::cursorMoved, this, [this](QPlainTextEdit* list) {
        m_reading->listCursorMoved(list, list == m_controls->txtIndexList);
    });

    // Pointing reads the picture; a drag turns the crystal where it can be
    // turned and reads where it cannot.
    PictureBox* picture = c.picPictureBox;
    connect(picture, &PictureBox::pointerMoved, m_reading, &PictureReading::pointerMoved);
    // A click gives the orientation window a measured place when it waits
    // for one, and reads the picture otherwise.
    connect(picture, &PictureBox::clicked, this, [this, picture](QPoint pixel) {
        if (!m_orientation->takeClick(pixel, picture->zoom()))
            m_reading->clicked(pixel);
    });
    connect(picture, &PictureBox::doubleClicked, this,
        [this](QPoint pixel) { m_orientation->tiltTo(m_reading->tiltsAt(pixel)); });
    connect(picture, &PictureBox::left, m_reading, &PictureReading::pointerLeft);
    connect(picture, &PictureBox::dragged, this, [this, picture](QPointF from, QPointF to) {
        const double zoom = picture->zoom();
        if (!m_turner->drag(from / zoom, to / zoom))
            m_reading->pointerMoved(QPoint(int(std::floor(to.x())), int(std::floor(to.y()))));
    });
    connect(picture, &PictureBox::dragFinished, m_turner, &PictureTurner::endDrag);
    connect(picture, &PictureBox::keyTurn, m_turner, &PictureTurner::turn);
}

void frmMainForm::connectMenus()
{
    const MainMenus& m = *m_menus;
    connect(m.mnuFileOpen, &QAction::triggered, this, [this] { m_files.open(); });
    connect(m.mnuFileSave, &QAction::triggered, this, [this] { m_files.save(); });
    connect(m.mnuFileSaveAsPic, &QAction::triggered, this, [this] { m_files.saveAsPicture(); });
    connect(m.mnuFileSaveAsIndex, &QAction::triggered, this, [this] { m_files.saveAsIndexList(); });
    connect(m.mnuFileSaveAsAngle, &QAction::triggered, this, [this] { m_files.saveAsAngleList(); });
    connect(m.mnuFileSaveAsSession, &QAction::triggered, this, [this] { m_files.saveAsSession(); });
    // As the close box does, which the version dialog may refuse.
    connect(m.mnuFileEnd, &QAction::triggered, this, &QWidget::close);
    // The Edit items run the buttons' handlers.
    connect(m.mnuEditDraw, &QAction::triggered, this, &frmMainForm::cmdDraw_Click);
    connect(m.mnuEditCls, &QAction::triggered, this, &frmMainForm::cmdClear_Click);
    connect(m.mnuEditCopy, &QAction::triggered, this, &frmMainForm::cmdCopy_Click);
    connect(m_history, &WorkHistory::changed, this, &frmMainForm::showWork);
    new EditCommands(m, *m_history, *m_reading, m_controls->picPictureBox, m_state, this);
    connect(m.mnuEditIndexLabels, &QAction::toggled, this, &frmMainForm::FullRedraw);
    connect(m.mnuEditCaption, &QAction::toggled, this,
        [this](bool on) { m_state.display.figureCaption = on; });
    for (std::size_t k = 0; k < m.mnuSelectItems.size(); ++k) {
        const ViewRow& row = DocumentedViews()[k];
        connect(m.mnuSelectItems[k], &QAction::triggered, this,
            [this, &row] { SelectProjection(row); });
    }
    connect(m.mnuSelectFree, &QAction::triggered, this, &frmMainForm::mnuSelectFree_Click);
    connect(m.mnuEditSchmid, &QAction::triggered, m_side, &SideWindows::showSchmid);
    // The letters over the boxes name a plane's or a direction's indices.
    connect(m.mnuEditDirection, &QAction::toggled, this, &frmMainForm::showViewChoice);
    connect(m.mnuHelpVersion, &QAction::triggered, m_side, &SideWindows::showVersion);
    connect(m.mnuHelpGuide, &QAction::triggered, m_side, &SideWindows::showGuide);
    connect(m_recent, &RecentFiles::chosen, this, &frmMainForm::openFile);
}

// Start-up draws nothing: the first expose of the window does.
void frmMainForm::Form_Load()
{
    InitPoleData();
    m_controls->showPlotSize(StartUpDisplay.plotSize);
    showViewChoice();
    m_controls->txtIndexList->setFocus();
}

void frmMainForm::showEvent(QShowEvent* event)
{
    // The full redraw belongs to the window being exposed, which only its
    // QWindow learns of; child repaints never reach it.
    QWindow* window = windowHandle();
    if (window && window != m_watchedWindow) {
        if (m_watchedWindow)
            m_watchedWindow->removeEventFilter(this);
        window->installEventFilter(this);
        m_watchedWindow = window;
    }
    QMainWindow::showEvent(event);
}

bool frmMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watchedWindow && event->type() == QEvent::Expose
        && m_watchedWindow->isExposed())
        Form_Paint();
    return QMainWindow::eventFilter(watched, event);
}

void frmMainForm::Form_Paint()
{
    // The picture is drawn anew at the size its box has: the surface maps
    // twips to as many more pixels.
    const qreal screen = m_watchedWindow ? m_watchedWindow->devicePixelRatio() : 1.0;
    const qreal ratio = screen * m_controls->picPictureBox->zoom();
    if (!qFuzzyCompare(ratio, m_surface.image().devicePixelRatio()))
        m_surface.setDevicePixelRatio(ratio);
    FullRedraw();
}

void frmMainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    m_controls->arrange(centralWidget()->size());
    // The expose that follows a resize may not come where nothing was uncovered.
    if (m_fullRedraws > 0 && isVisible())
        Form_Paint();
}

PictureSettings frmMainForm::pictureSettings() const
{
    return { m_state.scene, m_state.display };
}

void frmMainForm::FullRedraw()
{
    ++m_fullRedraws;
    // Every redraw reads the two settings from their boxes again.
    m_state.display = m_controls->displaySettings(m_state.display);
    m_state.display.indexLabels = m_menus->mnuEditIndexLabels->isChecked();
    m_picture.show(pictureSettings(), m_state.store);
    m_lists->show(m_state.store, m_state.scene.crystal, m_state.scene.secondLattice());
    // Only the picture widget repaints; nothing here asks the window itself
    // for a repaint, which would come back as another full redraw.
    m_controls->picPictureBox->update();
    m_reading->showRing();
    describePicture();
    emit sceneShown(m_state.scene);
}

void frmMainForm::InitPoleData()
{
    // The entries a step took away are its own now; what is left to give
    // back is what showed them.
    m_state.store.InitPoleData();
    m_placements.clear();
    m_lists->clear(m_state.store, m_state.scene.crystal);
    m_reading->unpick();
#ifdef __GLIBC__
    // A full store and its list lines leave some 30 MB free in the heap;
    // the allocator keeps it from the system unless asked to give it back.
    malloc_trim(0);
#endif
}

void frmMainForm::cmdDraw_Click()
{
    const Crystal crystal = m_second->targetCrystal();
    const bool family = crystal.allowsFamilies() && m_menus->mnuEditFamily->isChecked();
    const TypedEntry typed = m_second->targeted(ReadTypedEntry(m_controls->indexTexts(), crystal,
        m_state.store, plottedKind(), family ? FamilyOf : EntryOf));
    for (const QString& message : typed.messages)
        m_dialogs.showMessage(this, message);
    // A refused plot leaves picture and lists as they were.
    // A family is one step, as one plot.
    if (!typed.entries.empty())
        m_history->append(typed.entries, WorkHistory::PlotText);
}

void frmMainForm::cmdClear_Click()
{
    // With nothing plotted there is nothing to take back; the picture is
    // still the bare net, drawn with the line width the box shows now.
    if (m_state.store.PoleCount() == 0)
        FullRedraw();
    else
        m_history->clear();
}

IndexKind frmMainForm::plottedKind() const
{
    return m_state.scene.crystal.allowsDirections() && m_menus->mnuEditDirection->isChecked()
        ? IndexKind::Direction
        : IndexKind::Plane;
}

void frmMainForm::showWork(const WorkChange& change)
{
    if (change.firstMoved >= 0 && m_reading->picked() >= change.firstMoved)
        m_reading->unpick();
    if (change.view) {
        // The zone shown belongs to the places before the change.
        m_reading->hideZone();
        showViewChoice();
    }
    if (change.display) {
        m_controls->showDisplaySettings(m_state.display);
        m_menus->mnuEditCaption->setChecked(m_state.display.figureCaption);
    }
    if (m_state.store.PoleCount() == 0)
        InitPoleData();
    FullRedraw();
}

RunState frmMainForm::otherView() const
{
    // A projection choice puts the plot size back to its start-up value.
    RunState after = m_state.withoutEntries();
    after.display = m_controls->displaySettings(m_state.display);
    after.display.plotSize = StartUpDisplay.plotSize;
    return after;
}

void frmMainForm::cmdCopy_Click()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    // A grown window copies the picture at its documented size all the same.
    const double zoom = m_controls->picPictureBox->zoom();
    const QImage image = zoom == 1.0
        ? m_surface.image()
        : DocumentedSizeImage(pictureSettings(), m_state.store, m_surface.devicePixelRatio() / zoom,
            m_surface.background(), m_surface.ink());
    clipboard->setMimeData(new PictureMimeData(
        image, PictureDocument(pictureSettings(), m_state.store, pictureDescription())));
    m_dialogs.showMessage(this, CopiedMessage);
}

void frmMainForm::SelectProjection(const ViewRow& row)
{
    RunState after = otherView();
    after.chooseDocumented(row);
    m_history->replace(std::move(after), WorkHistory::ViewText);
}

void frmMainForm::showViewChoice()
{
    m_menus->showViewChoice(m_state.scene);
    m_controls->showCaptions(m_state.angleCaptions());
    m_controls->showIndexForm(
        m_state.scene.isFree() && m_second->targetCrystal().fourIndices(), plottedKind());
}

void frmMainForm::mnuSelectFree_Click()
{
    // Chosen, the free view empties the plot; chosen again, it changes the
    // crystal and its orientation and keeps the entries. Either is one step.
    const bool chosen = !m_state.scene.isFree();
    if (chosen) {
        m_history->stack().beginMacro(WorkHistory::ViewText);
        RunState after = otherView();
        after.chooseFree(m_state.free);
        m_history->replace(std::move(after), WorkHistory::ViewText);
    } else {
        // Triggering the checked item unchecked it, yet the view stays chosen.
        showViewChoice();
    }
    const std::optional<Crystal> asked = m_dialogs.askFreeView(this, m_state.free);
    if (asked && !(*asked == m_state.free)) {
        // A crystal that cannot show an entry kept is refused, as a session
        // with both would be: (32767 2 0) has no i on hexagonal axes.
        // So is one the second crystal cannot be placed against: it would
        // be taken away, its entries with it.
        QString why = FirstRefusedEntry(m_state.store, *asked);
        if (why.isEmpty())
            why = m_state.secondRefusedBy(*asked);
        if (!why.isEmpty())
            m_dialogs.showMessage(this, why);
        else
            m_history->changeCrystal(*asked);
        if (m_kept)
            m_kept->setLastCrystal(m_state.free);
    }
    if (chosen)
        m_history->stack().endMacro();
}

std::optional<Projector> frmMainForm::turnable() const
{
    if (!m_state.scene.isFree())
        return std::nullopt;
    return m_state.scene.projector();
}

void frmMainForm::turnTo(const Rotation& orientation)
{
    reorient(m_state.free.orientation.withDrawn(CrystalOrientation::FromProjector(orientation)),
        m_turner->gesture());
}

void frmMainForm::reorient(const HeldOrientation& orientation, int gesture)
{
    if (!m_state.scene.isFree())
        return;
    Crystal turned = m_state.free;
    turned.orientation = orientation;
    m_history->changeCrystal(turned, gesture);
}

void frmMainForm::showOpenedWork(OpenedWork work)
{
    // An index list adds its entries; a session, or a CIF file's crystal,
    // replaces the whole run.
    if (!work.session && !work.free) {
        const std::vector<Entry>& entries = work.store.entries();
        // A list with nothing to plot is no step, yet the lists show the
        // store again, as after any file opened.
        if (int(entries.size()) == m_state.store.PoleCount())
            FullRedraw();
        else
            m_history->append({ entries.begin() + m_state.store.PoleCount(), entries.end() },
                WorkHistory::OpenText);
        return;
    }
    RunState after = m_state.withoutEntries();
    Adopt(after, std::move(work));
    m_history->replace(std::move(after), WorkHistory::OpenText);
}

void frmMainForm::closeEvent(QCloseEvent* event)
{
    // While the version dialog is open the window takes no input, and the
    // window manager's close box is input too.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    if (m_kept) {
        m_kept->setWindowGeometry(saveGeometry());
        m_kept->setLastCrystal(m_state.free);
    }
    QMainWindow::closeEvent(event);
}

void frmMainForm::keepSettings(KeptSettings& settings)
{
    m_kept = &settings;
    m_recent->keepIn(settings);
    restoreGeometry(settings.windowGeometry());
    if (const std::optional<Crystal> crystal = settings.lastCrystal())
        m_state.free = *crystal;
}

void frmMainForm::fileUsed(const QString& path)
{
    m_recent->add(path);
}

void frmMainForm::keyPressEvent(QKeyEvent* event)
{
    // Escape reaches here from every control that has no use for it.
    if (event->key() == Qt::Key_Escape && m_reading->hasPick()) {
        m_reading->unpick();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void frmMainForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // A new colour scheme while running: the picture must be painted anew
    // in its colours.
    if (event->type() == QEvent::PaletteChange && m_controls && applyPalette() && m_fullRedraws > 0)
        FullRedraw();
}

bool frmMainForm::applyPalette()
{
    const QPalette colours = palette();
    m_controls->shadeFrame(colours);
    const QColor background = colours.color(QPalette::Base);
    const QColor ink = InkFor(colours);
    if (background == m_surface.background() && ink == m_surface.ink())
        return false;
    m_surface.setBackground(background);
    m_surface.setInk(ink);
    return true;
}

QString frmMainForm::pictureDescription() const
{
    return PictureReader::Description(m_state.scene.name(), m_state.store.PoleCount());
}

void frmMainForm::describePicture()
{
    m_controls->picPictureBox->setAccessibleDescription(pictureDescription());
}
