#pragma once

#include "crystal/Lattice.h"
#include "crystal/Symmetry.h"

#include <QGroupBox>
#include <array>
#include <utility>
#include <variant>

class QComboBox;
class QLineEdit;

// The group "結晶" of the crystal dialogs: the system, the common crystals
// to start from, the six cell parameters and the space group. The fields
// the system fixes show the values it fixes them to and take no typing.
class LatticeFields : public QGroupBox
{
    Q_OBJECT

public:
    explicit LatticeFields(QWidget* parent = nullptr);

    void showLattice(const Lattice& lattice, const SpaceGroup& group);

    LatticeSystem system() const;
    // The six numbers as typed, or why they are not numbers.
    std::variant<LatticeParameters, QString> parameters() const;
    std::variant<SpaceGroup, QString> group() const;
    // The lattice and group the fields hold, or why they make none; the
    // group is checked against the lattice where it is used.
    std::variant<std::pair<Lattice, SpaceGroup>, QString> read() const;

signals:
    // The system, a preset, a parameter or the group changed.
    void edited();

private:
    void systemChosen();
    void presetChosen(int index);

    QComboBox* cboSystem = nullptr;
    QComboBox* cboPreset = nullptr;
    // a, b, c, alpha, beta, gamma
    std::array<QLineEdit*, 6> txtCell {};
    QLineEdit* txtSpaceGroup = nullptr;
    // The system whose holohedry the group field may show.
    LatticeSystem m_shownSystem = LatticeSystem::Cubic;
};

namespace CrystalMessages {
inline const QString CellNotNumeric = QStringLiteral("格子定数には数値を入力してください");
} // namespace CrystalMessages
