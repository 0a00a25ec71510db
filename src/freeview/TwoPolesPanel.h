#pragma once

#include "orientation/TwoPoles.h"

#include <QGroupBox>
#include <array>
#include <optional>
#include <variant>

class QLabel;
class QLineEdit;
class QPushButton;
struct Crystal;

// "2つの極から方位": two planes or directions and the places they were
// measured at, typed or picked on the picture; the orientation that puts
// the first there and the second into the plane of the two, and its misfit.
class TwoPolesPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit TwoPolesPanel(QWidget* parent = nullptr);

    void showCrystal(const Crystal& crystal);
    // Which pole waits for its place to be picked on the picture: 0, 1 or none.
    std::optional<int> waitingForPlace() const;
    // The place picked on the picture for the pole that waits for one.
    void takePlace(const SamplePlace& place);
    void stopWaiting();
    // The orientation the fields give for the crystal shown, or why none.
    std::variant<TwoPoleOrientation, QString> solution() const;

signals:
    // The crystal as drawn that the two poles give.
    void solved(const CrystalOrientation& drawn);
    void refused(const QString& message);

private:
    struct PoleFields
    {
        QLineEdit* index = nullptr;
        QLineEdit* polar = nullptr;
        QLineEdit* azimuth = nullptr;
        QPushButton* pick = nullptr;
    };
    std::variant<MeasuredPole, QString> pole(int n) const;
    void solve();

    std::array<PoleFields, 2> m_poles;
    QLabel* m_misfit = nullptr;
    std::optional<Lattice> m_lattice;
};

namespace TwoPoleFieldMessages {
// %1: 1つ目 or 2つ目, %2: the text typed.
inline const QString BadIndex = QStringLiteral(
    "%1の極の指数「%2」が読めません。面は (h k l)、方向は [u v w] と書いてください");
inline const QString BadPlace
    = QStringLiteral("%1の極の測定位置（極角と方位角）には数を入力してください");
} // namespace TwoPoleFieldMessages
