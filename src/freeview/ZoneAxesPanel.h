#pragma once

#include "orientation/ZoneAxes.h"

#include <QGroupBox>
#include <vector>

class QPushButton;
class QTreeWidget;
struct Crystal;

// The zone axes nearest the beam with their angle to it and the holder's
// tilts that reach each, the nearest first; picking one (a double-click,
// Enter or the button) asks for the tilt there.
class ZoneAxesPanel : public QGroupBox
{
    Q_OBJECT

public:
    // How many are listed, and the highest index looked at.
    static constexpr int Shown = 10;
    static constexpr int IndexLimit = 3;

    explicit ZoneAxesPanel(QWidget* parent = nullptr);
    void showCrystal(const Crystal& crystal);

signals:
    void tiltChosen(const HolderTilt& tilt);
    void refused(const QString& message);

private:
    void pick(int row);

    QTreeWidget* m_list = nullptr;
    QPushButton* m_tilt = nullptr;
    std::vector<ZoneAxis> m_zones;
    bool m_fourIndices = false;
    TiltLimits m_limits;
};
