#include "app/frmMainForm.h"

#include "about/frmAbout.h"
#include "app/PictureBox.h"
#include "app/UserDialogs.h"
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
        Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
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
    client->setFixedSize(Layout::ToPixels(Layout::ClientWidth, Layout::ClientHeight));
    setCentralWidget(client);
    m_controls = std::make_unique<MainControls>(client, m_surface);
    m_menus = std::make_unique<MainMenus>(menuBar(), font());
    applyPalette();
    m_lists = new ResultLists(m_controls->txtIndexList, m_controls->txtAngleList);
    m_reading
        = new PictureReading(m_state, m_controls->picPictureBox, m_surface, *m_lists, m_placements);
    m_turner = new PictureTurner(*this, this);
    connectControls();
    connectMenus();

    // The documented client area lies below the menu bar.
    menuBar()->setNativeMenuBar(false);
    setFixedSize(client->width(), client->height() + menuBar()->sizeHint().height());

    Form_Load();
}

frmMainForm::~frmMainForm()
{
    // The version window is a top-level of its own and would outlive us.
    delete m_about;
}

void frmMainForm::connectControls()
{
    const MainControls& c = *m_controls;
    // Enter in an index box draws, as the button does.
    for (QLineEdit* box : { c.txtAxisX, c.txtAxisY, c.txtAxisZ })
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
    connect(picture, &PictureBox::clicked, m_reading, &PictureReading::clicked);
    connect(picture, &PictureBox::left, m_reading, &PictureReading::pointerLeft);
    connect(picture, &PictureBox::dragged, this, [this](QPointF from, QPointF to) {
        if (!m_turner->drag(from, to))
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
    connect(m.mnuEditIndexLabels, &QAction::toggled, this, &frmMainForm::FullRedraw);
    connect(m.mnuEditCaption, &QAction::toggled, this,
        [this](bool on) { m_state.display.figureCaption = on; });
    for (std::size_t k = 0; k < m.mnuSelectItems.size(); ++k) {
        const ViewRow& row = DocumentedViews()[k];
        connect(m.mnuSelectItems[k], &QAction::triggered, this,
            [this, &row] { SelectProjection(row); });
    }
    connect(m.mnuSelectFree, &QAction::triggered, this, &frmMainForm::mnuSelectFree_Click);
    connect(m.mnuHelpVersion, &QAction::triggered, this, &frmMainForm::mnuHelpVersion_Click);
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
    const qreal ratio = m_watchedWindow ? m_watchedWindow->devicePixelRatio() : 1.0;
    if (!qFuzzyCompare(ratio, m_surface.image().devicePixelRatio()))
        m_surface.setDevicePixelRatio(ratio);
    FullRedraw();
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
    m_lists->show(m_state.store, m_state.scene.crystal.lattice);
    // Only the picture widget repaints; nothing here asks the window itself
    // for a repaint, which would come back as another full redraw.
    m_controls->picPictureBox->update();
    m_reading->showRing();
    describePicture();
}

void frmMainForm::InitPoleData()
{
    m_state.store.InitPoleData();
    m_placements.clear();
    m_lists->clear(m_state.store, m_state.scene.crystal.lattice);
    m_reading->unpick();
#ifdef __GLIBC__
    // A full store and its list lines leave some 30 MB free in the heap;
    // the allocator keeps it from the system unless asked to give it back.
    malloc_trim(0);
#endif
}

void frmMainForm::cmdDraw_Click()
{
    const Crystal& crystal = m_state.scene.crystal;
    const IndexKind kind = crystal.allowsDirections() && m_menus->mnuEditDirection->isChecked()
        ? IndexKind::Direction
        : IndexKind::Plane;
    const MainControls& c = *m_controls;
    const DrawCommandResult result = RunDrawCommand(
        c.txtAxisX->text(), c.txtAxisY->text(), c.txtAxisZ->text(), crystal, m_state.store, kind);
    for (const QString& message : result.messages)
        m_dialogs.showMessage(this, message);
    // A refused plot leaves picture and lists as they were.
    if (result.added)
        FullRedraw();
}

void frmMainForm::cmdClear_Click()
{
    InitPoleData();
    // With the store empty, the picture is the bare net, drawn with the
    // line width the box shows now.
    m_state.display = m_controls->displaySettings(m_state.display);
    m_picture.show(pictureSettings(), m_state.store);
    m_controls->picPictureBox->update();
    describePicture();
}

void frmMainForm::cmdCopy_Click()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(new PictureMimeData(m_surface.image(),
        PictureDocument(pictureSettings(), m_state.store, pictureDescription())));
    m_dialogs.showMessage(this, CopiedMessage);
}

void frmMainForm::mnuHelpVersion_Click()
{
    // A dialog that was closed is only deleted once the event loop runs
    // again; a new opening must not show that one.
    if (!m_about || !m_about->isVisible())
        m_about = new frmAbout(this);
    m_about->show();
    // Without a window manager nobody else hands the focus over, and the
    // main window it would stay with is disabled.
    m_about->raise();
    m_about->activateWindow();
}

void frmMainForm::SelectProjection(const ViewRow& row)
{
    InitPoleData();
    m_controls->showPlotSize(StartUpDisplay.plotSize);
    m_state.chooseDocumented(row);
    showViewChoice();
    FullRedraw();
}

void frmMainForm::showViewChoice()
{
    m_menus->showViewChoice(m_state.scene);
    m_controls->showCaptions(m_state.angleCaptions());
}

void frmMainForm::mnuSelectFree_Click()
{
    if (!m_state.scene.isFree()) {
        InitPoleData();
        m_controls->showPlotSize(StartUpDisplay.plotSize);
        m_state.chooseFree(m_state.free);
        showViewChoice();
        FullRedraw();
    } else {
        // Triggering the checked item unchecked it, yet the view stays chosen.
        showViewChoice();
    }
    const std::optional<Crystal> chosen = m_dialogs.askFreeView(this, m_state.free);
    if (!chosen || *chosen == m_state.free)
        return;
    // A crystal that cannot show an entry kept is refused, as a session
    // with both would be: (32767 2 0) has no i on hexagonal axes.
    if (const QString why = FirstRefusedEntry(m_state.store, *chosen); !why.isEmpty()) {
        m_dialogs.showMessage(this, why);
        return;
    }
    // The entries stay as typed; where they are drawn and their angles
    // follow the new crystal.
    m_state.changeFree(*chosen);
    showViewChoice();
    FullRedraw();
}

std::optional<Projector> frmMainForm::turnable() const
{
    if (!m_state.scene.isFree())
        return std::nullopt;
    return m_state.scene.projector();
}

void frmMainForm::turnTo(const Rotation& orientation)
{
    Crystal turned = m_state.free;
    turned.orientation = orientation;
    m_state.changeFree(turned);
    // The zone shown belongs to the places before the turn.
    m_reading->hideZone();
    FullRedraw();
}

void frmMainForm::openFile(const QString& path)
{
    m_files.openPath(path);
}

QWidget* frmMainForm::dialogParent()
{
    return this;
}

PictureSettings frmMainForm::currentPicture() const
{
    return pictureSettings();
}

QString frmMainForm::currentDescription() const
{
    return pictureDescription();
}

void frmMainForm::showOpenedWork(OpenedWork work)
{
    m_reading->unpick();
    const bool session = work.session;
    Adopt(m_state, std::move(work));
    if (session) {
        m_controls->showDisplaySettings(m_state.display);
        m_menus->mnuEditCaption->setChecked(m_state.display.figureCaption);
    }
    showViewChoice();
    FullRedraw();
}

void frmMainForm::closeEvent(QCloseEvent* event)
{
    // While the version dialog is open the window takes no input, and the
    // window manager's close box is input too.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void frmMainForm::keyPressEvent(QKeyEvent* event)
{
    // Escape reaches here from every control that has no use for it.
    if (event->key() == Qt::Key_Escape && m_reading->picked() >= 0) {
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
