#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// One plotted plane as the two lists show it: the index text, "(1 2 3)",
// and the three angle texts, " 9.000" or "54.736".
struct CsvRow
{
    QString index;
    std::array<QString, 3> angles;
    // 1 or 2 in a table of two crystals, else 0.
    int crystal = 0;
};

// The table as CSV (RFC 4180, UTF-8, LF line ends): the header
// "index,(0001),(10-10),(11-20)" with the names of the three reference
// planes, then one line a row, the index always quoted. With crystals, a
// first column "crystal" holds each row's.
QByteArray CsvTable(
    const std::array<QString, 3>& captions, const QList<CsvRow>& rows, bool crystals = false);

// Any other table as CSV in the same way: the header, then one line a row,
// its first quotedColumns fields always quoted, the others where needed.
QByteArray CsvRows(const QStringList& header, const QList<QStringList>& rows, int quotedColumns);

// A list box's text as a plain file: the lines as shown, each ending in LF,
// whereas the box's own lines end in CR LF.
QByteArray ListFileText(const QString& listText);
