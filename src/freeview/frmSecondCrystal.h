#pragma once

#include "scene/Crystal.h"
#include "scene/SecondCrystal.h"

#include <QDialog>
#include <QStringList>
#include <array>
#include <optional>
#include <tuple>
#include <utility>
#include <variant>

class LatticeFields;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// "第二の結晶": the second crystal of the free view, its lattice and space
// group, how it is placed against the first (a relationship of the
// literature, two parallelisms typed, a twin of the first, or Euler angles
// of its own) and which of its variants are drawn. OK takes the settings
// only when they place a crystal; otherwise it says why and stays open.
// 結晶2を削除 closes the dialog with the result Removed.
class frmSecondCrystal : public QDialog
{
    Q_OBJECT

public:
    frmSecondCrystal(const Crystal& first, const std::optional<SecondCrystal>& current,
        QWidget* parent = nullptr);

    // The second crystal the fields place, or why they place none.
    std::variant<SecondCrystal, QString> settings() const;

    void accept() override;
    // A CIF file's crystal in the lattice fields, with its name.
    void showCif(const Lattice& lattice, const SpaceGroup& group, const QString& name);

    static const QString Title;
    // The dialog's result when the second crystal is to go.
    static constexpr int Removed = 2;

    // The ways of placing it, the ids of their buttons.
    enum Way : int { ByRelationship, ByPairs, ByTwinPlane, ByTwinAxis, ByEuler };

    // Three index boxes, and the third of four for a lattice written in four.
    struct IndexBoxes
    {
        IndexKind kind = IndexKind::Plane;
        std::array<QLineEdit*, 3> boxes {};
        QLineEdit* third = nullptr;
        bool four = false;
    };

signals:
    // CIF ファイル… asks for a file to read the second crystal from.
    void cifWanted();

private:
    void showSecond(const std::optional<SecondCrystal>& current);
    void placementChosen();
    void latticeEdited();
    // The number of variants of the placement as it stands, or why there are none.
    void countVariants();
    std::variant<SecondPlacement, QString> placement() const;
    std::variant<SecondCrystal, QString> make(int variant) const;

    Crystal m_first;
    std::optional<SecondCrystal> m_current;
    // The Euler angles shown and their texts: left as they were, the
    // orientation stays exactly as it is, not as rounded.
    EulerAngles m_shownEuler;
    QStringList m_shownEulerTexts;
    // The crystal of the CIF file read last, whose name it keeps while its
    // lattice and group stand.
    std::optional<std::tuple<Lattice, SpaceGroup, QString>> m_cif;
    // The lattice typed before a twin took the first's.
    std::optional<std::pair<Lattice, SpaceGroup>> m_typedLattice;

    LatticeFields* m_lattice = nullptr;
    QButtonGroup* m_placements = nullptr;
    std::array<QWidget*, 5> m_placementFields {};
    QComboBox* cboRelationship = nullptr;
    IndexBoxes m_plane1;
    IndexBoxes m_plane2;
    IndexBoxes m_direction1;
    IndexBoxes m_direction2;
    IndexBoxes m_twinPlane;
    IndexBoxes m_twinAxis;
    std::array<QLineEdit*, 3> txtEuler {};
    QLabel* lblStatus = nullptr;
    QSpinBox* spnVariant = nullptr;
    QLabel* lblVariantCount = nullptr;
    QCheckBox* chkAllVariants = nullptr;
    QCheckBox* chkVariantNumbers = nullptr;
    QCheckBox* chkNet = nullptr;
    QCheckBox* chkColour = nullptr;
    QPushButton* cmdRemove = nullptr;
};

namespace SecondCrystalWindowMessages {
inline const QString NotWhole = QStringLiteral("指数には整数を入力してください");
inline const QString EulerNotNumeric = QStringLiteral("オイラー角には数を入力してください");
} // namespace SecondCrystalWindowMessages
