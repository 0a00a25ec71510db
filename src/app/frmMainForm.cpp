#include "app/frmMainForm.h"

#include "about/frmAbout.h"
#include "app/PictureBox.h"
#include "app/UserDialogs.h"
#include "painting/PersistentPicture.h"
#include "painting/PictureMimeData.h"
#include "plotting/DisplayText.h"
#include "plotting/DrawCommand.h"
#include "poles/PoleLists.h"
#include "reading/PictureReader.h"
#include "run/RunState.h"
#include "run/Work.h"
#include "scene/DrawPicture.h"
#include "ui/AppIcon.h"
#include "ui/CaptionSize.h"
#include "ui/FormFont.h"
#include "ui/Layout.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QWindow>

#include <algorithm>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <cmath>

namespace {

const QString CopiedMessage = QStringLiteral("クリップボードにコピーしました");

const QString PictureName = QStringLiteral("極点図");

// Black on a light base, as the picture has always been drawn; on a dark
// base the palette's own text colour, which is meant to be read on it.
QColor InkFor(const QPalette& palette)
{
    return palette.color(QPalette::Base).lightness() < 128 ? palette.color(QPalette::Text)
                                                           : QColor(Qt::black);
}

template <typename W> W* Place(W* widget, const char* name, Layout::Twips where)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(Layout::toPixels(where));
    return widget;
}

// Sized for every caption it will show, in the font actually found, and
// kept above floorTwips, the top of the control it names.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, Layout::Twips where,
    const QFont& font, int floorTwips, bool wordWrap = false, const QStringList& laterCaptions = {})
{
    auto* label = Place(new QLabel(caption, parent), name, where);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(wordWrap);
    const QSize needed
        = CaptionSize(font, QStringList { caption } + laterCaptions, wordWrap ? label->width() : 0);
    label->setGeometry(Layout::captionToPixels(where, needed, floorTwips));
    return label;
}

QPlainTextEdit* MakeList(QWidget* parent, const char* name, Layout::Twips where, const QFont& font)
{
    auto* list = Place(new QPlainTextEdit(parent), name, where);
    list->setFont(font);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Every redraw rewrites the lists from the store; an undo history would
    // grow with each plot and could bring back text the store no longer holds.
    list->setUndoRedoEnabled(false);
    // The lists are stops in the tab order; Tab moves on instead of typing.
    list->setTabChangesFocus(true);
    return list;
}

} // namespace

frmMainForm::frmMainForm(RunState& state, UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent,
        Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
    , m_state(state)
    , m_dialogs(dialogs)
    , m_surface(Layout::picPictureBox.width, Layout::picPictureBox.height, devicePixelRatioF())
    , m_picture(m_surface)
    , m_files(state, dialogs, *this)
{
    setObjectName(QStringLiteral("frmMainForm"));
    setWindowTitle(QStringLiteral("Orvandel"));
    setWindowIcon(AppIcon());
    setFont(FormFont(DefaultPointSize, false));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(Layout::toPixels(Layout::ClientWidth, Layout::ClientHeight));
    setCentralWidget(client);
    createControls(client);
    createMenus();

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

void frmMainForm::createControls(QWidget* client)
{
    const QFont letterFont = FormFont(11.25, true);
    const QFont captionFont = FormFont(9.75, true);

    Frame1 = Place(new QGroupBox(QStringLiteral("面指数"), client), "Frame1", Layout::Frame1);
    Frame1->setAutoFillBackground(true);
    // The letters stand on one baseline: each is sized for all three. They
    // lie in the frame, their boxes below them in the window.
    const QStringList letterCaptions { QStringLiteral("x"), QStringLiteral("y"),
        QStringLiteral("z") };
    const int boxesTop = Layout::txtAxisX.top - Layout::Frame1.top;
    Label2 = MakeLabel(Frame1, "Label2", letterCaptions[0], Layout::Label2, letterFont, boxesTop,
        false, letterCaptions);
    Label1 = MakeLabel(Frame1, "Label1", letterCaptions[1], Layout::Label1, letterFont, boxesTop,
        false, letterCaptions);
    Label3 = MakeLabel(Frame1, "Label3", letterCaptions[2], Layout::Label3, letterFont, boxesTop,
        false, letterCaptions);

    // Children of the window, not of the frame, drawn above it.
    txtAxisX = Place(new QLineEdit(client), "txtAxisX", Layout::txtAxisX);
    txtAxisY = Place(new QLineEdit(client), "txtAxisY", Layout::txtAxisY);
    txtAxisZ = Place(new QLineEdit(client), "txtAxisZ", Layout::txtAxisZ);
    for (QLineEdit* box : { txtAxisX, txtAxisY, txtAxisZ }) {
        box->raise();
        // Enter draws, as the button does.
        connect(box, &QLineEdit::returnPressed, this, &frmMainForm::cmdDraw_Click);
    }
    // The letters sit in the frame and the boxes beside it, so no
    // labelled-by relation reaches across; the names carry both captions.
    const std::array<std::pair<QLabel*, QLineEdit*>, 3> letters
        = { { { Label2, txtAxisX }, { Label1, txtAxisY }, { Label3, txtAxisZ } } };
    for (const auto& [letter, box] : letters) {
        letter->setBuddy(box);
        box->setAccessibleName(Frame1->title() + QLatin1Char(' ') + letter->text());
    }

    cmdDraw = Place(new QPushButton(QStringLiteral("描画"), client), "cmdDraw", Layout::cmdDraw);
    cmdClear
        = Place(new QPushButton(QStringLiteral("クリア"), client), "cmdClear", Layout::cmdClear);
    cmdCopy = Place(new QPushButton(QStringLiteral("コピー"), client), "cmdCopy", Layout::cmdCopy);

    Label4 = MakeLabel(client, "Label4", QStringLiteral("プロットサイズ"), Layout::Label4,
        captionFont, Layout::cboPlotSize.top);
    cboPlotSize = Place(new QComboBox(client), "cboPlotSize", Layout::cboPlotSize);
    for (int size : PlotSizes)
        cboPlotSize->addItem(QString::number(size));
    // No text until start-up picks one.
    cboPlotSize->setCurrentIndex(-1);

    Label5 = MakeLabel(client, "Label5", QStringLiteral("極点図の線幅"), Layout::Label5,
        captionFont, Layout::cboLineWidth.top);
    cboLineWidth = Place(new QComboBox(client), "cboLineWidth", Layout::cboLineWidth);
    for (int width : LineWidths)
        cboLineWidth->addItem(QString::number(width));
    cboLineWidth->setEditable(true);
    // Typing is only ever read by the next redraw: Enter must neither add an
    // item nor count as a pick, and no completer may pick one either.
    cboLineWidth->setInsertPolicy(QComboBox::NoInsert);
    cboLineWidth->setCompleter(nullptr);
    // The combo box turns Enter or leaving the field into an item pick when
    // the typed text names an item; here only the list's own picks count.
    disconnect(cboLineWidth->lineEdit(), &QLineEdit::editingFinished, cboLineWidth, nullptr);
    cboLineWidth->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,3}")), cboLineWidth));
    cboLineWidth->setCurrentIndex(0);
    // A combo box is named by its value; its caption labels it.
    Label4->setBuddy(cboPlotSize);
    Label5->setBuddy(cboLineWidth);

    applyPalette();
    picPictureBox
        = Place(new PictureBox(m_surface, client), "picPictureBox", Layout::picPictureBox);
    picPictureBox->setAccessibleName(PictureName);

    Label6 = MakeLabel(client, "Label6", QStringLiteral("面指数(x y z)"), Layout::Label6,
        captionFont, Layout::txtIndexList.top);
    txtIndexList = MakeList(client, "txtIndexList", Layout::txtIndexList, captionFont);
    Label6->setBuddy(txtIndexList);
    txtIndexList->setAccessibleName(Label6->text());

    const std::array<Layout::Twips, 3> angleLabels
        = { Layout::lblAngle1, Layout::lblAngle2, Layout::lblAngle3 };
    const std::array<const char*, 3> angleNames = { "lblAngle1", "lblAngle2", "lblAngle3" };
    for (size_t k = 0; k < lblAngle.size(); ++k) {
        QStringList later;
        for (const ViewRow& row : DocumentedViews())
            later << row.captions[k];
        lblAngle[k] = MakeLabel(client, angleNames[k], StartUpAngleCaptions()[k], angleLabels[k],
            captionFont, Layout::txtAngleList.top, true, later);
    }
    txtAngleList = MakeList(client, "txtAngleList", Layout::txtAngleList, captionFont);
    for (QLabel* caption : lblAngle)
        caption->setBuddy(txtAngleList);
    nameAngleList();
    m_lists = new ResultLists(txtIndexList, txtAngleList);
    m_reading = new PictureReading(m_state, picPictureBox, m_surface, *m_lists);
    connect(m_lists, &ResultLists::cursorMoved, this,
        [this](QPlainTextEdit* list) { m_reading->listCursorMoved(list, list == txtIndexList); });
    // Pointing reads the picture; a drag turns the crystal where it can be
    // turned and reads where it cannot.
    m_turner = new PictureTurner(*this, this);
    connect(picPictureBox, &PictureBox::pointerMoved, m_reading, &PictureReading::pointerMoved);
    connect(picPictureBox, &PictureBox::clicked, m_reading, &PictureReading::clicked);
    connect(picPictureBox, &PictureBox::left, m_reading, &PictureReading::pointerLeft);
    connect(picPictureBox, &PictureBox::dragged, this, [this](QPointF from, QPointF to) {
        if (!m_turner->drag(from, to))
            m_reading->pointerMoved(QPoint(int(std::floor(to.x())), int(std::floor(to.y()))));
    });
    connect(picPictureBox, &PictureBox::dragFinished, m_turner, &PictureTurner::endDrag);
    connect(picPictureBox, &PictureBox::keyTurn, m_turner, &PictureTurner::turn);

    // The documented tab order; labels and the frame take no focus.
    const std::array<QWidget*, 11> tabOrder = { txtIndexList, txtAxisX, txtAxisY, txtAxisZ, cmdDraw,
        cmdClear, cmdCopy, cboPlotSize, cboLineWidth, picPictureBox, txtAngleList };
    for (size_t k = 1; k < tabOrder.size(); ++k)
        setTabOrder(tabOrder[k - 1], tabOrder[k]);

    connect(cmdDraw, &QPushButton::clicked, this, &frmMainForm::cmdDraw_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmMainForm::cmdClear_Click);
    connect(cmdCopy, &QPushButton::clicked, this, &frmMainForm::cmdCopy_Click);
    // activated is the user's pick only; a selection made by code stays silent.
    connect(cboPlotSize, &QComboBox::activated, this, &frmMainForm::cboPlotSize_Click);
    connect(cboLineWidth, &QComboBox::activated, this, &frmMainForm::cboLineWidth_Click);
}

void frmMainForm::createMenus()
{
    QMenuBar* bar = menuBar();
    const auto named = [this](QMenu* menu, const char* name) {
        menu->setObjectName(QLatin1String(name));
        // Popups are windows of their own and would not inherit the form's font.
        menu->setFont(font());
        return menu;
    };
    const auto addItem = [](QMenu* menu, const char* name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };

    mnuFile = named(bar->addMenu(QStringLiteral("ファイル")), "mnuFile");
    QAction* mnuFileOpen = addItem(mnuFile, "mnuFileOpen", QStringLiteral("開く"));
    mnuFileOpen->setShortcut(QKeySequence::Open);
    QAction* mnuFileSave = addItem(mnuFile, "mnuFileSave", QStringLiteral("上書き保存"));
    mnuFileSaveAs = named(mnuFile->addMenu(QStringLiteral("新規に保存")), "mnuFileSaveAs");
    QAction* mnuFileSaveAsPic = addItem(mnuFileSaveAs, "mnuFileSaveAsPic", QStringLiteral("画像"));
    QAction* mnuFileSaveAsIndex
        = addItem(mnuFileSaveAs, "mnuFileSaveAsIndex", QStringLiteral("面指数"));
    QAction* mnuFileSaveAsAngle
        = addItem(mnuFileSaveAs, "mnuFileSaveAsAngle", QStringLiteral("角度差"));
    QAction* mnuFileSaveAsSession
        = addItem(mnuFileSaveAs, "mnuFileSaveAsSession", QStringLiteral("セッション"));
    QAction* mnuFileEnd = addItem(mnuFile, "mnuFileEnd", QStringLiteral("終了"));

    mnuEdit = named(bar->addMenu(QStringLiteral("編集")), "mnuEdit");
    QAction* mnuEditDraw = addItem(mnuEdit, "mnuEditDraw", QStringLiteral("面指数のプロット"));
    QAction* mnuEditCls = addItem(mnuEdit, "mnuEditCls", QStringLiteral("画像のクリア"));
    QAction* mnuEditCopy
        = addItem(mnuEdit, "mnuEditCopy", QStringLiteral("クリップボードにコピー"));
    mnuEdit->addSeparator();
    mnuEditDirection = addItem(mnuEdit, "mnuEditDirection", QStringLiteral("方向としてプロット"));
    mnuEditDirection->setCheckable(true);

    // The four projections, each named and captioned by its row.
    mnuSelect = named(bar->addMenu(QStringLiteral("投影図の選択")), "mnuSelect");
    for (std::size_t k = 0; k < mnuSelectItems.size(); ++k) {
        const ViewRow& row = DocumentedViews()[k];
        mnuSelectItems[k] = addItem(mnuSelect, row.menuItem, row.menuCaption);
        connect(
            mnuSelectItems[k], &QAction::triggered, this, [this, &row] { SelectProjection(row); });
    }
    mnuSelect->addSeparator();
    mnuSelectFree = addItem(mnuSelect, "mnuSelectFree", QStringLiteral("任意の結晶と方位"));

    mnuFileHelp = named(bar->addMenu(QStringLiteral("ヘルプ")), "mnuFileHelp");
    QAction* mnuHelpVersion = addItem(mnuFileHelp, "mnuHelpVersion", QStringLiteral("バージョン"));

    connect(mnuFileOpen, &QAction::triggered, this, [this] { m_files.open(); });
    connect(mnuFileSave, &QAction::triggered, this, [this] { m_files.save(); });
    connect(mnuFileSaveAsPic, &QAction::triggered, this, [this] { m_files.saveAsPicture(); });
    connect(mnuFileSaveAsIndex, &QAction::triggered, this, [this] { m_files.saveAsIndexList(); });
    connect(mnuFileSaveAsAngle, &QAction::triggered, this, [this] { m_files.saveAsAngleList(); });
    connect(mnuFileSaveAsSession, &QAction::triggered, this, [this] { m_files.saveAsSession(); });
    // As the close box does, which the version dialog may refuse.
    connect(mnuFileEnd, &QAction::triggered, this, &QWidget::close);
    connect(mnuEditDraw, &QAction::triggered, this, &frmMainForm::mnuEditDraw_Click);
    connect(mnuEditCls, &QAction::triggered, this, &frmMainForm::mnuEditCls_Click);
    connect(mnuEditCopy, &QAction::triggered, this, &frmMainForm::mnuEditCopy_Click);
    connect(mnuSelectFree, &QAction::triggered, this, &frmMainForm::mnuSelectFree_Click);
    connect(mnuHelpVersion, &QAction::triggered, this, &frmMainForm::mnuHelpVersion_Click);
}

// Start-up draws nothing: the first expose of the window does.
void frmMainForm::Form_Load()
{
    InitPoleData();
    showPlotSize(StartUpDisplay.plotSize);
    showViewChoice();
    txtIndexList->setFocus();
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

void frmMainForm::readDisplaySettings()
{
    // A text that is no width keeps the width there was.
    m_state.display.lineWidth
        = ReadLineWidth(cboLineWidth->currentText()).value_or(m_state.display.lineWidth);
    m_state.display.plotSize
        = ReadPlotSize(cboPlotSize->currentText()).value_or(m_state.display.plotSize);
}

void frmMainForm::showPlotSize(int size)
{
    cboPlotSize->setCurrentIndex(cboPlotSize->findText(QString::number(size)));
}

void frmMainForm::FullRedraw()
{
    ++m_fullRedraws;
    readDisplaySettings();
    m_picture.show(pictureSettings(), m_state.store);
    ShowLists();
    // Only the picture widget repaints; nothing here asks the window itself
    // for a repaint, which would come back as another full redraw.
    picPictureBox->update();
    m_reading->showRing();
    describePicture();
}

void frmMainForm::InitPoleData()
{
    m_state.store.InitPoleData();
    m_lists->clear(m_state.store, m_state.scene.crystal.lattice);
    m_reading->unpick();
#ifdef __GLIBC__
    // A full store and its list lines leave some 30 MB free in the heap;
    // the allocator keeps it from the system unless asked to give it back.
    malloc_trim(0);
#endif
}

void frmMainForm::ShowLists()
{
    m_lists->show(m_state.store, m_state.scene.crystal.lattice);
}

void frmMainForm::cmdDraw_Click()
{
    const Crystal& crystal = m_state.scene.crystal;
    const IndexKind kind = crystal.allowsDirections() && mnuEditDirection->isChecked()
        ? IndexKind::Direction
        : IndexKind::Plane;
    const DrawCommandResult result = RunDrawCommand(
        txtAxisX->text(), txtAxisY->text(), txtAxisZ->text(), crystal, m_state.store, kind);
    for (const QString& message : result.messages)
        m_dialogs.showMessage(this, message);
    // A refused plot leaves picture and lists as they were.
    if (result.added)
        FullRedraw();
}

void frmMainForm::mnuEditDraw_Click()
{
    cmdDraw_Click();
}

void frmMainForm::cmdClear_Click()
{
    InitPoleData();
    // With the store empty, the picture is the bare net.
    readDisplaySettings();
    m_picture.show(pictureSettings(), m_state.store);
    picPictureBox->update();
    describePicture();
}

void frmMainForm::mnuEditCls_Click()
{
    cmdClear_Click();
}

void frmMainForm::cmdCopy_Click()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(new PictureMimeData(m_surface.image(),
        PictureDocument(pictureSettings(), m_state.store, pictureDescription())));
    m_dialogs.showMessage(this, CopiedMessage);
}

void frmMainForm::mnuEditCopy_Click()
{
    cmdCopy_Click();
}

void frmMainForm::cboPlotSize_Click()
{
    FullRedraw();
}

void frmMainForm::cboLineWidth_Click()
{
    FullRedraw();
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
    showPlotSize(StartUpDisplay.plotSize);
    m_state.chooseDocumented(row);
    showViewChoice();
    FullRedraw();
}

void frmMainForm::showViewChoice()
{
    // Only the marked item is checkable: styles draw an empty box beside a
    // checkable item that is not checked, and the others carry no mark at all.
    const ViewRow* chosen = m_state.scene.row;
    for (size_t k = 0; k < mnuSelectItems.size(); ++k) {
        const bool marked = chosen == &DocumentedViews()[k];
        mnuSelectItems[k]->setCheckable(marked);
        mnuSelectItems[k]->setChecked(marked);
    }
    const bool free = m_state.scene.isFree();
    mnuSelectFree->setCheckable(free);
    mnuSelectFree->setChecked(free);
    mnuEditDirection->setEnabled(m_state.scene.crystal.allowsDirections());
    const std::array<QString, 3> captions = m_state.angleCaptions();
    for (size_t k = 0; k < lblAngle.size(); ++k)
        lblAngle[k]->setText(captions[k]);
    nameAngleList();
}

void frmMainForm::mnuSelectFree_Click()
{
    if (!m_state.scene.isFree()) {
        InitPoleData();
        showPlotSize(StartUpDisplay.plotSize);
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
        showPlotSize(m_state.display.plotSize);
        cboLineWidth->setEditText(QString::number(m_state.display.lineWidth));
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
    if (event->type() == QEvent::PaletteChange && applyPalette() && m_fullRedraws > 0)
        FullRedraw();
}

bool frmMainForm::applyPalette()
{
    const QPalette colours = palette();
    const QColor background = colours.color(QPalette::Base);
    const QColor ink = InkFor(colours);
    if (Frame1) {
        QPalette framePalette = Frame1->palette();
        // A shade below the button face, as the 3D-light colour is on the
        // system it came from; its text keeps the palette's own colour.
        framePalette.setColor(QPalette::Window, colours.color(QPalette::Button).darker(106));
        Frame1->setPalette(framePalette);
    }
    if (background == m_surface.background() && ink == m_surface.ink())
        return false;
    m_surface.setBackground(background);
    m_surface.setInk(ink);
    return true;
}

void frmMainForm::nameAngleList()
{
    QStringList captions;
    for (const QLabel* caption : lblAngle)
        captions << caption->text();
    txtAngleList->setAccessibleName(captions.join(QStringLiteral("、")));
}

QString frmMainForm::pictureDescription() const
{
    return PictureReader::Description(m_state.scene.name(), m_state.store.PoleCount());
}

void frmMainForm::describePicture()
{
    picPictureBox->setAccessibleDescription(pictureDescription());
}
