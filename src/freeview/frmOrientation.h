#pragma once

#include "scene/Crystal.h"

#include <QWidget>
#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class TwoPolesPanel;
class ZoneAxesPanel;

// "方位": the orientation of the free view's crystal as the instruments
// give it, with the conventions in its own words: Euler angles, the matrix
// g, the directions at the centre and upward, the double-tilt holder, the
// orientation from two measured poles and the zone axes nearest the beam.
// It follows the crystal it is shown; what is typed into it (Enter) or
// picked asks for another orientation, which the window's owner takes.
class frmOrientation : public QWidget
{
    Q_OBJECT

public:
    explicit frmOrientation(QWidget* parent = nullptr);

    // The crystal to follow; none outside the free view, where there is
    // nothing to turn.
    void showCrystal(const Crystal* crystal);
    TwoPolesPanel* twoPoles() const { return m_twoPoles; }
    // The misorientation between the two crystals, "θ° [u v w]"; none
    // hides the line, as without a second crystal.
    void showMisorientation(const std::optional<QString>& text);

    static const QString Title;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

signals:
    void orientationChosen(const HeldOrientation& orientation);
    // A value refused; the field keeps it, to be put right.
    void refused(const QString& message);

private:
    void eulerEntered();
    void tiltEntered();
    void limitsEntered();
    // Says why and leaves the text in the field for the user to mend.
    void refuse(const QString& message, QLineEdit* field);
    // A number shown in a field the user is not editing.
    static void showNumber(QLineEdit* field, const QString& text);

    QWidget* m_sections = nullptr;
    QLabel* m_freeOnly = nullptr;
    std::array<QLineEdit*, 3> m_euler {};
    std::array<QLabel*, 9> m_matrix {};
    QLabel* m_centre = nullptr;
    QLabel* m_up = nullptr;
    QLineEdit* m_alpha = nullptr;
    QLineEdit* m_beta = nullptr;
    QLineEdit* m_alphaLimit = nullptr;
    QLineEdit* m_betaLimit = nullptr;
    QLabel* m_zeroTilt = nullptr;
    QWidget* m_misorientationRow = nullptr;
    QLineEdit* m_misorientation = nullptr;
    TwoPolesPanel* m_twoPoles = nullptr;
    ZoneAxesPanel* m_zoneAxes = nullptr;
    std::optional<Crystal> m_shown;
};

namespace OrientationMessages {
inline const QString EulerNotNumeric = QStringLiteral("オイラー角には数を入力してください");
inline const QString TiltNotNumeric = QStringLiteral("傾斜 α, β には数を入力してください");
inline const QString LimitsNotNumeric = QStringLiteral("傾斜の限界には数を入力してください");
// %1: the tilts now, %2: why they are beyond the new limits.
inline const QString TiltBeyondNewLimits
    = QStringLiteral("今の傾斜（%1）が新しい限界を超えます: %2");
} // namespace OrientationMessages
