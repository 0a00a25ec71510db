#include "freeview/ZoneAxesPanel.h"

#include "scene/Crystal.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

ZoneAxesPanel::ZoneAxesPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("中心（入射方向）に近い晶帯軸"), parent)
{
    setObjectName(QStringLiteral("grpZoneAxes"));
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lstZoneAxes"));
    m_list->setAccessibleName(title());
    m_list->setHeaderLabels(
        { QStringLiteral("晶帯軸"), QStringLiteral("中心との角"), QStringLiteral("傾斜") });
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The rows are made once and only their texts follow the crystal.
    for (int k = 0; k < Shown; ++k) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    m_tilt = new QPushButton(QStringLiteral("選んだ晶帯軸へ傾斜"), this);
    m_tilt->setObjectName(QStringLiteral("cmdTiltToZone"));
    auto* note = new QLabel(
        QStringLiteral("指数 %1 までの晶帯軸。傾斜は傾斜 0 の状態から測ります。ダブルクリックか "
                       "Enter でも傾斜します。")
            .arg(IndexLimit),
        this);
    note->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(m_tilt);
    layout->addWidget(note);

    connect(m_list, &QTreeWidget::itemActivated, this,
        [this](QTreeWidgetItem* item) { pick(m_list->indexOfTopLevelItem(item)); });
    connect(m_tilt, &QPushButton::clicked, this,
        [this] { pick(m_list->indexOfTopLevelItem(m_list->currentItem())); });
}

void ZoneAxesPanel::showCrystal(const Crystal& crystal)
{
    // The zone picked stays picked wherever the turn moves it in the list.
    const int current = m_list->indexOfTopLevelItem(m_list->currentItem());
    const std::optional<Index3> picked = current >= 0 && current < int(m_zones.size())
        ? std::optional(m_zones[std::size_t(current)].index)
        : std::nullopt;
    const HeldOrientation& held = crystal.orientation;
    m_zones = NearestZoneAxes(crystal.lattice, held.zeroTilt, held.tilt, held.limits, IndexLimit);
    m_zones.resize(std::min<std::size_t>(m_zones.size(), Shown));
    m_fourIndices = crystal.fourIndices();
    m_limits = held.limits;
    int again = -1;
    for (int k = 0; k < Shown; ++k) {
        QTreeWidgetItem* item = m_list->topLevelItem(k);
        if (k >= int(m_zones.size())) {
            item->setHidden(true);
            continue;
        }
        const ZoneAxis& zone = m_zones[std::size_t(k)];
        item->setHidden(false);
        item->setText(0, IndexText(IndexKind::Direction, zone.index, m_fourIndices));
        item->setText(1, QString::number(zone.angle, 'f', 3) + QStringLiteral("°"));
        item->setText(2, TiltReadout(zone.tilt, held.limits));
        if (picked && zone.index == *picked)
            again = k;
    }
    if (again != current)
        m_list->setCurrentItem(again >= 0 ? m_list->topLevelItem(again) : nullptr);
}

void ZoneAxesPanel::pick(int row)
{
    if (row < 0 || row >= int(m_zones.size()))
        return;
    const ZoneAxis& zone = m_zones[std::size_t(row)];
    if (!zone.withinReach) {
        emit refused(
            OutOfReachMessage(QStringLiteral("晶帯軸 %1 ")
                                  .arg(IndexText(IndexKind::Direction, zone.index, m_fourIndices)),
                zone.tilt, m_limits));
        return;
    }
    emit tiltChosen(zone.tilt);
}
