#include "app/MainControls.h"

#include "app/PictureBox.h"
#include "app/ResultListBox.h"
#include "plotting/DisplayText.h"
#include "plotting/NumericText.h"
#include "run/RunState.h"
#include "ui/CaptionSize.h"
#include "ui/FormFont.h"
#include "ui/Layout.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QTextDocument>

#include <cmath>

namespace {

template <typename W> W* Place(W* widget, const char* name, Layout::Twips where)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(Layout::ToPixels(where));
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
    label->setGeometry(Layout::CaptionToPixels(where, needed, floorTwips));
    return label;
}

ResultListBox* MakeList(QWidget* parent, const char* name, Layout::Twips where, const QFont& font)
{
    auto* list = Place(new ResultListBox(parent), name, where);
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

// Ctrl+Z and its fellows take back the work's steps wherever the focus
// is: the text boxes would otherwise keep the keys for their own typing,
// which the lists do not even keep.
class HistoryKeys : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)
                || key->keyCombination() == QKeyCombination(Qt::CTRL | Qt::Key_Y)
                || key->keyCombination() == QKeyCombination(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)) {
                event->ignore();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

// The width a list needs to show the line without wrapping it.
int UnwrappedWidth(QPlainTextEdit* list, const QString& line)
{
    const int text = QFontMetrics(list->font()).horizontalAdvance(line);
    const int margins
        = int(std::ceil(2 * list->document()->documentMargin())) + 2 * list->frameWidth();
    return text + margins + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
}

} // namespace

MainControls::MainControls(QWidget* client, PainterSurface& surface)
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
    // The letters sit in the frame and the boxes beside it, so no
    // labelled-by relation reaches across; the names carry both captions.
    const std::array<std::pair<QLabel*, QLineEdit*>, 3> letters
        = { { { Label2, txtAxisX }, { Label1, txtAxisY }, { Label3, txtAxisZ } } };
    for (const auto& [letter, box] : letters) {
        box->raise();
        letter->setBuddy(box);
        box->setAccessibleName(Frame1->title() + QLatin1Char(' ') + letter->text());
    }

    // The fourth box and the letters of four, shown only for a crystal
    // written in four indices.
    const QStringList fourLetters { QStringLiteral("h"), QStringLiteral("k"), QStringLiteral("i"),
        QStringLiteral("l"), QStringLiteral("u"), QStringLiteral("v"), QStringLiteral("t"),
        QStringLiteral("w") };
    const std::array<const char*, 4> fourNames { "lblFour1", "lblFour2", "lblFour3", "lblFour4" };
    for (std::size_t k = 0; k < lblFour.size(); ++k) {
        lblFour[k] = MakeLabel(Frame1, fourNames[k], fourLetters[qsizetype(k)],
            Layout::LabelFour[k], letterFont, boxesTop, false, fourLetters);
        lblFour[k]->hide();
    }
    txtAxisI = Place(new QLineEdit(client), "txtAxisI", Layout::txtAxisFour[2]);
    txtAxisI->hide();
    QWidget::setTabOrder(txtAxisY, txtAxisI);
    QWidget::setTabOrder(txtAxisI, txtAxisZ);
    // i = -(h + k) follows h and k as they are typed; typed itself, it is checked.
    for (QLineEdit* box : { txtAxisX, txtAxisY })
        QObject::connect(box, &QLineEdit::textChanged, txtAxisI, [this] { followThird(); });

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
    QObject::disconnect(
        cboLineWidth->lineEdit(), &QLineEdit::editingFinished, cboLineWidth, nullptr);
    cboLineWidth->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,3}")), cboLineWidth));
    cboLineWidth->setCurrentIndex(0);
    // A combo box is named by its value; its caption labels it.
    Label4->setBuddy(cboPlotSize);
    Label5->setBuddy(cboLineWidth);

    picPictureBox = Place(new PictureBox(surface, client), "picPictureBox", Layout::picPictureBox);
    picPictureBox->setAccessibleName(QStringLiteral("極点図"));

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
    showCaptions(StartUpAngleCaptions());

    m_indexCaption = Label6->geometry();
    for (size_t k = 0; k < lblAngle.size(); ++k)
        m_angleCaptions[k] = lblAngle[k]->geometry();
    // The longest index line of three numbers and the longest angle line.
    m_indexWidth = UnwrappedWidth(txtIndexList, QStringLiteral("(-32768 -32768 -32768)"));
    m_angleWidth = UnwrappedWidth(txtAngleList, QStringLiteral("(180.000  180.000  180.000)"));

    // A file dropped anywhere on the window opens; the text boxes would
    // take it as text.
    auto* keys = new HistoryKeys(client);
    for (QWidget* text : std::initializer_list<QWidget*> { txtAxisX, txtAxisY, txtAxisI, txtAxisZ,
             cboLineWidth->lineEdit(), txtIndexList, txtAngleList }) {
        text->installEventFilter(keys);
        text->setAcceptDrops(false);
    }

    // The documented tab order; labels and the frame take no focus.
    const std::array<QWidget*, 11> tabOrder = { txtIndexList, txtAxisX, txtAxisY, txtAxisZ, cmdDraw,
        cmdClear, cmdCopy, cboPlotSize, cboLineWidth, picPictureBox, txtAngleList };
    for (size_t k = 1; k < tabOrder.size(); ++k)
        QWidget::setTabOrder(tabOrder[k - 1], tabOrder[k]);
}

DisplaySettings MainControls::displaySettings(const DisplaySettings& before) const
{
    DisplaySettings read = before;
    read.lineWidth = ReadLineWidth(cboLineWidth->currentText()).value_or(before.lineWidth);
    read.plotSize = ReadPlotSize(cboPlotSize->currentText()).value_or(before.plotSize);
    return read;
}

void MainControls::showPlotSize(int size)
{
    cboPlotSize->setCurrentIndex(cboPlotSize->findText(QString::number(size)));
}

void MainControls::showDisplaySettings(const DisplaySettings& settings)
{
    showPlotSize(settings.plotSize);
    // A text that reads as the width already stays as typed.
    if (ReadLineWidth(cboLineWidth->currentText()) != settings.lineWidth)
        cboLineWidth->setEditText(QString::number(settings.lineWidth));
}

void MainControls::showCaptions(const std::array<QString, 3>& captions)
{
    for (size_t k = 0; k < lblAngle.size(); ++k)
        lblAngle[k]->setText(captions[k]);
    QStringList names;
    for (const QString& caption : captions)
        names << caption;
    txtAngleList->setAccessibleName(names.join(QStringLiteral("、")));
}

void MainControls::showIndexForm(bool four, IndexKind kind)
{
    const bool direction = kind == IndexKind::Direction;
    const std::array<QString, 4> letters = direction
        ? std::array<QString, 4> { QStringLiteral("u"), QStringLiteral("v"), QStringLiteral("t"),
              QStringLiteral("w") }
        : std::array<QString, 4> { QStringLiteral("h"), QStringLiteral("k"), QStringLiteral("i"),
              QStringLiteral("l") };
    const std::array<QLineEdit*, 4> boxes { txtAxisX, txtAxisY, txtAxisI, txtAxisZ };
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        lblFour[k]->setText(letters[k]);
        lblFour[k]->setVisible(four);
        if (four)
            boxes[k]->setAccessibleName(Frame1->title() + QLatin1Char(' ') + letters[k]);
    }
    if (four == fourIndices)
        return;
    fourIndices = four;
    for (QLabel* letter : { Label2, Label1, Label3 })
        letter->setVisible(!four);
    txtAxisI->setVisible(four);
    txtAxisY->setGeometry(Layout::ToPixels(four ? Layout::txtAxisFour[1] : Layout::txtAxisY));
    // Back to three: the documented names.
    if (!four) {
        const std::array<std::pair<QLabel*, QLineEdit*>, 3> letters3
            = { { { Label2, txtAxisX }, { Label1, txtAxisY }, { Label3, txtAxisZ } } };
        for (const auto& [letter, box] : letters3)
            box->setAccessibleName(Frame1->title() + QLatin1Char(' ') + letter->text());
    } else {
        followThird();
    }
}

void MainControls::followThird()
{
    if (!fourIndices)
        return;
    const std::optional<double> h = ParseNumericText(txtAxisX->text());
    const std::optional<double> k = ParseNumericText(txtAxisY->text());
    txtAxisI->setText(h && k ? QString::number(ThirdIndex(*h, *k), 'g', 15) : QString());
}

QStringList MainControls::indexTexts() const
{
    if (fourIndices)
        return { txtAxisX->text(), txtAxisY->text(), txtAxisI->text(), txtAxisZ->text() };
    return { txtAxisX->text(), txtAxisY->text(), txtAxisZ->text() };
}

void MainControls::arrange(QSize client)
{
    const Layout::Arrangement a = Layout::Arrange(client, m_indexWidth, m_angleWidth);
    picPictureBox->setGeometry(a.picture);
    txtIndexList->setGeometry(a.indexList);
    txtAngleList->setGeometry(a.angleList);
    const int indexShift = a.indexList.left() - Layout::ToPixels(Layout::txtIndexList).left();
    const int angleShift = a.angleList.left() - Layout::ToPixels(Layout::txtAngleList).left();
    Label6->setGeometry(m_indexCaption.translated(indexShift, 0));
    for (size_t k = 0; k < lblAngle.size(); ++k)
        lblAngle[k]->setGeometry(m_angleCaptions[k].translated(angleShift, 0));
}

void MainControls::shadeFrame(const QPalette& colours)
{
    QPalette framePalette = Frame1->palette();
    // A shade below the button face, as the 3D-light colour is on the
    // system it came from; its text keeps the palette's own colour.
    framePalette.setColor(QPalette::Window, colours.color(QPalette::Button).darker(106));
    Frame1->setPalette(framePalette);
}
