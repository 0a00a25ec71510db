#pragma once

#include "crystal/Notation.h"

#include <QString>
#include <QStringList>
#include <array>

namespace Messages {
inline const QString NotNumeric = QStringLiteral("面指数には数値を入力してください");
inline const QString ZeroIndex = QStringLiteral("面指数(000)は表せません");
inline const QString DecimalsDropped = QStringLiteral("小数点以下は切り捨てられます");
inline const QString IndexTooLarge = QStringLiteral("面指数が大きすぎます");
inline const QString StoreFull = QStringLiteral("これ以上プロットできません（最大32767個）");
// %1 the family's members, %2 the room left.
inline const QString FamilyTooLarge
    = QStringLiteral("等価な面・方向 %1 個はプロットできません（最大32767個、あと %2 個）");
// Below NotNumeric when a box holds a whole index: %1 is its text, %2 how
// many numbers it holds.
inline const QString SeveralNumbers
    = QStringLiteral("「%1」には数が %2 つあります。指数は欄ごとに一つずつ入力してください");
// Four indices whose third is not -(first + second): %1 what it must be, %2 what was typed.
inline const QString BadThirdPlane
    = QStringLiteral("四指数の i は -(h + k) = %1 でなければなりません（入力は %2）");
inline const QString BadThirdDirection
    = QStringLiteral("四指数の t は -(u + v) = %1 でなければなりません（入力は %2）");
} // namespace Messages

// What the gate in front of every plot decided: the message to show (empty
// for none), whether the plot goes on, and the three numbers read.
struct CheckIndexResult
{
    QString message;
    bool proceed = false;
    std::array<double, 3> values {};
};

CheckIndexResult CheckIndex(const QString& x, const QString& y, const QString& z);

// The same gate for the boxes as they stand: three texts, or four for a
// crystal written in four indices, (h k i l) or [u v t w], where the third
// may be left empty and is checked when typed. The values are the three
// indices the four stand for (ThreeIndexForm).
CheckIndexResult CheckIndexTexts(const QStringList& texts, IndexKind kind);
