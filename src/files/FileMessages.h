#pragma once

#include <QString>

// The texts of the file commands. The window shows OpenFailed or SaveFailed
// with the file's name, a line break and one of the reasons below.
namespace FileMessages {
inline const QString OpenFailed = QStringLiteral("ファイル「%1」を開けませんでした");
inline const QString SaveFailed = QStringLiteral("ファイル「%1」に保存できませんでした");

// The questions before a file is replaced; %1 is the file.
inline const QString ReplaceQuestion
    = QStringLiteral("ファイル「%1」はすでにあります。置き換えますか？");
inline const QString ChangedQuestion = QStringLiteral(
    "ファイル「%1」は開いたあとか保存したあとに変更されています。上書きしますか？");

// What the file system answered.
inline const QString NoSuchFile = QStringLiteral("ファイルがありません");
inline const QString IsFolder = QStringLiteral("ファイルではなくフォルダーです");
inline const QString NotReadable = QStringLiteral("読み取りが許可されていません");
inline const QString NoSuchFolder = QStringLiteral("保存先のフォルダーがありません");
inline const QString NotWritable = QStringLiteral("書き込みが許可されていません");
inline const QString ReadFailed = QStringLiteral("読み込みに失敗しました（%1）");
inline const QString WriteFailed = QStringLiteral("書き込みに失敗しました（%1）");
inline const QString TooLarge = QStringLiteral("ファイルが大きすぎます（最大16MB）");
inline const QString NotUtf8 = QStringLiteral("文字コードが UTF-8 ではありません");
inline const QString TooManyEntries = QStringLiteral("面指数が多すぎます（最大32767個）");

// What is wrong in a session file; %1 names the key, as "crystal.a".
inline const QString EmptyFile = QStringLiteral("ファイルが空です");
inline const QString JsonSyntax
    = QStringLiteral("%1 行 %2 文字目: JSON の書き方が正しくありません");
inline const QString JsonTooDeep = QStringLiteral("%1 行 %2 文字目: 入れ子が深すぎます");
inline const QString JsonBadNumber
    = QStringLiteral("%1 行 %2 文字目: 数値が正しくないか大きすぎます");
inline const QString NotSession = QStringLiteral("Orvandeler のセッションファイルではありません");
inline const QString UnknownVersion
    = QStringLiteral("このセッションファイルの版（orvandeler: %1）には対応していません");
inline const QString MissingKey = QStringLiteral("「%1」がありません");
inline const QString NotOneOf = QStringLiteral("「%1」は %2 のどれかでなければなりません");
inline const QString NotWholeInRange
    = QStringLiteral("「%1」は %2 から %3 までの整数でなければなりません");
inline const QString NotDigits = QStringLiteral("「%1」は3桁までの数字でなければなりません");
inline const QString NotBoolean = QStringLiteral("「%1」は true か false でなければなりません");
inline const QString NotFinite = QStringLiteral("「%1」は有限の数でなければなりません");
inline const QString NotThreeNumbers
    = QStringLiteral("「%1」は有限の数三つの配列でなければなりません");
inline const QString NotTwoNumbers
    = QStringLiteral("「%1」は有限の数二つの配列でなければなりません");
// %2: why the values cannot be taken, as the window would say it.
inline const QString KeyRefused = QStringLiteral("「%1」: %2");
inline const QString NotArray = QStringLiteral("「%1」は配列でなければなりません");
inline const QString NotObject = QStringLiteral("「%1」はオブジェクトでなければなりません");
inline const QString NotString = QStringLiteral("「%1」は文字列でなければなりません");
// %2 says what is wrong with the key's value.
inline const QString KeyProblem = QStringLiteral("「%1」: %2");
inline const QString RelationForm
    = QStringLiteral("「second.relation」は name、planes と directions、twinPlane、twinAxis、euler "
                     "のどれか一つを持たなければなりません");
inline const QString NotIndexPair
    = QStringLiteral("「%1」は -32768 から 32767 までの整数三つの配列二つでなければなりません");
inline const QString NotIndex
    = QStringLiteral("「%1」は -32768 から 32767 までの整数三つの配列でなければなりません");
inline const QString NotVariant
    = QStringLiteral("「second.variant」は 1 以上の整数か \"all\" でなければなりません");
// %1 counts the entries from 1.
inline const QString EntryForm = QStringLiteral(
    "entries の %1 番目は「plane」か「direction」のどちらか一つを持たなければなりません");
inline const QString EntryIndex = QStringLiteral(
    "entries の %1 番目: 指数は -32768 から 32767 までの整数三つでなければなりません");
inline const QString EntryZero = QStringLiteral("entries の %1 番目: 指数がすべて 0 です");
inline const QString EntryDirection
    = QStringLiteral("entries の %1 番目: 方向（direction）は view が free のときだけ使えます");
inline const QString EntryFormFamily
    = QStringLiteral("entries の %1 番目は「plane」「direction」「planeFamily」「directionFamily」"
                     "のどれか一つを持たなければなりません");
inline const QString EntryFamily = QStringLiteral(
    "entries の %1 番目: 族（planeFamily、directionFamily）は view が free のときだけ使えます");

// An entry the draw command refuses in the file's view: %1 counts from 1,
// %2 is the entry as typed, %3 the draw command's message.
inline const QString EntryRefused = QStringLiteral("%1 番目の指数 %2: %3");

// What is wrong in an index list; %1 is the line's number, %2 its text.
inline const QString BadLine = QStringLiteral("%1 行目「%2」は面指数ではありません");
inline const QString BadLineOrDirection
    = QStringLiteral("%1 行目「%2」は面指数でも方向指数でもありません");
inline const QString LineNotWhole
    = QStringLiteral("%1 行目「%2」: 指数は -32768 から 32767 までの整数です");
inline const QString LineZero = QStringLiteral("%1 行目「%2」: 指数がすべて 0 です");
inline const QString LineBadI = QStringLiteral("%1 行目「%2」: i が -(h + k) ではありません");
inline const QString LineBadT = QStringLiteral("%1 行目「%2」: t が -(u + v) ではありません");
inline const QString LineFourIndex
    = QStringLiteral("%1 行目「%2」: この投影図では四指数は使えません");
inline const QString LineDirection
    = QStringLiteral("%1 行目「%2」: この投影図では方向指数は使えません");
inline const QString LineNoSecond = QStringLiteral("%1 行目「%2」: 結晶2がありません");
inline const QString LineFamily = QStringLiteral(
    "%1 行目「%2」: この投影図では等価な面・方向の族（{h k l}、<u v w>）は使えません");
} // namespace FileMessages
