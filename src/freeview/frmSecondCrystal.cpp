#include "freeview/frmSecondCrystal.h"

#include "crystal/Presets.h"
#include "freeview/LatticeFields.h"
#include "plotting/CheckIndex.h"
#include "plotting/NumericText.h"
#include "ui/ApplicationInfo.h"
#include "ui/FormFont.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

const QString frmSecondCrystal::Title = QStringLiteral("第二の結晶");

namespace {

using IndexBoxes = frmSecondCrystal::IndexBoxes;

// "0.123", never "-0.000".
QString Fixed(double value)
{
    const QString text = QString::number(value, 'f', 3);
    return text == QStringLiteral("-0.000") ? QStringLiteral("0.000") : text;
}

// "Kurdjumov–Sachs (1 1 1)γ ∥ (0 1 1)α, [-1 0 1]γ ∥ [-1 -1 1]α", each
// index as its crystal's lattice writes it.
QString RelationshipCaption(const NamedRelationshipRow& row)
{
    const bool parentFour = UsesFourIndices(row.parent);
    const bool childFour = UsesFourIndices(row.child);
    // Austenite and ferrite; beta and alpha titanium.
    const QString parent = childFour ? QStringLiteral("β") : QStringLiteral("γ");
    const QString child = QStringLiteral("α");
    const RelationshipDefinition& d = row.definition;
    return QStringLiteral("%1 %2%3 ∥ %4%5, %6%3 ∥ %7%5")
        .arg(QString::fromUtf8(row.name), IndexText(IndexKind::Plane, d.parentPlane, parentFour),
            parent, IndexText(IndexKind::Plane, d.childPlane, childFour), child,
            IndexText(IndexKind::Direction, d.parentDirection, parentFour),
            IndexText(IndexKind::Direction, d.childDirection, childFour));
}

const CrystalPreset* PresetNamed(const QString& start)
{
    for (const CrystalPreset& preset : CrystalPresets())
        if (preset.name.startsWith(start))
            return &preset;
    return nullptr;
}

// Boxes between brackets, named prefix + H K (I) L or U V (T) W.
QHBoxLayout* AddIndexBoxes(QWidget* parent, IndexBoxes& out, IndexKind kind, const QString& prefix,
    const QString& accessible)
{
    const bool plane = kind == IndexKind::Plane;
    const QString letters = plane ? QStringLiteral("HKIL") : QStringLiteral("UVTW");
    const int width = parent->fontMetrics().horizontalAdvance(QStringLiteral("-0000")) + 14;
    out.kind = kind;
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(plane ? QStringLiteral("(") : QStringLiteral("["), parent));
    for (qsizetype k = 0; k < 4; ++k) {
        auto* box = new QLineEdit(parent);
        box->setObjectName(prefix + letters[k]);
        box->setAccessibleName(accessible + u' ' + letters[k].toLower());
        box->setFixedWidth(width);
        box->setAlignment(Qt::AlignRight);
        row->addWidget(box);
        if (k == 2) {
            // i (or t) of four indices; left empty, the others are read as three.
            box->setPlaceholderText(QString(letters[k].toLower()));
            box->hide();
            out.third = box;
        } else {
            out.boxes[std::size_t(k == 3 ? 2 : k)] = box;
        }
    }
    row->addWidget(new QLabel(plane ? QStringLiteral(")") : QStringLiteral("]"), parent));
    return row;
}

void ShowIndex(const IndexBoxes& boxes, const Index3& index)
{
    if (!boxes.four) {
        for (std::size_t k = 0; k < 3; ++k)
            boxes.boxes[k]->setText(QString::number(index[k]));
        boxes.third->clear();
        return;
    }
    const std::array<int32_t, 4> four
        = boxes.kind == IndexKind::Plane ? FourIndexPlane(index) : FourIndexDirection(index);
    boxes.boxes[0]->setText(QString::number(four[0]));
    boxes.boxes[1]->setText(QString::number(four[1]));
    boxes.third->setText(QString::number(four[2]));
    boxes.boxes[2]->setText(QString::number(four[3]));
}

// Whole numbers, the third of four checked as the index boxes check it.
std::variant<Index3, QString> ReadIndex(const IndexBoxes& boxes)
{
    std::array<double, 4> four {};
    for (std::size_t k = 0; k < 3; ++k) {
        const std::optional<double> value = ParseNumericText(boxes.boxes[k]->text());
        if (!value || !std::isfinite(*value) || *value != std::trunc(*value))
            return SecondCrystalWindowMessages::NotWhole;
        four[k == 2 ? 3 : k] = *value;
    }
    std::array<double, 3> three { four[0], four[1], four[3] };
    const QString thirdText = boxes.four ? boxes.third->text().trimmed() : QString();
    if (!thirdText.isEmpty()) {
        const std::optional<double> t = ParseNumericText(thirdText);
        if (!t || !std::isfinite(*t) || *t != std::trunc(*t))
            return SecondCrystalWindowMessages::NotWhole;
        four[2] = *t;
        const std::optional<std::array<double, 3>> read = ThreeIndexForm(boxes.kind, four);
        if (!read)
            return (boxes.kind == IndexKind::Plane ? Messages::BadThirdPlane
                                                   : Messages::BadThirdDirection)
                .arg(QString::number(ThirdIndex(four[0], four[1]), 'g', 15),
                    QString::number(*t, 'g', 15));
        three = *read;
    }
    Index3 index {};
    for (std::size_t k = 0; k < 3; ++k) {
        if (!FitsIndex(three[k]))
            return Messages::IndexTooLarge;
        index[k] = int16_t(std::lround(three[k]));
    }
    return index;
}

// Shown in four indices or three, keeping the index the boxes hold.
void SetFour(IndexBoxes& boxes, bool four)
{
    if (boxes.four == four)
        return;
    const std::variant<Index3, QString> held = ReadIndex(boxes);
    boxes.four = four;
    boxes.third->setVisible(four);
    if (const Index3* index = std::get_if<Index3>(&held))
        ShowIndex(boxes, *index);
    else if (!four)
        boxes.third->clear();
}

// Index boxes in a widget of their own, to be enabled together.
QWidget* Row(QWidget* parent, QLayout* boxes)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(boxes);
    layout->addStretch();
    return row;
}

} // namespace

frmSecondCrystal::frmSecondCrystal(
    const Crystal& first, const std::optional<SecondCrystal>& current, QWidget* parent)
    : QDialog(parent)
    , m_first(first)
    , m_current(current)
{
    setObjectName(QStringLiteral("frmSecondCrystal"));
    setWindowTitle(Title);
    setFont(FormFont(DefaultPointSize, false));

    m_lattice = new LatticeFields(this);
    m_lattice->setTitle(QStringLiteral("結晶2"));

    auto* placing = new QGroupBox(QStringLiteral("配置"), this);
    auto* grid = new QGridLayout(placing);
    m_placements = new QButtonGroup(this);
    const std::array<std::pair<const char*, QString>, 5> ways { {
        { "optRelationship", QStringLiteral("方位関係") },
        { "optPairs", QStringLiteral("面と方向の平行関係") },
        { "optTwinPlane", QStringLiteral("双晶（面 (h k l) についての 180° 回転）") },
        { "optTwinAxis", QStringLiteral("双晶（方向 [u v w] についての 180° 回転）") },
        { "optEuler", QStringLiteral("自分の方位（オイラー角 φ₁ Φ φ₂）") },
    } };

    cboRelationship = new QComboBox(placing);
    cboRelationship->setObjectName(QStringLiteral("cboRelationship"));
    cboRelationship->setAccessibleName(ways[0].second);
    for (const NamedRelationshipRow& row : NamedRelationships())
        cboRelationship->addItem(RelationshipCaption(row), int(row.id));
    m_placementFields[ByRelationship] = cboRelationship;

    // Crystal 1 on the left, crystal 2 on the right.
    auto* pairs = new QWidget(placing);
    auto* pairsGrid = new QGridLayout(pairs);
    pairsGrid->setContentsMargins(0, 0, 0, 0);
    const auto pairRow = [&](int row, const QString& caption, IndexBoxes& one, IndexBoxes& two,
                             IndexKind kind, const QString& prefix) {
        pairsGrid->addWidget(new QLabel(caption, pairs), row, 0);
        pairsGrid->addLayout(
            AddIndexBoxes(pairs, one, kind, prefix + u'1', caption + QStringLiteral(" 結晶1")), row,
            1);
        pairsGrid->addWidget(new QLabel(QStringLiteral("∥"), pairs), row, 2);
        pairsGrid->addLayout(
            AddIndexBoxes(pairs, two, kind, prefix + u'2', caption + QStringLiteral(" 結晶2")), row,
            3);
    };
    pairsGrid->addWidget(new QLabel(QStringLiteral("結晶1"), pairs), 0, 1, Qt::AlignHCenter);
    pairsGrid->addWidget(new QLabel(QStringLiteral("結晶2"), pairs), 0, 3, Qt::AlignHCenter);
    pairRow(
        1, QStringLiteral("面"), m_plane1, m_plane2, IndexKind::Plane, QStringLiteral("txtPlane"));
    pairRow(2, QStringLiteral("方向"), m_direction1, m_direction2, IndexKind::Direction,
        QStringLiteral("txtDirection"));
    auto* pairsHint = new QLabel(
        QStringLiteral("方向はそれぞれの面の上になければなりません（0.1° まで）"), pairs);
    pairsGrid->addWidget(pairsHint, 3, 0, 1, 4);
    pairsGrid->setColumnStretch(4, 1);
    m_placementFields[ByPairs] = pairs;

    m_placementFields[ByTwinPlane] = Row(placing,
        AddIndexBoxes(placing, m_twinPlane, IndexKind::Plane, QStringLiteral("txtTwinPlane"),
            QStringLiteral("双晶面")));
    m_placementFields[ByTwinAxis] = Row(placing,
        AddIndexBoxes(placing, m_twinAxis, IndexKind::Direction, QStringLiteral("txtTwinAxis"),
            QStringLiteral("双晶の回転軸")));

    auto* euler = new QWidget(placing);
    auto* eulerLayout = new QVBoxLayout(euler);
    eulerLayout->setContentsMargins(0, 0, 0, 0);
    auto* eulerRow = new QHBoxLayout;
    const std::array<const char*, 3> eulerNames { "txtPhi1", "txtPhi", "txtPhi2" };
    const std::array<QString, 3> eulerSymbols { QStringLiteral("φ₁"), QStringLiteral("Φ"),
        QStringLiteral("φ₂") };
    for (std::size_t k = 0; k < 3; ++k) {
        txtEuler[k] = new QLineEdit(euler);
        txtEuler[k]->setObjectName(QLatin1String(eulerNames[k]));
        txtEuler[k]->setAccessibleName(eulerSymbols[k]);
        txtEuler[k]->setMaximumWidth(90);
        txtEuler[k]->setAlignment(Qt::AlignRight);
        auto* label = new QLabel(eulerSymbols[k], euler);
        label->setBuddy(txtEuler[k]);
        eulerRow->addWidget(label);
        eulerRow->addWidget(txtEuler[k]);
        eulerRow->addWidget(new QLabel(QStringLiteral("°"), euler));
    }
    eulerRow->addStretch();
    eulerLayout->addLayout(eulerRow);
    auto* eulerHint = new QLabel(
        QStringLiteral("結晶2の方位 g（Bunge Z X Z、受動: 試料 → 結晶）を今の結晶1の向きで"
                       "与えます。結晶1を回すと結晶2も一緒に回ります"),
        euler);
    eulerHint->setWordWrap(true);
    eulerLayout->addWidget(eulerHint);
    m_placementFields[ByEuler] = euler;

    for (int way = ByRelationship; way <= ByEuler; ++way) {
        auto* option = new QRadioButton(ways[std::size_t(way)].second, placing);
        option->setObjectName(QLatin1String(ways[std::size_t(way)].first));
        m_placements->addButton(option, way);
        if (way == ByPairs || way == ByEuler) {
            // Wide fields go beneath their button.
            grid->addWidget(option, 2 * way, 0, 1, 2);
            grid->addWidget(m_placementFields[std::size_t(way)], 2 * way + 1, 1);
        } else {
            grid->addWidget(option, 2 * way, 0);
            grid->addWidget(m_placementFields[std::size_t(way)], 2 * way, 1);
        }
    }
    grid->setColumnMinimumWidth(0, 24);
    grid->setColumnStretch(1, 1);
    lblStatus = new QLabel(placing);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setWordWrap(true);
    grid->addWidget(lblStatus, 2 * ByEuler + 2, 0, 1, 2);

    auto* variants = new QGroupBox(QStringLiteral("変種"), this);
    auto* variantsLayout = new QVBoxLayout(variants);
    spnVariant = new QSpinBox(variants);
    spnVariant->setObjectName(QStringLiteral("spnVariant"));
    spnVariant->setRange(1, 1);
    lblVariantCount = new QLabel(variants);
    lblVariantCount->setObjectName(QStringLiteral("lblVariantCount"));
    auto* numberLabel = new QLabel(QStringLiteral("変種番号"), variants);
    numberLabel->setBuddy(spnVariant);
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(numberLabel);
    numberRow->addWidget(spnVariant);
    numberRow->addWidget(lblVariantCount);
    numberRow->addStretch();
    variantsLayout->addLayout(numberRow);
    chkAllVariants = new QCheckBox(QStringLiteral("すべての変種を表示"), variants);
    chkAllVariants->setObjectName(QStringLiteral("chkAllVariants"));
    chkVariantNumbers = new QCheckBox(QStringLiteral("変種番号を表示"), variants);
    chkVariantNumbers->setObjectName(QStringLiteral("chkVariantNumbers"));
    chkNet = new QCheckBox(QStringLiteral("結晶2の極点図（ネット）を描く"), variants);
    chkNet->setObjectName(QStringLiteral("chkNet"));
    chkNet->setToolTip(QStringLiteral("一つの変種を表示しているときに描きます"));
    variantsLayout->addWidget(chkAllVariants);
    auto* numbersRow = new QHBoxLayout;
    numbersRow->addSpacing(20);
    numbersRow->addWidget(chkVariantNumbers);
    variantsLayout->addLayout(numbersRow);
    variantsLayout->addWidget(chkNet);
    chkColour = new QCheckBox(QStringLiteral("結晶2を色で描く"), variants);
    chkColour->setObjectName(QStringLiteral("chkColour"));
    chkColour->setToolTip(QStringLiteral("印刷する図では黒のままにしてください"));
    variantsLayout->addWidget(chkColour);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    cmdRemove
        = buttons->addButton(QStringLiteral("結晶2を削除"), QDialogButtonBox::DestructiveRole);
    cmdRemove->setObjectName(QStringLiteral("cmdRemove"));
    cmdRemove->setEnabled(current.has_value());
    connect(buttons, &QDialogButtonBox::accepted, this, &frmSecondCrystal::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &frmSecondCrystal::reject);
    connect(cmdRemove, &QPushButton::clicked, this, [this] { done(Removed); });

    auto* fromCif = new QPushButton(QStringLiteral("CIF ファイルから…"), this);
    fromCif->setObjectName(QStringLiteral("cmdFromCif"));
    connect(fromCif, &QPushButton::clicked, this, &frmSecondCrystal::cifWanted);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lattice);
    layout->addWidget(fromCif, 0, Qt::AlignRight);
    layout->addWidget(placing);
    layout->addWidget(variants);
    layout->addWidget(buttons);

    for (IndexBoxes* boxes : { &m_plane1, &m_direction1, &m_twinPlane, &m_twinAxis })
        SetFour(*boxes, first.fourIndices());
    showSecond(current);

    connect(m_lattice, &LatticeFields::edited, this, &frmSecondCrystal::latticeEdited);
    connect(m_placements, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            placementChosen();
    });
    connect(
        cboRelationship, &QComboBox::currentIndexChanged, this, &frmSecondCrystal::countVariants);
    for (const IndexBoxes* boxes :
        { &m_plane1, &m_plane2, &m_direction1, &m_direction2, &m_twinPlane, &m_twinAxis })
        for (QLineEdit* box : { boxes->boxes[0], boxes->boxes[1], boxes->third, boxes->boxes[2] })
            connect(box, &QLineEdit::textChanged, this, &frmSecondCrystal::countVariants);
    for (QLineEdit* box : txtEuler)
        connect(box, &QLineEdit::textChanged, this, &frmSecondCrystal::countVariants);
    connect(chkAllVariants, &QCheckBox::toggled, this, [this](bool all) {
        spnVariant->setEnabled(!all);
        chkVariantNumbers->setEnabled(all);
    });
    chkVariantNumbers->setEnabled(chkAllVariants->isChecked());
    spnVariant->setEnabled(!chkAllVariants->isChecked());
}

void frmSecondCrystal::showSecond(const std::optional<SecondCrystal>& current)
{
    const bool cubic = m_first.system() == LatticeSystem::Cubic;
    const QString centring = m_first.group.name().left(1);
    // Austenite takes ferrite and beta titanium takes alpha titanium by the
    // relationships of the list; any other crystal starts as a copy of itself.
    const CrystalPreset* child = nullptr;
    if (cubic && centring == u'F')
        child = PresetNamed(QStringLiteral("α-Fe"));
    else if (cubic && centring == u'I')
        child = PresetNamed(QStringLiteral("α-Ti"));
    if (current)
        m_lattice->showLattice(current->lattice, current->group);
    else if (child)
        m_lattice->showLattice(
            std::get<Lattice>(Lattice::Make(child->system, child->parameters)), child->spaceGroup);
    else
        m_lattice->showLattice(m_first.lattice, m_first.group);
    SetFour(m_plane2, UsesFourIndices(m_lattice->system()));
    SetFour(m_direction2, UsesFourIndices(m_lattice->system()));

    const NamedRelationship named = child && child->system == LatticeSystem::Hexagonal
        ? NamedRelationship::Burgers
        : NamedRelationship::KurdjumovSachs;
    RelationshipDefinition pairs = RowOf(named).definition;
    const bool hexagonal = m_first.fourIndices();
    TwinPlane twinPlane { hexagonal ? Index3 { 1, 0, 2 } : Index3 { 1, 1, 1 } };
    TwinAxis twinAxis { hexagonal ? Index3 { 1, 0, 0 } : Index3 { 1, 1, 1 } };
    const CrystalOrientation g1 = m_first.orientation.drawn();
    m_shownEuler = g1.euler();
    int way = child ? ByRelationship : ByEuler;
    cboRelationship->setCurrentIndex(cboRelationship->findData(int(named)));
    if (current) {
        const SecondPlacement& p = current->placement;
        // The buttons stand in the order of the placement's alternatives.
        static_assert(std::variant_size_v<SecondPlacement> == ByEuler + 1);
        way = int(p.index());
        if (const auto* id = std::get_if<NamedRelationship>(&p))
            cboRelationship->setCurrentIndex(cboRelationship->findData(int(*id)));
        if (const auto* typed = std::get_if<RelationshipDefinition>(&p))
            pairs = *typed;
        if (const auto* twin = std::get_if<TwinPlane>(&p))
            twinPlane = *twin;
        if (const auto* twin = std::get_if<TwinAxis>(&p))
            twinAxis = *twin;
        // The variant drawn as it is now, whatever the first was when it was placed.
        m_shownEuler = current->orientation(g1).euler();
    }
    ShowIndex(m_plane1, pairs.parentPlane);
    ShowIndex(m_plane2, pairs.childPlane);
    ShowIndex(m_direction1, pairs.parentDirection);
    ShowIndex(m_direction2, pairs.childDirection);
    ShowIndex(m_twinPlane, twinPlane.plane);
    ShowIndex(m_twinAxis, twinAxis.direction);
    const std::array<double, 3> angles { m_shownEuler.phi1, m_shownEuler.Phi, m_shownEuler.phi2 };
    m_shownEulerTexts.clear();
    for (std::size_t k = 0; k < 3; ++k) {
        txtEuler[k]->setText(Fixed(angles[k]));
        m_shownEulerTexts << txtEuler[k]->text();
    }
    if (current) {
        chkAllVariants->setChecked(current->allShown());
        chkVariantNumbers->setChecked(current->variantNumbers);
        chkNet->setChecked(current->net);
        chkColour->setChecked(current->colour);
    }
    m_placements->button(way)->setChecked(true);
    placementChosen();
    if (current && !current->allShown())
        spnVariant->setValue(current->variant);
}

// Only the chosen way's fields take typing; a twin is of the first
// crystal's own lattice.
void frmSecondCrystal::placementChosen()
{
    const int way = m_placements->checkedId();
    for (std::size_t k = 0; k < m_placementFields.size(); ++k)
        m_placementFields[k]->setEnabled(int(k) == way);
    const bool twin = way == ByTwinPlane || way == ByTwinAxis;
    const bool shownTwin = !m_lattice->isEnabledTo(this);
    if (twin && !shownTwin) {
        const auto typed = m_lattice->read();
        m_typedLattice.reset();
        if (const auto* held = std::get_if<std::pair<Lattice, SpaceGroup>>(&typed))
            m_typedLattice = *held;
        const QSignalBlocker blocker(m_lattice);
        m_lattice->showLattice(m_first.lattice, m_first.group);
    } else if (!twin && shownTwin && m_typedLattice) {
        const QSignalBlocker blocker(m_lattice);
        m_lattice->showLattice(m_typedLattice->first, m_typedLattice->second);
    }
    m_lattice->setEnabled(!twin);
    latticeEdited();
}

void frmSecondCrystal::latticeEdited()
{
    const bool four = UsesFourIndices(m_lattice->system());
    SetFour(m_plane2, four);
    SetFour(m_direction2, four);
    countVariants();
}

void frmSecondCrystal::countVariants()
{
    const std::variant<SecondCrystal, QString> made = make(AllVariants);
    if (const QString* why = std::get_if<QString>(&made)) {
        lblStatus->setText(*why);
        lblStatus->show();
        lblVariantCount->clear();
        return;
    }
    const int count = std::get<SecondCrystal>(made).variantCount();
    lblStatus->clear();
    lblStatus->hide();
    spnVariant->setRange(1, count);
    lblVariantCount->setText(QStringLiteral("（全 %1 個）").arg(count));
}

std::variant<SecondPlacement, QString> frmSecondCrystal::placement() const
{
    const auto index = [](const IndexBoxes& boxes) { return ReadIndex(boxes); };
    switch (m_placements->checkedId()) {
    case ByRelationship:
        return SecondPlacement(NamedRelationship(cboRelationship->currentData().toInt()));
    case ByPairs: {
        RelationshipDefinition d;
        const std::array<std::pair<const IndexBoxes*, Index3*>, 4> fields { {
            { &m_plane1, &d.parentPlane },
            { &m_plane2, &d.childPlane },
            { &m_direction1, &d.parentDirection },
            { &m_direction2, &d.childDirection },
        } };
        for (const auto& [boxes, out] : fields) {
            const std::variant<Index3, QString> read = index(*boxes);
            if (const QString* why = std::get_if<QString>(&read))
                return *why;
            *out = std::get<Index3>(read);
        }
        return SecondPlacement(d);
    }
    case ByTwinPlane:
    case ByTwinAxis: {
        const bool plane = m_placements->checkedId() == ByTwinPlane;
        const std::variant<Index3, QString> read = index(plane ? m_twinPlane : m_twinAxis);
        if (const QString* why = std::get_if<QString>(&read))
            return *why;
        if (plane)
            return SecondPlacement(TwinPlane { std::get<Index3>(read) });
        return SecondPlacement(TwinAxis { std::get<Index3>(read) });
    }
    default:
        break;
    }
    QStringList texts;
    std::array<double, 3> angles {};
    for (std::size_t k = 0; k < 3; ++k) {
        texts << txtEuler[k]->text();
        const std::optional<double> value = ParseNumericText(txtEuler[k]->text());
        if (!value)
            return SecondCrystalWindowMessages::EulerNotNumeric;
        angles[k] = *value;
    }
    if (texts == m_shownEulerTexts)
        return SecondPlacement(m_shownEuler);
    return SecondPlacement(EulerAngles { angles[0], angles[1], angles[2] });
}

std::variant<SecondCrystal, QString> frmSecondCrystal::make(int variant) const
{
    const std::variant<SecondPlacement, QString> placed = placement();
    if (const QString* why = std::get_if<QString>(&placed))
        return *why;
    Lattice lattice = m_first.lattice;
    SpaceGroup group = m_first.group;
    const int way = m_placements->checkedId();
    if (way != ByTwinPlane && way != ByTwinAxis) {
        const auto read = m_lattice->read();
        if (const QString* why = std::get_if<QString>(&read))
            return *why;
        std::tie(lattice, group) = std::get<std::pair<Lattice, SpaceGroup>>(read);
    }
    // A name belongs to the crystal it came with.
    QString name = m_current && m_current->lattice == lattice && m_current->group == group
        ? m_current->name
        : QString();
    if (m_cif && std::get<0>(*m_cif) == lattice && std::get<1>(*m_cif) == group)
        name = std::get<2>(*m_cif);
    auto made
        = SecondCrystal::Make(m_first, lattice, group, name, std::get<SecondPlacement>(placed),
            variant, chkNet->isChecked(), chkVariantNumbers->isChecked());
    if (auto* second = std::get_if<SecondCrystal>(&made))
        second->colour = chkColour->isChecked();
    return made;
}

void frmSecondCrystal::showCif(const Lattice& lattice, const SpaceGroup& group, const QString& name)
{
    m_cif = { lattice, group, name };
    // A twin has the first's lattice: a crystal read is placed otherwise.
    if (m_placements->checkedId() == ByTwinPlane || m_placements->checkedId() == ByTwinAxis)
        m_placements->button(ByRelationship)->setChecked(true);
    m_lattice->showLattice(lattice, group);
    latticeEdited();
}

std::variant<SecondCrystal, QString> frmSecondCrystal::settings() const
{
    return make(chkAllVariants->isChecked() ? AllVariants : spnVariant->value());
}

void frmSecondCrystal::accept()
{
    const std::variant<SecondCrystal, QString> made = settings();
    if (const QString* why = std::get_if<QString>(&made)) {
        QMessageBox box(QMessageBox::NoIcon, ApplicationTitle, *why, QMessageBox::Ok, this);
        box.exec();
        return;
    }
    QDialog::accept();
}
