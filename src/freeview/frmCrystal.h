#pragma once

#include "freeview/LatticeFields.h"
#include "scene/Crystal.h"

#include <QDialog>
#include <QStringList>
#include <array>
#include <optional>
#include <variant>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// "結晶と方位": the crystal of the free view (its system, lattice parameters
// and space group, or one of the common crystals), the direction at the
// centre and the one upward, the projection and what the net shows. OK
// takes the settings only when they make a view; otherwise it says why and
// stays open.
class frmCrystal : public QDialog
{
    Q_OBJECT

public:
    frmCrystal(const Crystal& current, QWidget* parent = nullptr);

    // The settings the fields hold, or why they make no view.
    std::variant<Crystal, QString> settings() const;

    void accept() override;

    static const QString Title;

private:
    void systemChosen();
    void projectionChosen();
    ProjectionKind chosenProjection() const;
    void showSettings(const Crystal& crystal);
    // Three boxes and t: none when all are empty, or why they make no direction.
    std::variant<std::optional<Vector3>, QString> direction(
        const std::array<QLineEdit*, 3>& boxes, const QLineEdit* third) const;
    QStringList directionTexts() const;

    LatticeFields* m_lattice = nullptr;
    std::array<QLineEdit*, 3> txtCentre {};
    std::array<QLineEdit*, 3> txtUp {};
    // t of a four-index direction, shown for hexagonal and trigonal crystals.
    QLineEdit* txtCentreT = nullptr;
    QLineEdit* txtUpT = nullptr;
    // How far a shown low-index direction lies from the one in use.
    QLabel* lblCentreDeviation = nullptr;
    QLabel* lblUpDeviation = nullptr;
    QWidget* m_fourHint = nullptr;
    // The crystal shown and its directions' texts as shown. Its name stays
    // while its lattice and group do, and its holder (tilt and limits) stays.
    Crystal m_current;
    QStringList m_shownDirections;
    QComboBox* cboProjection = nullptr;
    QSpinBox* spnLimit = nullptr;
    QCheckBox* chkZoneCircles = nullptr;
    QCheckBox* chkWulffNet = nullptr;
    QCheckBox* chkAbsences = nullptr;
};

namespace CrystalMessages {
inline const QString DirectionNotNumeric = QStringLiteral("方向には数値を入力してください");
} // namespace CrystalMessages
