#pragma once

#include "files/SchmidTable.h"
#include "scene/Crystal.h"
#include "scene/Scene.h"

#include <QDialog>
#include <array>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// "シュミット因子": the Schmid factors of the free view's crystal under a
// load along a direction of its lattice, for a named set of slip systems
// or a plane family and a direction family typed. The table follows every
// change at once; a choice it cannot work out says why beneath it. Picking
// a row asks for the pole of its plane.
class frmSchmid : public QDialog
{
    Q_OBJECT

public:
    explicit frmSchmid(const Crystal& crystal, QWidget* parent = nullptr);

    // The crystal shown changed (turned, another one chosen): the sets it
    // takes are offered; the axis stays as typed.
    void showCrystal(const Crystal& crystal);
    // The scene drawn: its crystal shown, or the window closed when it is
    // not the free view's.
    void showScene(const Scene& scene);

    static const QString Title;

signals:
    void planePicked(const Index3& plane);

private:
    void cmdCentre_Click();
    void offerSets();
    void showTable();
    void rowPicked();
    std::variant<SlipChoice, QString> slipChoice() const;

    Crystal m_crystal;
    std::vector<SchmidRow> m_rows;

    std::array<QLineEdit*, 3> txtAxis {};
    QPushButton* cmdCentre = nullptr;
    QComboBox* cboSlip = nullptr;
    std::array<QLineEdit*, 3> txtPlane {};
    std::array<QLineEdit*, 3> txtDirection {};
    QLabel* lblStatus = nullptr;
    QTableWidget* grdFactors = nullptr;
};

namespace SchmidWindowMessages {
inline const QString TypedSet = QStringLiteral("すべり面とすべり方向を指定");
inline const QString NotNumeric = QStringLiteral("指数には整数を入力してください");
// %1 systems, %2 the largest |m|, %3 how many share it.
inline const QString Summary = QStringLiteral("すべり系 %1 個、最大の |m| は %2（%3 個、★）");
} // namespace SchmidWindowMessages
