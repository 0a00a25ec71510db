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

QString systemCaption(LatticeSystem system)
{
    if (system == LatticeSystem::Trigonal)
        return SystemName(system) + QStringLiteral("（六方晶の軸）");
    if (system == LatticeSystem::Monoclinic)
        return SystemName(system) + QStringLiteral("（b 軸が特異軸）");
    return SystemName(system);
}

QString number(double value)
{
    return QString::number(value, 'g', 8);
}

QLineEdit* numberBox(QWidget* parent, const char* name, const QString& accessible)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessible);
    box->setMaximumWidth(90);
    return box;
}

} // namespace

frmCrystal::frmCrystal(const FreeViewSettings& current, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCrystal"));
    setWindowTitle(Title);
    setFont(FormFont(DefaultPointSize, false));

    cboSystem = new QComboBox(this);
    cboSystem->setObjectName(QStringLiteral("cboSystem"));
    for (LatticeSystem system : Systems)
        cboSystem->addItem(systemCaption(system));
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
    const std::array<QString, 6> names { QStringLiteral("a"), QStringLiteral("b"),
        QStringLiteral("c"), QStringLiteral("α"), QStringLiteral("β"), QStringLiteral("γ") };
    const std::array<const char*, 6> objectNames { "txtA", "txtB", "txtC", "txtAlpha", "txtBeta",
        "txtGamma" };
    for (std::size_t k = 0; k < 6; ++k) {
        const QString unit = k < 3 ? QStringLiteral("Å") : QStringLiteral("°");
        txtCell[k] = numberBox(this, objectNames[k], names[k]);
        auto* label = new QLabel(names[k], this);
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
                  boxes[k] = numberBox(this, (QByteArray(prefix) + char('U' + k)).constData(),
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
    spnLimit = new QSpinBox(this);
    spnLimit->setObjectName(QStringLiteral("spnLimit"));
    spnLimit->setRange(1, 10);
    netForm->addRow(QStringLiteral("面指数の上限"), spnLimit);
    chkZoneCircles = new QCheckBox(QStringLiteral("晶帯円を描く"), this);
    chkZoneCircles->setObjectName(QStringLiteral("chkZoneCircles"));
    chkWulffNet = new QCheckBox(QStringLiteral("ウルフネットを描く"), this);
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
    connect(cboPreset, &QComboBox::activated, this, &frmCrystal::presetChosen);
}

void frmCrystal::showSettings(const FreeViewSettings& settings)
{
    const auto found = std::find(std::begin(Systems), std::end(Systems), settings.system);
    cboSystem->setCurrentIndex(int(found - std::begin(Systems)));
    const LatticeParameters& p = settings.parameters;
    const std::array<double, 6> values { p.a, p.b, p.c, p.alpha, p.beta, p.gamma };
    for (std::size_t k = 0; k < 6; ++k)
        txtCell[k]->setText(number(values[k]));
    const Vector3 centre = settings.centre();
    const Vector3 up = settings.up();
    for (std::size_t k = 0; k < 3; ++k) {
        txtCentre[k]->setText(number(centre[k]));
        txtUp[k]->setText(number(up[k]));
    }
    spnLimit->setValue(settings.net.limit);
    chkZoneCircles->setChecked(settings.net.zoneCircles);
    chkWulffNet->setChecked(settings.net.wulffNet);
    systemChosen();
}

// The fields the system fixes show the values it fixes them to and take
// no typing.
void frmCrystal::systemChosen()
{
    const LatticeSystem system = Systems[std::max(0, cboSystem->currentIndex())];
    const std::array<bool, 6> free = FreeParameters(system);
    LatticeParameters p;
    std::array<double*, 6> fields { &p.a, &p.b, &p.c, &p.alpha, &p.beta, &p.gamma };
    for (std::size_t k = 0; k < 6; ++k)
        *fields[k] = ParseNumericText(txtCell[k]->text()).value_or(k < 3 ? 1.0 : 90.0);
    const LatticeParameters fixed = Constrained(system, p);
    const std::array<double, 6> shown { fixed.a, fixed.b, fixed.c, fixed.alpha, fixed.beta,
        fixed.gamma };
    for (std::size_t k = 0; k < 6; ++k) {
        txtCell[k]->setEnabled(free[k]);
        if (!free[k])
            txtCell[k]->setText(number(shown[k]));
    }
}

void frmCrystal::presetChosen(int index)
{
    if (index <= 0 || index > int(CrystalPresets().size()))
        return;
    const CrystalPreset& preset = CrystalPresets()[std::size_t(index - 1)];
    const auto found = std::find(std::begin(Systems), std::end(Systems), preset.system);
    cboSystem->setCurrentIndex(int(found - std::begin(Systems)));
    const LatticeParameters& p = preset.parameters;
    const std::array<double, 6> values { p.a, p.b, p.c, p.alpha, p.beta, p.gamma };
    for (std::size_t k = 0; k < 6; ++k)
        txtCell[k]->setText(number(values[k]));
    systemChosen();
}

std::variant<FreeViewSettings, QString> frmCrystal::settings() const
{
    const LatticeSystem system = Systems[std::max(0, cboSystem->currentIndex())];
    std::array<double, 6> cell {};
    for (std::size_t k = 0; k < 6; ++k) {
        const std::optional<double> value = ParseNumericText(txtCell[k]->text());
        if (!value)
            return CrystalMessages::CellNotNumeric;
        cell[k] = *value;
    }
    const LatticeParameters parameters { cell[0], cell[1], cell[2], cell[3], cell[4], cell[5] };
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
    const NetOptions net { spnLimit->value(), chkZoneCircles->isChecked(),
        chkWulffNet->isChecked() };
    if (!upGiven) {
        const std::variant<Lattice, QString> lattice = Lattice::Make(system, parameters);
        if (const QString* why = std::get_if<QString>(&lattice))
            return *why;
        up = DefaultUp(std::get<Lattice>(lattice), centre);
    }
    std::variant<FreeViewSettings, QString> made
        = FreeViewSettings::Make(system, parameters, centre, up, net);
    return made;
}

void frmCrystal::accept()
{
    const std::variant<FreeViewSettings, QString> made = settings();
    if (const QString* why = std::get_if<QString>(&made)) {
        QMessageBox box(QMessageBox::NoIcon, ApplicationTitle, *why, QMessageBox::Ok, this);
        box.exec();
        return;
    }
    QDialog::accept();
}
