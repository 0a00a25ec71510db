#include "freeview/frmOrientation.h"

#include "crystal/LowIndex.h"
#include "freeview/TwoPolesPanel.h"
#include "freeview/ZoneAxesPanel.h"
#include "plotting/NumericText.h"
#include "ui/FormFont.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

const QString frmOrientation::Title = QStringLiteral("方位");

namespace {

// The centre and up are named by directions with indices up to this.
constexpr int LowIndexLimit = 3;

const QString Conventions = QStringLiteral(
    "座標系: 試料の X は右、Y は上、Z は手前（投影の中心）。結晶の x ∥ a、z ∥ c*（a–b 面の"
    "法線）、y = z × x。六方晶・三方晶では x ∥ a₁、z ∥ c。\n"
    "方位 g は受動的（Bunge の Z X Z）: 試料の座標を結晶の座標に移します（v結晶 = g·v試料）。"
    "g = Z(φ₂)·X(Φ)·Z(φ₁)。結晶の方向は v試料 = gᵀ·v結晶 に描かれます。角度は度で、φ₁ と "
    "φ₂ は 0° から 360°、Φ は 0° から 180°。Φ が 0° か 180° のときは φ₂ = 0 とします。\n"
    "ホルダー: α は試料の X 軸まわり、β は α で傾いたホルダーの Y 軸まわりの傾斜で、"
    "T(α, β) = R_X(α)·R_Y(β)。右手系で、軸の先から原点を見て反時計回りが正。描く結晶は "
    "g = g₀·Tᵀ（g₀ は傾斜 0 の方位）。");

// "0.123456", never "-0.000000".
QString Fixed(double value, int decimals)
{
    const QString text = QString::number(value, 'f', decimals);
    const QString zero = QString::number(0.0, 'f', decimals);
    return text == u'-' + zero ? zero : text;
}

QString EulerText(const EulerAngles& e)
{
    return QStringLiteral("φ₁ %1°　Φ %2°　φ₂ %3°")
        .arg(Fixed(e.phi1, 3), Fixed(e.Phi, 3), Fixed(e.phi2, 3));
}

QLineEdit* NumberField(QWidget* parent, const char* name, const QString& accessible)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessible);
    box->setMaximumWidth(90);
    box->setAlignment(Qt::AlignRight);
    return box;
}

QLabel* ValueLabel(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// A row of fields, each with its caption before it and a degree sign after.
QHBoxLayout* FieldRow(QWidget* parent, const std::vector<std::pair<QString, QLineEdit*>>& fields)
{
    auto* row = new QHBoxLayout;
    for (const auto& [caption, field] : fields) {
        auto* label = new QLabel(caption, parent);
        label->setBuddy(field);
        row->addWidget(label);
        row->addWidget(field);
        row->addWidget(new QLabel(QStringLiteral("°"), parent));
    }
    row->addStretch();
    return row;
}

// The field of the first angle CheckedEuler refuses.
std::size_t FaultyEuler(const std::array<double, 3>& typed)
{
    for (std::size_t k = 0; k < 3; ++k)
        if (!std::isfinite(typed[k]))
            return k;
    if (!(typed[1] >= 0.0 && typed[1] <= 180.0))
        return 1;
    return std::fabs(typed[0]) <= 360.0 ? 2 : 0;
}

// The direction nearest a Cartesian vector of the crystal, and how far.
QString DirectionText(const Crystal& crystal, const Vector3& v)
{
    const std::optional<LowIndexForm> form
        = NearestLowIndex(crystal.lattice, IndexKind::Direction, v, LowIndexLimit);
    if (!form)
        return {};
    return QStringLiteral("%1　ずれ %2°")
        .arg(IndexText(IndexKind::Direction, form->index, crystal.fourIndices()),
            Fixed(form->deviation, 3));
}

} // namespace

frmOrientation::frmOrientation(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmOrientation"));
    setWindowTitle(Title);
    setFont(FormFont(DefaultPointSize, false));

    m_sections = new QWidget(this);
    auto* euler = new QGroupBox(QStringLiteral("オイラー角（Bunge Z X Z、受動）"), m_sections);
    const std::array<const char*, 3> eulerNames { "txtPhi1", "txtPhi", "txtPhi2" };
    const std::array<QString, 3> eulerSymbols { QStringLiteral("φ₁"), QStringLiteral("Φ"),
        QStringLiteral("φ₂") };
    for (std::size_t k = 0; k < 3; ++k) {
        m_euler[k] = NumberField(euler, eulerNames[k], eulerSymbols[k]);
        connect(m_euler[k], &QLineEdit::returnPressed, this, &frmOrientation::eulerEntered);
    }
    auto* eulerLayout = new QVBoxLayout(euler);
    eulerLayout->addLayout(FieldRow(euler,
        { { eulerSymbols[0], m_euler[0] }, { eulerSymbols[1], m_euler[1] },
            { eulerSymbols[2], m_euler[2] } }));
    auto* eulerNote = new QLabel(QStringLiteral("入力して Enter で結晶が回ります。"), euler);
    eulerLayout->addWidget(eulerNote);

    auto* matrix = new QGroupBox(QStringLiteral("方位行列 g（試料 → 結晶）"), m_sections);
    auto* matrixGrid = new QGridLayout(matrix);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            QLabel*& cell = m_matrix[std::size_t(3 * i + j)];
            cell = ValueLabel(matrix, QStringLiteral("lblG%1%2").arg(i + 1).arg(j + 1));
            cell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            matrixGrid->addWidget(cell, i, j);
        }

    auto* facing = new QGroupBox(QStringLiteral("中心と上の方向（近い低指数の方向）"), m_sections);
    auto* facingForm = new QFormLayout(facing);
    m_centre = ValueLabel(facing, QStringLiteral("lblCentre"));
    m_up = ValueLabel(facing, QStringLiteral("lblUp"));
    facingForm->addRow(QStringLiteral("中心"), m_centre);
    facingForm->addRow(QStringLiteral("上"), m_up);

    m_misorientationRow = new QWidget(m_sections);
    auto* misorientationLayout = new QHBoxLayout(m_misorientationRow);
    misorientationLayout->setContentsMargins(0, 0, 0, 0);
    m_misorientation = new QLineEdit(m_misorientationRow);
    m_misorientation->setObjectName(QStringLiteral("txtMisorientation"));
    m_misorientation->setReadOnly(true);
    auto* misorientationLabel
        = new QLabel(QStringLiteral("結晶1と結晶2の方位差"), m_misorientationRow);
    misorientationLabel->setBuddy(m_misorientation);
    m_misorientation->setAccessibleName(misorientationLabel->text());
    misorientationLayout->addWidget(misorientationLabel);
    misorientationLayout->addWidget(m_misorientation, 1);
    m_misorientationRow->hide();

    auto* holder = new QGroupBox(QStringLiteral("試料ホルダー（二軸傾斜）"), m_sections);
    m_alpha = NumberField(holder, "txtAlpha", QStringLiteral("傾斜 α"));
    m_beta = NumberField(holder, "txtBeta", QStringLiteral("傾斜 β"));
    m_alphaLimit = NumberField(holder, "txtAlphaLimit", QStringLiteral("α の限界"));
    m_betaLimit = NumberField(holder, "txtBetaLimit", QStringLiteral("β の限界"));
    for (QLineEdit* field : { m_alpha, m_beta })
        connect(field, &QLineEdit::returnPressed, this, &frmOrientation::tiltEntered);
    for (QLineEdit* field : { m_alphaLimit, m_betaLimit })
        connect(field, &QLineEdit::returnPressed, this, &frmOrientation::limitsEntered);
    m_zeroTilt = ValueLabel(holder, QStringLiteral("lblZeroTilt"));
    auto* holderLayout = new QVBoxLayout(holder);
    holderLayout->addLayout(FieldRow(
        holder, { { QStringLiteral("傾斜 α"), m_alpha }, { QStringLiteral("β"), m_beta } }));
    holderLayout->addLayout(FieldRow(holder,
        { { QStringLiteral("限界 α ±"), m_alphaLimit }, { QStringLiteral("β ±"), m_betaLimit } }));
    auto* zeroTiltRow = new QHBoxLayout;
    zeroTiltRow->addWidget(new QLabel(QStringLiteral("傾斜 0 の方位 g₀"), holder));
    zeroTiltRow->addWidget(m_zeroTilt, 1);
    holderLayout->addLayout(zeroTiltRow);

    m_twoPoles = new TwoPolesPanel(m_sections);
    m_zoneAxes = new ZoneAxesPanel(m_sections);
    connect(m_twoPoles, &TwoPolesPanel::solved, this, [this](const CrystalOrientation& drawn) {
        if (m_shown)
            emit orientationChosen(m_shown->orientation.withDrawn(drawn));
    });
    connect(m_zoneAxes, &ZoneAxesPanel::tiltChosen, this, [this](const HolderTilt& tilt) {
        if (m_shown)
            emit orientationChosen(m_shown->orientation.tiltedTo(tilt));
    });
    connect(m_twoPoles, &TwoPolesPanel::refused, this, &frmOrientation::refused);
    connect(m_zoneAxes, &ZoneAxesPanel::refused, this, &frmOrientation::refused);

    auto* left = new QVBoxLayout;
    for (QWidget* section :
        std::initializer_list<QWidget*> { euler, matrix, facing, m_misorientationRow, holder })
        left->addWidget(section);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(m_twoPoles);
    right->addWidget(m_zoneAxes, 1);
    auto* columns = new QHBoxLayout(m_sections);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->addLayout(left);
    columns->addLayout(right);

    m_freeOnly = new QLabel(QStringLiteral("方位は「任意の結晶と方位」の投影図で使えます。"), this);
    m_freeOnly->setObjectName(QStringLiteral("lblFreeOnly"));
    auto* conventions = new QLabel(Conventions, this);
    conventions->setObjectName(QStringLiteral("lblConventions"));
    conventions->setWordWrap(true);
    conventions->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_freeOnly);
    layout->addWidget(m_sections);
    layout->addWidget(conventions);
    showCrystal(nullptr);
}

void frmOrientation::showNumber(QLineEdit* field, const QString& text)
{
    // What the user is typing stays until Enter takes it or it is refused.
    if (field->isModified())
        return;
    if (field->text() != text)
        field->setText(text);
}

void frmOrientation::showCrystal(const Crystal* crystal)
{
    m_freeOnly->setVisible(!crystal);
    m_sections->setEnabled(crystal);
    if (!crystal) {
        m_twoPoles->stopWaiting();
        m_shown.reset();
        return;
    }
    if (m_shown && *m_shown == *crystal)
        return;
    m_shown = *crystal;
    const HeldOrientation& held = crystal->orientation;
    const CrystalOrientation drawn = held.drawn();
    const EulerAngles e = drawn.euler();
    showNumber(m_euler[0], Fixed(e.phi1, 3));
    showNumber(m_euler[1], Fixed(e.Phi, 3));
    showNumber(m_euler[2], Fixed(e.phi2, 3));
    const Matrix3& g = drawn.matrix();
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            m_matrix[3 * i + j]->setText(Fixed(g.rows[i][j], 6));
    // The sample's Z and Y axes in crystal coordinates are g's last columns.
    m_centre->setText(DirectionText(*crystal, g.column(2)));
    m_up->setText(DirectionText(*crystal, g.column(1)));
    showNumber(m_alpha, Fixed(held.tilt.alpha, 3));
    showNumber(m_beta, Fixed(held.tilt.beta, 3));
    showNumber(m_alphaLimit, QString::number(held.limits.alpha, 'g', 15));
    showNumber(m_betaLimit, QString::number(held.limits.beta, 'g', 15));
    m_zeroTilt->setText(EulerText(held.zeroTilt.euler()));
    m_twoPoles->showCrystal(*crystal);
    m_zoneAxes->showCrystal(*crystal);
}

void frmOrientation::showMisorientation(const std::optional<QString>& text)
{
    m_misorientation->setText(text.value_or(QString()));
    m_misorientationRow->setVisible(text.has_value());
}

void frmOrientation::keyPressEvent(QKeyEvent* event)
{
    // Escape takes back what was typed and not taken.
    if (event->key() != Qt::Key_Escape) {
        QWidget::keyPressEvent(event);
        return;
    }
    for (QLineEdit* field : findChildren<QLineEdit*>())
        field->setModified(false);
    if (const std::optional<Crystal> shown = std::exchange(m_shown, std::nullopt))
        showCrystal(&*shown);
}

void frmOrientation::hideEvent(QHideEvent* event)
{
    // A closed window waits for no place on the picture.
    m_twoPoles->stopWaiting();
    QWidget::hideEvent(event);
}

void frmOrientation::refuse(const QString& message, QLineEdit* field)
{
    emit refused(message);
    field->setFocus();
    field->selectAll();
}

void frmOrientation::eulerEntered()
{
    if (!m_shown || std::none_of(m_euler.begin(), m_euler.end(), [](QLineEdit* field) {
            return field->isModified();
        }))
        return;
    std::array<double, 3> typed {};
    for (std::size_t k = 0; k < 3; ++k) {
        const std::optional<double> value = ParseNumericText(m_euler[k]->text());
        if (!value)
            return refuse(OrientationMessages::EulerNotNumeric, m_euler[k]);
        typed[k] = *value;
    }
    const std::variant<CrystalOrientation, QString> checked
        = CheckedEuler({ typed[0], typed[1], typed[2] });
    if (const QString* why = std::get_if<QString>(&checked))
        return refuse(*why, m_euler[FaultyEuler(typed)]);
    for (QLineEdit* field : m_euler)
        field->setModified(false);
    emit orientationChosen(m_shown->orientation.withDrawn(std::get<CrystalOrientation>(checked)));
}

void frmOrientation::tiltEntered()
{
    if (!m_shown || (!m_alpha->isModified() && !m_beta->isModified()))
        return;
    const std::optional<double> alpha = ParseNumericText(m_alpha->text());
    const std::optional<double> beta = ParseNumericText(m_beta->text());
    if (!alpha || !beta)
        return refuse(OrientationMessages::TiltNotNumeric, alpha ? m_beta : m_alpha);
    const HeldOrientation& held = m_shown->orientation;
    const std::variant<HolderTilt, QString> checked = CheckedTilt(*alpha, *beta, held.limits);
    if (const QString* why = std::get_if<QString>(&checked))
        return refuse(*why, std::fabs(*alpha) <= held.limits.alpha ? m_beta : m_alpha);
    m_alpha->setModified(false);
    m_beta->setModified(false);
    emit orientationChosen(held.tiltedTo(std::get<HolderTilt>(checked)));
}

void frmOrientation::limitsEntered()
{
    if (!m_shown || (!m_alphaLimit->isModified() && !m_betaLimit->isModified()))
        return;
    const std::optional<double> alpha = ParseNumericText(m_alphaLimit->text());
    const std::optional<double> beta = ParseNumericText(m_betaLimit->text());
    if (!alpha || !beta)
        return refuse(OrientationMessages::LimitsNotNumeric, alpha ? m_betaLimit : m_alphaLimit);
    const std::variant<TiltLimits, QString> made = TiltLimits::Make(*alpha, *beta);
    if (const QString* why = std::get_if<QString>(&made))
        return refuse(*why, *alpha >= 0.0 && *alpha <= 90.0 ? m_betaLimit : m_alphaLimit);
    HeldOrientation held = m_shown->orientation;
    const TiltLimits limits = std::get<TiltLimits>(made);
    const std::variant<HolderTilt, QString> within
        = CheckedTilt(held.tilt.alpha, held.tilt.beta, limits);
    if (const QString* why = std::get_if<QString>(&within))
        return refuse(OrientationMessages::TiltBeyondNewLimits.arg(TiltText(held.tilt), *why),
            WithinReach({ held.tilt.alpha, 0.0 }, limits) ? m_betaLimit : m_alphaLimit);
    m_alphaLimit->setModified(false);
    m_betaLimit->setModified(false);
    held.limits = limits;
    emit orientationChosen(held);
}
