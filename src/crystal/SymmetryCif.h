#pragma once

#include "crystal/Lattice.h"
#include "crystal/Symmetry.h"

#include <QByteArray>
#include <QString>
#include <variant>

// A crystal as a CIF file describes it: the first data block that has a
// cell (_cell_length_a), in the program's settings.
struct CifCrystal
{
    // _chemical_name_mineral, else _chemical_formula_sum, else the block's
    // name; empty when the file gives none.
    QString name;
    Lattice lattice;
    SpaceGroup group;
    // The atoms the block lists (_atom_site_label rows).
    int atomSites = 0;
    // Empty, or how the file's setting was changed to the program's: a
    // monoclinic cell to the unique axis b, a rhombohedral one to
    // hexagonal axes.
    QString note;
};

// The crystal, or why the file gives none, in words: a syntax error (with
// its line and column), an item given twice or without a value, a missing
// or unreadable cell item, no space group or one the tables do not know
// (naming the item), or a cell without the group's symmetry. Angles not
// given are 90 degrees, as the CIF dictionary has it. The space group is
// read from the first of _space_group_name_H-M_alt,
// _symmetry_space_group_name_H-M, the symmetry operations
// (_space_group_symop_operation_xyz, _symmetry_equiv_pos_as_xyz),
// _space_group_IT_number and _symmetry_Int_Tables_number that the block
// has: a number alone means the group's standard setting, so operations,
// which carry the file's setting, come before it.
std::variant<CifCrystal, QString> ReadCif(const QByteArray& bytes);

namespace CifMessages {
// %1 line, %2 column, %3 what is wrong there.
inline const QString SyntaxAt
    = QStringLiteral("%1 行 %2 文字目: CIF の書き方が正しくありません（%3）");
inline const QString SyntaxAtPlain
    = QStringLiteral("%1 行 %2 文字目: CIF の書き方が正しくありません");
inline const QString Syntax = QStringLiteral("CIF の書き方が正しくありません（%1）");
// What the parser finds wrong.
inline const QString UnterminatedSingle = QStringLiteral("「'」で始まる文字列が閉じていません");
inline const QString UnterminatedDouble = QStringLiteral("「\"」で始まる文字列が閉じていません");
inline const QString UnterminatedText = QStringLiteral("「;」で始まるテキスト欄が閉じていません");
inline const QString UnnamedFrame = QStringLiteral("save_ フレームに名前がありません");
inline const QString NoBlockHeader
    = QStringLiteral("データブロック（data_ で始まる行）がありません");
inline const QString LoopValues = QStringLiteral("loop_ の値の数がタグの数に合いません");
inline const QString TagWithoutValue = QStringLiteral("タグのあとに値がありません");
// %1 names the item, as "_cell_length_a"; %2 its value.
inline const QString Missing = QStringLiteral("「%1」がありません");
inline const QString Twice = QStringLiteral("「%1」が二度あります");
inline const QString NoValue = QStringLiteral("「%1」の値がありません");
inline const QString NotNumber = QStringLiteral("「%1」の値「%2」は数ではありません");
// %1 why the lattice's maker refused the cell.
inline const QString BadCell = QStringLiteral("単位胞が正しくありません: %1");
inline const QString NoGroup = QStringLiteral(
    "空間群がありません（_space_group_name_H-M_alt、_symmetry_space_group_name_H-M、"
    "_space_group_IT_number、_symmetry_Int_Tables_number または対称操作）");
inline const QString UnknownGroup = QStringLiteral("「%1」の空間群「%2」は見つかりません");
inline const QString BadOperation = QStringLiteral("「%1」の対称操作「%2」が読めません");
inline const QString OperationsNoGroup
    = QStringLiteral("「%1」の対称操作はどの空間群にもなりません");
// %1 the group, %2 its crystal system.
inline const QString CellMisfit
    = QStringLiteral("単位胞の格子定数が空間群 %1（%2）の対称性に合いません");
// Notes on a setting changed.
inline const QString ToHexagonalAxes
    = QStringLiteral("菱面体軸の単位胞を六方晶軸の単位胞に直しました");
// %1 the file's unique axis, a or c.
inline const QString ToUniqueAxisB = QStringLiteral("単斜晶の特殊軸を %1 軸から b 軸に直しました");
} // namespace CifMessages
