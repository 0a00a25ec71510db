#include "freeview/frmVariants.h"

#include "files/VariantTable.h"
#include "ui/FormFont.h"

#include <QHeaderView>
#include <QLabel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

const QString frmVariants::Title = QStringLiteral("方位差");

namespace {

// The texts shown; the numbers they stand for sort the columns.
constexpr int SortRole = Qt::UserRole;

QStandardItem* Cell(const QString& text, const QVariant& sortKey, Qt::Alignment alignment)
{
    auto* item = new QStandardItem(text);
    item->setData(sortKey, SortRole);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    item->setEditable(false);
    return item;
}

} // namespace

frmVariants::frmVariants(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmVariants"));
    setWindowTitle(Title);
    setFont(FormFont(DefaultPointSize, false));

    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setWordWrap(true);
    m_rows = new QStandardItemModel(0, 3, this);
    m_rows->setHorizontalHeaderLabels(
        { QStringLiteral("変種"), QStringLiteral("方位差 (°)"), QStringLiteral("回転軸") });
    m_rows->setSortRole(SortRole);
    grdVariants = new QTableView(this);
    grdVariants->setObjectName(QStringLiteral("grdVariants"));
    grdVariants->setAccessibleName(Title);
    grdVariants->setModel(m_rows);
    grdVariants->verticalHeader()->hide();
    grdVariants->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    grdVariants->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdVariants->setSelectionMode(QAbstractItemView::SingleSelection);
    grdVariants->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdVariants->setSortingEnabled(true);
    grdVariants->sortByColumn(0, Qt::AscendingOrder);
    grdVariants->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grdVariants->horizontalHeader()->setStretchLastSection(true);
    grdVariants->setMinimumSize(380, 420);
    auto* hint = new QLabel(QStringLiteral("方位差は変種 1 に対する最小の回転角（両方の結晶の対称を"
                                           "考えたもの）、回転軸は結晶2の格子での近い低指数の方向"
                                           "です。行をダブルクリックするとその変種を表示します。"),
        this);
    hint->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblStatus);
    layout->addWidget(grdVariants, 1);
    layout->addWidget(hint);

    // A double click, or Enter on the row the cursor is in.
    connect(grdVariants, &QTableView::activated, this, [this](const QModelIndex& index) {
        emit variantChosen(m_rows->item(index.row(), 0)->data(SortRole).toInt());
    });
    showTable(Crystal {}, std::nullopt);
}

void frmVariants::showTable(const Crystal& first, const std::optional<SecondCrystal>& second)
{
    m_rows->removeRows(0, m_rows->rowCount());
    if (!second) {
        lblStatus->setText(QStringLiteral("結晶2がありません（編集 → 第二の結晶…）"));
        return;
    }
    const std::vector<VariantRow> rows = VariantTableOf(first, *second);
    const Qt::Alignment right = Qt::AlignRight;
    for (const VariantRow& row : rows)
        m_rows->appendRow({ Cell(QString::number(row.number), row.number, right),
            Cell(AngleText(row.toFirst.degrees), row.toFirst.degrees, right),
            Cell(AxisText(row, second->lattice), AxisText(row, second->lattice), Qt::AlignLeft) });
    // Rows keep the order the user chose by a column.
    const QHeaderView* header = grdVariants->horizontalHeader();
    m_rows->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
    lblStatus->setText(QStringLiteral("変種 %1 個").arg(rows.size()));
}
