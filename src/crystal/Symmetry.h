#pragma once

#include "crystal/Lattice.h"

#include <QString>
#include <array>
#include <optional>
#include <variant>
#include <vector>

// Whole-number indices of a plane (h k l) or a direction [u v w] in the
// three-index form. Wider than the store's Index3: a symmetry operation or
// an order n (h k l) can take an index the store holds beyond its range.
using Indices = std::array<int, 3>;
// An operation of a point group on direct-lattice coordinates: x' = R x.
using IntMatrix3 = std::array<std::array<int, 3>, 3>;

// A crystallographic space group, in the settings the program uses:
// monoclinic groups with the unique axis b, rhombohedral ones on hexagonal
// axes. A plain value, cheap to copy; the tables behind it are the
// crystallographic library's (see the README), kept inside this room.
class SpaceGroup
{
public:
    // P 1.
    SpaceGroup();

    // The group a text names: a Hermann-Mauguin symbol ("F m -3 m",
    // "Fm-3m", "P 63/m m c", "P63/mmc", "P 21/c", the older "Fm3m"), with
    // ":1", ":2" for an origin choice, or a number 1 to 230 (its standard
    // setting). Full-width characters read as ASCII. Otherwise why not, in
    // words: unknown, out of range, or a setting the program does not use.
    static std::variant<SpaceGroup, QString> FromText(const QString& text);
    // The lattice's holohedry, the group a crystal of the system has when
    // nothing more is known: P m -3 m, P 4/m m m, P m m m, P 6/m m m,
    // R -3 m (hexagonal axes), P 1 2/m 1, P -1.
    static SpaceGroup Holohedry(LatticeSystem system);

    // The symbol as the tables write it, "F m -3 m"; an origin choice only
    // where the bare symbol names the other one ("F d -3 m:2"). FromText
    // gives the same group back for it.
    QString name() const;
    // The number in the International Tables, 1 to 230.
    int number() const;
    // The crystal system the group implies; a trigonal group is Trigonal,
    // also one with a primitive (hexagonal) lattice.
    LatticeSystem system() const;
    // Whether the group fits a crystal of the system: the systems must be
    // the same, except that a trigonal group with a primitive lattice
    // (P 3 ... P -3 c 1) also fits a hexagonal crystal, whose lattice it
    // has. Rhombohedral groups fit only trigonal crystals, hexagonal groups
    // only hexagonal ones.
    bool fits(LatticeSystem crystal) const;
    // Empty when the group fits; otherwise why not, in words.
    QString misfit(LatticeSystem crystal) const;
    // The point group and Laue class, "m-3m", "6/mmm".
    QString pointGroup() const;
    QString laueClass() const;

    // The point group's operations on direct-lattice coordinates (a
    // direction [u v w] goes to R [u v w]; a plane (h k l) to R^-T (h k l)),
    // proper and improper, the identity first.
    const std::vector<IntMatrix3>& pointOperations() const;
    // Whether the reflection (h k l) is systematically absent: centring,
    // screw axes and glide planes extinguish it. Indices beyond +-10^7 are
    // outside the tables' arithmetic and never reported absent.
    bool isAbsent(const Indices& hkl) const;
    // The smallest n = 1, 2, ... for which n (h k l) is not absent, as long
    // as no index of n (h k l) exceeds limit in size; none beyond that, or
    // for (0 0 0).
    std::optional<int> lowestAllowedOrder(const Indices& hkl, int limit) const;

    bool operator==(const SpaceGroup& other) const { return m_data == other.m_data; }

    // What the tables hold for one group; defined where the tables are.
    struct Data;

private:
    explicit SpaceGroup(const Data* data)
        : m_data(data)
    {
    }
    friend struct SpaceGroupDoor;

    const Data* m_data;
};

namespace SymmetryMessages {
inline const QString Empty = QStringLiteral("空間群を入力してください");
// %1 is the text as typed.
inline const QString Unknown = QStringLiteral(
    "空間群「%1」は見つかりません。記号（F m -3 m など）か番号（1～230）を入力してください");
inline const QString NumberOutOfRange
    = QStringLiteral("空間群の番号は 1 から 230 までの整数にしてください");
inline const QString UniqueAxisNotB
    = QStringLiteral("空間群「%1」は単斜晶の特殊軸が b ではありません。P 1 21/c 1 のような b "
                     "軸の記号にしてください");
inline const QString RhombohedralAxes = QStringLiteral(
    "空間群「%1」は菱面体軸の設定です。六方晶軸の記号（R -3 m など）にしてください");
// %1 the group, %2 its system, %3 the crystal's system.
inline const QString Misfit = QStringLiteral("空間群 %1（%2）は%3の結晶には使えません");
} // namespace SymmetryMessages
