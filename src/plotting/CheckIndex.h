#pragma once

#include <QString>
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
