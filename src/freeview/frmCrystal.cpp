#include "freeview/frmCrystal.h"

#include "crystal/Presets.h"
#include "plotting/NumericText.h"
#include "ui/ApplicationInfo.h"
#include "ui/FormFont.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
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

constexpr LatticeSystem Systems[] = { LatticeSystem::Cubic, LatticeSystem::Tetragonal,
    LatticeSystem::Orthorhombic, LatticeSystem::Hexagonal, LatticeSystem::Trigonal,
    LatticeSystem::Monoclinic, LatticeSystem::Triclinic };

constexpr ProjectionKind Projections[]
    = { ProjectionKind::Stereographic, ProjectionKind::EqualArea };

QString SystemCaption(LatticeSystem system)
{
    if (system == LatticeSystem::Trigonal)
        return SystemName(system) + QStringLiteral("（六方晶の軸）");
    if (system == LatticeSystem::Monoclinic)
        return SystemName(system) + QStringLiteral("（b 軸が特異軸）");
    return SystemName(system);
}

QString Number(double value)
{
    return QString::number(value, 'g', 8);
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
{
    setObjectName(QStringLiteral("frmCrystal"));
    setWindowTitle(Title);
    setFont(FormFont(DefaultPointSize, false));

    cboSystem = new QComboBox(this);
    cboSystem->setObjectName(QStringLiteral("cboSystem"));
    for (LatticeSystem system : Systems)
        cboSystem->addItem(SystemCaption(system));
    cboPreset = new QComboBox(this);
    cboPreset->setObjectName(QStringLiteral("cboPreset"));
    cboPreset->addItem(QStringLiteral("（選んでください）"));
    for (const CrystalPreset& preset : CrystalPresets())
        cboPreset->addItem(preset.name);

    auto* crystal = new QGroupBox(QStringLiteral("結晶"), this);
    auto* crystalForm = new QFormLayout(crystal);
    crystalForm->addRow(QStringLiteral("結晶系"), cboSystem);
    crystalForm->addRow(QStringLiteral("結晶の例"), cboPreset);
    auto* cell = new QGridLayout;
    const std::array<const char*, 6> objectNames { "txtA", "txtB", "txtC", "txtAlpha", "txtBeta",
        "txtGamma" };
    for (std::size_t k = 0; k < 6; ++k) {
        const QString unit = k < 3 ? QStringLiteral("Å") : QStringLiteral("°");
        txtCell[k] = NumberBox(this, objectNames[k], ParameterSymbols[k]);
        auto* label = new QLabel(ParameterSymbols[k], this);
        label->setBuddy(txtCell[k]);
        const int row = int(k / 3);
        const int column = int(k % 3) * 3;
        cell->addWidget(label, row, column);
        cell->addWidget(txtCell[k], row, column + 1);
        cell->addWidget(new QLabel(unit, this), row, column + 2);
    }
    crystalForm->addRow(QStringLiteral("格子定数"), cell);

    auto* orientation = new QGroupBox(QStringLiteral("方位"), this);
    auto* orientationForm = new QFormLayout(orientation);
    const auto directionRow
        = [&](std::array<QLineEdit*, 3>& boxes, const char* prefix, const QString& caption) {
              auto* row = new QHBoxLayout;
              row->addWidget(new QLabel(QStringLiteral("["), this));
              for (std::size_t k = 0; k < 3; ++k) {
                  boxes[k] = NumberBox(this, (QByteArray(prefix) + char('U' + k)).constData(),
                      caption + QLatin1Char(' ') + QChar(u'u' + char16_t(k)));
                  boxes[k]->setMaximumWidth(70);
                  row->addWidget(boxes[k]);
              }
              row->addWidget(new QLabel(QStringLiteral("]"), this));
              row->addStretch();
              orientationForm->addRow(caption, row);
          };
    directionRow(txtCentre, "txtCentre", QStringLiteral("中心の方向"));
    directionRow(txtUp, "txtUp", QStringLiteral("上の方向"));
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
    netForm->addRow(chkZoneCircles);
    netForm->addRow(chkWulffNet);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &frmCrystal::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &frmCrystal::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(crystal);
    layout->addWidget(orientation);
    layout->addWidget(net);
    layout->addWidget(buttons);

    showSettings(current);
    connect(cboSystem, &QComboBox::currentIndexChanged, this, &frmCrystal::systemChosen);
    connect(cboProjection, &QComboBox::currentIndexChanged, this, &frmCrystal::projectionChosen);
    connect(cboPreset, &QComboBox::activated, this, &frmCrystal::presetChosen);
}

void frmCrystal::showSettings(const Crystal& crystal)
{
    const auto found = std::find(std::begin(Systems), std::end(Systems), crystal.system());
    cboSystem->setCurrentIndex(int(found - std::begin(Systems)));
    const std::array<double, 6> values = crystal.lattice.parameters().values();
    for (std::size_t k = 0; k < values.size(); ++k)
        txtCell[k]->setText(Number(values[k]));
    const Vector3 centre = crystal.centre();
    const Vector3 up = crystal.up();
    for (std::size_t k = 0; k < 3; ++k) {
        txtCentre[k]->setText(Number(centre[k]));
        txtUp[k]->setText(Number(up[k]));
    }
    const auto kind
        = std::find(std::begin(Projections), std::end(Projections), crystal.net.projection);
    cboProjection->setCurrentIndex(int(kind - std::begin(Projections)));
    projectionChosen();
    spnLimit->setValue(crystal.net.limit);
    chkZoneCircles->setChecked(crystal.net.zoneCircles);
    chkWulffNet->setChecked(crystal.net.wulffNet);
    systemChosen();
}

// The fields the system fixes show the values it fixes them to and take
// no typing.
void frmCrystal::systemChosen()
{
    const LatticeSystem system = Systems[std::max(0, cboSystem->currentIndex())];
    const std::array<bool, 6> free = FreeParameters(system);
    std::array<double, 6> typed {};
    for (std::size_t k = 0; k < typed.size(); ++k)
        typed[k] = ParseNumericText(txtCell[k]->text()).value_or(k < 3 ? 1.0 : 90.0);
    const std::array<double, 6> shown
        = Constrained(system, LatticeParameters::FromValues(typed)).values();
    for (std::size_t k = 0; k < shown.size(); ++k) {
        txtCell[k]->setEnabled(free[k]);
        if (!free[k])
            txtCell[k]->setText(Number(shown[k]));
    }
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

void frmCrystal::presetChosen(int index)
{
    if (index <= 0 || index > int(CrystalPresets().size()))
        return;
    const CrystalPreset& preset = CrystalPresets()[std::size_t(index - 1)];
    const auto found = std::find(std::begin(Systems), std::end(Systems), preset.system);
    cboSystem->setCurrentIndex(int(found - std::begin(Systems)));
    const std::array<double, 6> values = preset.parameters.values();
    for (std::size_t k = 0; k < values.size(); ++k)
        txtCell[k]->setText(Number(values[k]));
    systemChosen();
}

std::variant<Crystal, QString> frmCrystal::settings() const
{
    const LatticeSystem system = Systems[std::max(0, cboSystem->currentIndex())];
    std::array<double, 6> cell {};
    for (std::size_t k = 0; k < 6; ++k) {
        const std::optional<double> value = ParseNumericText(txtCell[k]->text());
        if (!value)
            return CrystalMessages::CellNotNumeric;
        cell[k] = *value;
    }
    const LatticeParameters parameters = LatticeParameters::FromValues(cell);
    Vector3 centre {};
    Vector3 up {};
    bool upGiven = false;
    for (std::size_t k = 0; k < 3; ++k) {
        const std::optional<double> c = ParseNumericText(txtCentre[k]->text());
        if (!c || !std::isfinite(*c))
            return CrystalMessages::DirectionNotNumeric;
        centre[k] = *c;
        const QString upText = txtUp[k]->text().trimmed();
        if (upText.isEmpty())
            continue;
        const std::optional<double> u = ParseNumericText(upText);
        if (!u || !std::isfinite(*u))
            return CrystalMessages::DirectionNotNumeric;
        up[k] = *u;
        upGiven = true;
    }
    const NetOptions net { spnLimit->value(), chkZoneCircles->isChecked(), chkWulffNet->isChecked(),
        chosenProjection() };
    // Left empty, up is the default one.
    return Crystal::Make(
        system, parameters, centre, upGiven ? std::optional(up) : std::nullopt, net);
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
