#include "freeview/LatticeFields.h"

#include "crystal/Presets.h"
#include "plotting/NumericText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace {

constexpr LatticeSystem Systems[] = { LatticeSystem::Cubic, LatticeSystem::Tetragonal,
    LatticeSystem::Orthorhombic, LatticeSystem::Hexagonal, LatticeSystem::Trigonal,
    LatticeSystem::Monoclinic, LatticeSystem::Triclinic };

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

int SystemIndex(LatticeSystem system)
{
    return int(std::find(std::begin(Systems), std::end(Systems), system) - std::begin(Systems));
}

} // namespace

LatticeFields::LatticeFields(QWidget* parent)
    : QGroupBox(QStringLiteral("結晶"), parent)
{
    cboSystem = new QComboBox(this);
    cboSystem->setObjectName(QStringLiteral("cboSystem"));
    for (LatticeSystem system : Systems)
        cboSystem->addItem(SystemCaption(system));
    cboPreset = new QComboBox(this);
    cboPreset->setObjectName(QStringLiteral("cboPreset"));
    cboPreset->addItem(QStringLiteral("（選んでください）"));
    for (const CrystalPreset& preset : CrystalPresets())
        cboPreset->addItem(preset.name);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("結晶系"), cboSystem);
    form->addRow(QStringLiteral("結晶の例"), cboPreset);
    auto* cell = new QGridLayout;
    const std::array<const char*, 6> objectNames { "txtA", "txtB", "txtC", "txtAlpha", "txtBeta",
        "txtGamma" };
    for (std::size_t k = 0; k < 6; ++k) {
        const QString unit = k < 3 ? QStringLiteral("Å") : QStringLiteral("°");
        txtCell[k] = new QLineEdit(this);
        txtCell[k]->setObjectName(QLatin1String(objectNames[k]));
        txtCell[k]->setAccessibleName(ParameterSymbols[k]);
        txtCell[k]->setMaximumWidth(90);
        auto* label = new QLabel(ParameterSymbols[k], this);
        label->setBuddy(txtCell[k]);
        const int row = int(k / 3);
        const int column = int(k % 3) * 3;
        cell->addWidget(label, row, column);
        cell->addWidget(txtCell[k], row, column + 1);
        cell->addWidget(new QLabel(unit, this), row, column + 2);
    }
    form->addRow(QStringLiteral("格子定数"), cell);
    txtSpaceGroup = new QLineEdit(this);
    txtSpaceGroup->setObjectName(QStringLiteral("txtSpaceGroup"));
    txtSpaceGroup->setAccessibleName(QStringLiteral("空間群"));
    txtSpaceGroup->setAccessibleDescription(
        QStringLiteral("ヘルマン・モーガンの記号（F m -3 m など）か番号（1～230）。"
                       "結晶系に合う空間群でなければなりません"));
    txtSpaceGroup->setPlaceholderText(QStringLiteral("F m -3 m、P 63/m m c、225 など"));
    form->addRow(QStringLiteral("空間群"), txtSpaceGroup);

    connect(cboSystem, &QComboBox::currentIndexChanged, this, &LatticeFields::systemChosen);
    connect(cboPreset, &QComboBox::activated, this, &LatticeFields::presetChosen);
    for (QLineEdit* box : txtCell)
        connect(box, &QLineEdit::textEdited, this, &LatticeFields::edited);
    connect(txtSpaceGroup, &QLineEdit::textEdited, this, &LatticeFields::edited);
}

void LatticeFields::showLattice(const Lattice& lattice, const SpaceGroup& group)
{
    {
        const QSignalBlocker blocker(cboSystem);
        cboSystem->setCurrentIndex(SystemIndex(lattice.system()));
    }
    const std::array<double, 6> values = lattice.parameters().values();
    for (std::size_t k = 0; k < values.size(); ++k)
        txtCell[k]->setText(Number(values[k]));
    // The crystal list names the crystal in use when it is one of the list's.
    const auto presets = CrystalPresets();
    for (std::size_t k = 0; k < presets.size(); ++k)
        if (presets[k].system == lattice.system()
            && Constrained(presets[k].system, presets[k].parameters) == lattice.parameters())
            cboPreset->setCurrentIndex(int(k + 1));
    m_shownSystem = lattice.system();
    txtSpaceGroup->setText(group.name());
    systemChosen();
}

LatticeSystem LatticeFields::system() const
{
    return Systems[std::max(0, cboSystem->currentIndex())];
}

void LatticeFields::systemChosen()
{
    const LatticeSystem chosen = system();
    // The default group follows the system; one typed stays, to be checked at OK.
    const QString group = txtSpaceGroup->text().trimmed();
    if (group.isEmpty() || group == SpaceGroup::Holohedry(m_shownSystem).name())
        txtSpaceGroup->setText(SpaceGroup::Holohedry(chosen).name());
    m_shownSystem = chosen;
    const std::array<bool, 6> free = FreeParameters(chosen);
    std::array<double, 6> typed {};
    for (std::size_t k = 0; k < typed.size(); ++k)
        typed[k] = ParseNumericText(txtCell[k]->text()).value_or(k < 3 ? 1.0 : 90.0);
    const std::array<double, 6> shown
        = Constrained(chosen, LatticeParameters::FromValues(typed)).values();
    for (std::size_t k = 0; k < shown.size(); ++k) {
        txtCell[k]->setEnabled(free[k]);
        if (!free[k])
            txtCell[k]->setText(Number(shown[k]));
    }
    emit edited();
}

void LatticeFields::presetChosen(int index)
{
    if (index <= 0 || index > int(CrystalPresets().size()))
        return;
    const CrystalPreset& preset = CrystalPresets()[std::size_t(index - 1)];
    {
        const QSignalBlocker blocker(cboSystem);
        cboSystem->setCurrentIndex(SystemIndex(preset.system));
    }
    const std::array<double, 6> values = preset.parameters.values();
    for (std::size_t k = 0; k < values.size(); ++k)
        txtCell[k]->setText(Number(values[k]));
    txtSpaceGroup->setText(preset.spaceGroup.name());
    m_shownSystem = preset.system;
    systemChosen();
}

std::variant<LatticeParameters, QString> LatticeFields::parameters() const
{
    std::array<double, 6> cell {};
    for (std::size_t k = 0; k < 6; ++k) {
        const std::optional<double> value = ParseNumericText(txtCell[k]->text());
        if (!value)
            return CrystalMessages::CellNotNumeric;
        cell[k] = *value;
    }
    return LatticeParameters::FromValues(cell);
}

std::variant<SpaceGroup, QString> LatticeFields::group() const
{
    return SpaceGroup::FromText(txtSpaceGroup->text());
}

std::variant<std::pair<Lattice, SpaceGroup>, QString> LatticeFields::read() const
{
    const std::variant<LatticeParameters, QString> cell = parameters();
    if (const QString* why = std::get_if<QString>(&cell))
        return *why;
    std::variant<Lattice, QString> lattice
        = Lattice::Make(system(), std::get<LatticeParameters>(cell));
    if (const QString* why = std::get_if<QString>(&lattice))
        return *why;
    const std::variant<SpaceGroup, QString> chosen = group();
    if (const QString* why = std::get_if<QString>(&chosen))
        return *why;
    return std::pair(std::get<Lattice>(lattice), std::get<SpaceGroup>(chosen));
}
