#include "freeview/frmSchmid.h"

#include "plotting/NumericText.h"
#include "ui/FormFont.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

const QString frmSchmid::Title = QStringLiteral("シュミット因子");

namespace {

// The centre as the dialog shows directions: no more digits than it has.
QString Number(double value)
{
    return QString::number(value, 'g', 8);
}

// Three boxes between brackets, named prefix + U, V, W (or H, K, L).
QHBoxLayout* IndexBoxes(QWidget* parent, std::array<QLineEdit*, 3>& boxes, const char* prefix,
    const char* letters, QChar open, QChar close, const QString& accessible)
{
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QString(open), parent));
    for (std::size_t k = 0; k < 3; ++k) {
        boxes[k] = new QLineEdit(parent);
        boxes[k]->setObjectName(QLatin1String(prefix) + QLatin1Char(letters[k]));
        boxes[k]->setAccessibleName(
            accessible + QLatin1Char(' ') + QChar(QLatin1Char(letters[k])).toLower());
        // Wide enough for the centre's numbers as Number writes them.
        boxes[k]->setMinimumWidth(
            boxes[k]->fontMetrics().horizontalAdvance(QStringLiteral("-0.00000000")) + 12);
        row->addWidget(boxes[k]);
    }
    row->addWidget(new QLabel(QString(close), parent));
    row->addStretch();
    return row;
}

// Whole numbers typed into three boxes, as the index boxes read them.
std::optional<Index3> WholeIndex(const std::array<QLineEdit*, 3>& boxes)
{
    Index3 index {};
    for (std::size_t k = 0; k < 3; ++k) {
        const std::optional<double> value = ParseNumericText(boxes[k]->text());
        if (!value || *value != std::trunc(*value) || !FitsIndex(*value))
            return std::nullopt;
        index[k] = int16_t(*value);
    }
    return index;
}

} // namespace

frmSchmid::frmSchmid(const Crystal& crystal, QWidget* parent)
    : QDialog(parent)
    , m_crystal(crystal)
{
    setObjectName(QStringLiteral("frmSchmid"));
    setWindowTitle(Title);
    setFont(FormFont(DefaultPointSize, false));

    auto* form = new QFormLayout;
    auto* axis = IndexBoxes(this, txtAxis, "txtAxis", "UVW", u'[', u']', QStringLiteral("荷重軸"));
    cmdCentre = new QPushButton(QStringLiteral("中心"), this);
    cmdCentre->setObjectName(QStringLiteral("cmdCentre"));
    cmdCentre->setToolTip(QStringLiteral("投影図の中心の方向を荷重軸にします"));
    axis->insertWidget(axis->count() - 1, cmdCentre);
    form->addRow(QStringLiteral("荷重軸"), axis);
    cboSlip = new QComboBox(this);
    cboSlip->setObjectName(QStringLiteral("cboSlip"));
    form->addRow(QStringLiteral("すべり系"), cboSlip);
    form->addRow(QStringLiteral("すべり面"),
        IndexBoxes(this, txtPlane, "txtPlane", "HKL", u'{', u'}', QStringLiteral("すべり面")));
    form->addRow(QStringLiteral("すべり方向"),
        IndexBoxes(
            this, txtDirection, "txtDirection", "UVW", u'⟨', u'⟩', QStringLiteral("すべり方向")));
    auto* hint = new QLabel(
        QStringLiteral("指数は三指数（六方晶では a₁ a₂ c の軸）で入力します。"
                       "m = cos φ cos λ の符号は、面と方向を書いたとおりの向きのものです"),
        this);
    hint->setWordWrap(true);
    form->addRow(hint);

    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setWordWrap(true);
    grdFactors = new QTableWidget(0, 4, this);
    grdFactors->setObjectName(QStringLiteral("grdFactors"));
    grdFactors->setHorizontalHeaderLabels({ QString(), QStringLiteral("すべり面"),
        QStringLiteral("すべり方向"), QStringLiteral("m") });
    grdFactors->setAccessibleName(Title);
    grdFactors->verticalHeader()->hide();
    grdFactors->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdFactors->setSelectionMode(QAbstractItemView::SingleSelection);
    grdFactors->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdFactors->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grdFactors->horizontalHeader()->setStretchLastSection(true);
    grdFactors->setMinimumHeight(260);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lblStatus);
    layout->addWidget(grdFactors);

    for (QLineEdit* box : txtAxis)
        connect(box, &QLineEdit::textChanged, this, &frmSchmid::showTable);
    for (const auto& boxes : { txtPlane, txtDirection })
        for (QLineEdit* box : boxes)
            connect(box, &QLineEdit::textChanged, this, &frmSchmid::showTable);
    connect(cmdCentre, &QPushButton::clicked, this, &frmSchmid::cmdCentre_Click);
    connect(cboSlip, &QComboBox::currentIndexChanged, this, &frmSchmid::showTable);
    connect(grdFactors, &QTableWidget::itemSelectionChanged, this, &frmSchmid::rowPicked);

    // A typed pair starts as the cubic {111}<110>.
    for (std::size_t k = 0; k < 3; ++k) {
        txtPlane[k]->setText(QStringLiteral("1"));
        txtDirection[k]->setText(k < 2 ? QStringLiteral("1") : QStringLiteral("0"));
    }
    offerSets();
    cmdCentre_Click();
}

void frmSchmid::showCrystal(const Crystal& crystal)
{
    const bool sameSets = crystal.system() == m_crystal.system();
    const bool sameTable
        = sameSets && crystal.lattice == m_crystal.lattice && crystal.group == m_crystal.group;
    m_crystal = crystal;
    if (!sameSets)
        offerSets();
    else if (!sameTable)
        showTable();
}

void frmSchmid::showScene(const Scene& scene)
{
    if (scene.isFree())
        showCrystal(scene.crystal);
    else
        close();
}

void frmSchmid::cmdCentre_Click()
{
    const Vector3 centre = m_crystal.centre();
    const QSignalBlocker blockers[] { QSignalBlocker(txtAxis[0]), QSignalBlocker(txtAxis[1]),
        QSignalBlocker(txtAxis[2]) };
    for (std::size_t k = 0; k < 3; ++k)
        txtAxis[k]->setText(Number(centre[k]));
    showTable();
}

// The named sets the crystal takes, then the typed pair; the set chosen
// stays where the crystal still takes it.
void frmSchmid::offerSets()
{
    const QVariant chosen = cboSlip->currentData();
    {
        const QSignalBlocker blocker(cboSlip);
        cboSlip->clear();
        for (SlipSet set : SlipSetsFor(m_crystal.system()))
            cboSlip->addItem(SlipSetRowOf(set).caption, int(set));
        cboSlip->addItem(SchmidWindowMessages::TypedSet, -1);
        const int found = cboSlip->findData(chosen);
        cboSlip->setCurrentIndex(std::max(0, found));
    }
    showTable();
}

std::variant<SlipChoice, QString> frmSchmid::slipChoice() const
{
    const int set = cboSlip->currentData().toInt();
    if (set >= 0)
        return SlipChoice(SlipSet(set));
    const std::optional<Index3> plane = WholeIndex(txtPlane);
    const std::optional<Index3> direction = WholeIndex(txtDirection);
    if (!plane || !direction)
        return SchmidWindowMessages::NotNumeric;
    return SlipChoice(SlipFamilies { *plane, *direction });
}

void frmSchmid::showTable()
{
    const bool typed = cboSlip->currentData().toInt() < 0;
    for (const auto& boxes : { txtPlane, txtDirection })
        for (QLineEdit* box : boxes)
            box->setEnabled(typed);

    m_rows.clear();
    QString status;
    Vector3 axis {};
    bool axisRead = true;
    for (std::size_t k = 0; k < 3; ++k) {
        const std::optional<double> value = ParseNumericText(txtAxis[k]->text());
        axisRead = axisRead && value && std::isfinite(*value);
        axis[k] = value.value_or(0.0);
    }
    const std::variant<SlipChoice, QString> choice = slipChoice();
    if (!axisRead) {
        status = SchmidTableMessages::ZeroAxis;
    } else if (const QString* why = std::get_if<QString>(&choice)) {
        status = *why;
    } else {
        auto table = SchmidTable(m_crystal, std::get<SlipChoice>(choice), axis);
        if (const QString* tableWhy = std::get_if<QString>(&table))
            status = *tableWhy;
        else
            m_rows = std::get<std::vector<SchmidRow>>(std::move(table));
    }

    const QSignalBlocker blocker(grdFactors);
    grdFactors->clearContents();
    grdFactors->setRowCount(int(m_rows.size()));
    QFont bold = grdFactors->font();
    bold.setBold(true);
    int largest = 0;
    for (std::size_t n = 0; n < m_rows.size(); ++n) {
        const SchmidRow& row = m_rows[n];
        largest += row.largest ? 1 : 0;
        const QString texts[] { row.largest ? QStringLiteral("★") : QString(), row.plane,
            row.direction, row.factor };
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            if (column == 3)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (row.largest)
                item->setFont(bold);
            grdFactors->setItem(int(n), column, item);
        }
    }
    if (!m_rows.empty())
        status = SchmidWindowMessages::Summary.arg(m_rows.size())
                     .arg(QString::number(std::fabs(m_rows.front().m), 'f', 3))
                     .arg(largest);
    lblStatus->setText(status);
}

void frmSchmid::rowPicked()
{
    const QList<QTableWidgetItem*> picked = grdFactors->selectedItems();
    if (picked.isEmpty())
        return;
    const std::size_t n = std::size_t(picked.front()->row());
    if (n >= m_rows.size())
        return;
    const Indices& plane = m_rows[n].system.plane;
    emit planePicked({ int16_t(plane[0]), int16_t(plane[1]), int16_t(plane[2]) });
}
