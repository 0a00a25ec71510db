#pragma once

#include "scene/Crystal.h"

#include <QDialog>
#include <array>
#include <variant>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

// "結晶と方位": the crystal of the free view (its system, lattice parameters
// or one of the common crystals), the direction at the centre and the one
// upward, the projection and what the net shows. OK takes the settings only when they make
// a view; otherwise it says why and stays open.
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
    void presetChosen(int index);
    void projectionChosen();
    ProjectionKind chosenProjection() const;
    void showSettings(const Crystal& crystal);

    QComboBox* cboSystem = nullptr;
    QComboBox* cboPreset = nullptr;
    // a, b, c, alpha, beta, gamma
    std::array<QLineEdit*, 6> txtCell {};
    std::array<QLineEdit*, 3> txtCentre {};
    std::array<QLineEdit*, 3> txtUp {};
    QComboBox* cboProjection = nullptr;
    QSpinBox* spnLimit = nullptr;
    QCheckBox* chkZoneCircles = nullptr;
    QCheckBox* chkWulffNet = nullptr;
};

namespace CrystalMessages {
inline const QString CellNotNumeric = QStringLiteral("格子定数には数値を入力してください");
inline const QString DirectionNotNumeric = QStringLiteral("方向には数値を入力してください");
} // namespace CrystalMessages
