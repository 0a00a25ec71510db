#include "freeview/frmCrystal.h"

#include "crystal/LowIndex.h"
#include "plotting/CheckIndex.h"
#include "plotting/NumericText.h"
#include "ui/ApplicationInfo.h"
#include "ui/FormFont.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

const QString frmCrystal::Title = QStringLiteral("結晶と方位");

namespace {

constexpr ProjectionKind Projections[]
    = { ProjectionKind::Stereographic, ProjectionKind::EqualArea };

// A turned centre or up as the nearest low-index direction, when it lies
// within this of it; otherwise its indices to 4 decimals.
constexpr double LowIndexReach = 0.05;
constexpr int LowIndexLimit = 6;

struct ShownDirection
{
    std::array<QString, 3> texts;
    QString deviation;
};

ShownDirection ShowDirection(const Lattice& lattice, const Vector3& indices)
{
    ShownDirection shown;
    const std::optional<LowIndexForm> low
        = NearestLowIndex(lattice, IndexKind::Direction, lattice.direction(indices), LowIndexLimit);
    if (low && low->deviation <= LowIndexReach) {
        for (std::size_t k = 0; k < 3; ++k)
            shown.texts[k] = QString::number(low->index[k]);
        if (low->deviation >= 0.00005)
            shown.deviation = QStringLiteral("（ずれ %1°）").arg(low->deviation, 0, 'f', 4);
        return shown;
    }
    for (std::size_t k = 0; k < 3; ++k)
        shown.texts[k] = QString::number(indices[k] + 0.0, 'f', 4);
    return shown;
}

QLineEdit* NumberBox(QWidget* parent, const char* name, const QString& accessible)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessible);
    box->setMaximumWidth(90);
    return box;
}

} // namespace

frmCrystal::frmCrystal(const Crystal& current, QWidget* parent)
    : QDialog(parent)
    , m_current(current)
{
    setObjectName(QStringLiteral("frmCrystal"));
    setWindowTitle(Title);
    setFont(FormFont(DefaultPointSize, false));

    m_lattice = new LatticeFields(this);

    auto* orientation = new QGroupBox(QStringLiteral("方位"), this);
    auto* orientationForm = new QFormLayout(orientation);
    // Wide enough for a turned direction's "-0.5022".
    const int directionWidth = fontMetrics().horizontalAdvance(QStringLiteral("-00.0000")) + 16;
    const auto directionRow = [&](std::array<QLineEdit*, 3>& boxes, QLineEdit*& third,
                                  QLabel*& deviation, const char* prefix, const QString& caption) {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(QStringLiteral("["), this));
        for (std::size_t k = 0; k < 3; ++k) {
            boxes[k] = NumberBox(this, (QByteArray(prefix) + char('U' + k)).constData(),
                caption + QLatin1Char(' ') + QChar(u'u' + char16_t(k)));
            boxes[k]->setMaximumWidth(directionWidth);
            boxes[k]->setMinimumWidth(directionWidth);
            row->addWidget(boxes[k]);
        }
        // t of [u v t w], between v and w, for a crystal written in four
        // indices; left empty, the three are [u v w].
        third = NumberBox(
            this, (QByteArray(prefix) + 'T').constData(), caption + QStringLiteral(" t"));
        third->setMaximumWidth(directionWidth);
        third->setMinimumWidth(directionWidth);
        third->setPlaceholderText(QStringLiteral("t"));
        row->insertWidget(3, third);
        row->addWidget(new QLabel(QStringLiteral("]"), this));
        deviation = new QLabel(this);
        row->addWidget(deviation);
        row->addStretch();
        orientationForm->addRow(caption, row);
    };
    directionRow(
        txtCentre, txtCentreT, lblCentreDeviation, "txtCentre", QStringLiteral("中心の方向"));
    directionRow(txtUp, txtUpT, lblUpDeviation, "txtUp", QStringLiteral("上の方向"));
    auto* fourHint = new QLabel(
        QStringLiteral("六方晶と三方晶では t を入れると四指数 [u v t w]（t = -(u + v)）で読みます"),
        this);
    fourHint->setObjectName(QStringLiteral("lblFourHint"));
    fourHint->setWordWrap(true);
    orientationForm->addRow(fourHint);
    m_fourHint = fourHint;
    auto* upHint = new QLabel(
        QStringLiteral("上の方向を空けると、中心に垂直な低指数の方向を選びます"), this);
    upHint->setWordWrap(true);
    orientationForm->addRow(upHint);

    auto* net = new QGroupBox(QStringLiteral("極点図"), this);
    auto* netForm = new QFormLayout(net);
    cboProjection = new QComboBox(this);
    cboProjection->setObjectName(QStringLiteral("cboProjection"));
    for (const ProjectionKind kind : Projections)
        cboProjection->addItem(ProjectionName(kind));
    netForm->addRow(QStringLiteral("投影"), cboProjection);
    spnLimit = new QSpinBox(this);
    spnLimit->setObjectName(QStringLiteral("spnLimit"));
    spnLimit->setRange(1, 10);
    netForm->addRow(QStringLiteral("面指数の上限"), spnLimit);
    chkZoneCircles = new QCheckBox(QStringLiteral("晶帯円を描く"), this);
    chkZoneCircles->setObjectName(QStringLiteral("chkZoneCircles"));
    chkWulffNet = new QCheckBox(this);
    chkWulffNet->setObjectName(QStringLiteral("chkWulffNet"));
    chkAbsences = new QCheckBox(QStringLiteral("消滅則（空間群で消えない反射だけを描く）"), this);
    chkAbsences->setObjectName(QStringLiteral("chkAbsences"));
    netForm->addRow(chkZoneCircles);
    netForm->addRow(chkWulffNet);
    netForm->addRow(chkAbsences);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &frmCrystal::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &frmCrystal::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lattice);
    layout->addWidget(orientation);
    layout->addWidget(net);
    layout->addWidget(buttons);

    showSettings(current);
    connect(m_lattice, &LatticeFields::edited, this, &frmCrystal::systemChosen);
    connect(cboProjection, &QComboBox::currentIndexChanged, this, &frmCrystal::projectionChosen);
}

void frmCrystal::showSettings(const Crystal& crystal)
{
    const ShownDirection centre = ShowDirection(crystal.lattice, crystal.centre());
    const ShownDirection up = ShowDirection(crystal.lattice, crystal.up());
    for (std::size_t k = 0; k < 3; ++k) {
        txtCentre[k]->setText(centre.texts[k]);
        txtUp[k]->setText(up.texts[k]);
    }
    lblCentreDeviation->setText(centre.deviation);
    lblUpDeviation->setText(up.deviation);
    m_current = crystal;
    m_shownDirections = directionTexts();
    const auto kind
        = std::find(std::begin(Projections), std::end(Projections), crystal.net.projection);
    cboProjection->setCurrentIndex(int(kind - std::begin(Projections)));
    projectionChosen();
    spnLimit->setValue(crystal.net.limit);
    chkZoneCircles->setChecked(crystal.net.zoneCircles);
    chkWulffNet->setChecked(crystal.net.wulffNet);
    chkAbsences->setChecked(crystal.net.absences);
    m_lattice->showLattice(crystal.lattice, crystal.group);
    systemChosen();
}

// A crystal written in four indices takes t for its directions.
void frmCrystal::systemChosen()
{
    const bool four = UsesFourIndices(m_lattice->system());
    for (QWidget* fourth : std::initializer_list<QWidget*> { txtCentreT, txtUpT, m_fourHint })
        fourth->setVisible(four);
}

QStringList frmCrystal::directionTexts() const
{
    QStringList texts;
    for (const auto* boxes : { &txtCentre, &txtUp })
        for (const QLineEdit* box : *boxes)
            texts << box->text();
    return texts << txtCentreT->text() << txtUpT->text();
}

std::variant<std::optional<Vector3>, QString> frmCrystal::direction(
    const std::array<QLineEdit*, 3>& boxes, const QLineEdit* third) const
{
    std::array<double, 4> four {};
    bool empty = true;
    for (std::size_t k = 0; k < 3; ++k) {
        const QString text = boxes[k]->text().trimmed();
        empty = empty && text.isEmpty();
        const std::optional<double> value = ParseNumericText(text);
        if (!text.isEmpty() && (!value || !std::isfinite(*value)))
            return CrystalMessages::DirectionNotNumeric;
        four[k == 2 ? 3 : k] = value.value_or(0.0);
    }
    const QString thirdText = third->isVisibleTo(this) ? third->text().trimmed() : QString();
    if (thirdText.isEmpty())
        return empty ? std::nullopt : std::optional(Vector3 { four[0], four[1], four[3] });
    const std::optional<double> t = ParseNumericText(thirdText);
    if (!t || !std::isfinite(*t))
        return CrystalMessages::DirectionNotNumeric;
    four[2] = *t;
    // Checked as the index boxes check it.
    const std::optional<std::array<double, 3>> three = ThreeIndexForm(IndexKind::Direction, four);
    if (!three)
        return Messages::BadThirdDirection.arg(
            QString::number(ThirdIndex(four[0], four[1]), 'g', 15), QString::number(*t, 'g', 15));
    return std::optional(Vector3 { (*three)[0], (*three)[1], (*three)[2] });
}

// The net for reading angles is named after its projection.
void frmCrystal::projectionChosen()
{
    chkWulffNet->setText(chosenProjection() == ProjectionKind::EqualArea
            ? QStringLiteral("シュミットネットを描く")
            : QStringLiteral("ウルフネットを描く"));
}

ProjectionKind frmCrystal::chosenProjection() const
{
    return Projections[std::max(0, cboProjection->currentIndex())];
}

std::variant<Crystal, QString> frmCrystal::settings() const
{
    const std::variant<LatticeParameters, QString> parameters = m_lattice->parameters();
    if (const QString* why = std::get_if<QString>(&parameters))
        return *why;
    for (const QLineEdit* box : txtCentre)
        if (box->text().trimmed().isEmpty())
            return CrystalMessages::DirectionNotNumeric;
    const std::variant<std::optional<Vector3>, QString> centre = direction(txtCentre, txtCentreT);
    if (const QString* why = std::get_if<QString>(&centre))
        return *why;
    // Left empty, up is the default one.
    const std::variant<std::optional<Vector3>, QString> up = direction(txtUp, txtUpT);
    if (const QString* why = std::get_if<QString>(&up))
        return *why;
    const NetOptions net { spnLimit->value(), chkZoneCircles->isChecked(), chkWulffNet->isChecked(),
        chkAbsences->isChecked(), chosenProjection() };
    const std::variant<SpaceGroup, QString> group = m_lattice->group();
    if (const QString* why = std::get_if<QString>(&group))
        return *why;
    std::variant<Crystal, QString> made = Crystal::Make(m_lattice->system(),
        std::get<LatticeParameters>(parameters), *std::get<std::optional<Vector3>>(centre),
        std::get<std::optional<Vector3>>(up), net, std::get<SpaceGroup>(group));
    if (Crystal* crystal = std::get_if<Crystal>(&made)) {
        // Directions shown rounded and left as they were keep the orientation
        // exactly: OK alone must not turn the crystal by the rounding. Else
        // the holder's tilt and limits stay, and what was typed is the
        // crystal as drawn at that tilt.
        if (directionTexts() == m_shownDirections && crystal->lattice == m_current.lattice)
            crystal->orientation = m_current.orientation;
        else
            crystal->orientation = m_current.orientation.withDrawn(crystal->orientation.zeroTilt);
        // A name belongs to the crystal it came with.
        if (crystal->lattice == m_current.lattice && crystal->group == m_current.group)
            crystal->name = m_current.name;
    }
    return made;
}

void frmCrystal::accept()
{
    const std::variant<Crystal, QString> made = settings();
    if (const QString* why = std::get_if<QString>(&made)) {
        QMessageBox box(QMessageBox::NoIcon, ApplicationTitle, *why, QMessageBox::Ok, this);
        box.exec();
        return;
    }
    QDialog::accept();
}
