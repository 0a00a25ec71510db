#include "files/CsvTable.h"

namespace {

// Quoted when asked, or when a comma, quote or line break would split it.
void AppendField(QString& out, const QString& text, bool quoted)
{
    if (!quoted)
        quoted = text.contains(u',') || text.contains(u'"') || text.contains(u'\n')
            || text.contains(u'\r');
    if (!quoted) {
        out += text;
        return;
    }
    out += u'"';
    out += QString(text).replace(u'"', QStringLiteral("\"\""));
    out += u'"';
}

} // namespace

QByteArray CsvTable(
    const std::array<QString, 3>& captions, const QList<CsvRow>& rows, bool crystals)
{
    QString out = crystals ? QStringLiteral("crystal,index") : QStringLiteral("index");
    for (const QString& caption : captions) {
        out += u',';
        AppendField(out, caption, false);
    }
    out += u'\n';
    for (const CsvRow& row : rows) {
        if (crystals)
            out += QString::number(row.crystal) + u',';
        AppendField(out, row.index, true);
        // The list pads angles below 10 degrees with a space to line them up.
        for (const QString& angle : row.angles) {
            out += u',';
            AppendField(out, angle.trimmed(), false);
        }
        out += u'\n';
    }
    return out.toUtf8();
}

QByteArray CsvRows(const QStringList& header, const QList<QStringList>& rows, int quotedColumns)
{
    QString out;
    const auto line = [&out, quotedColumns](const QStringList& fields, bool isHeader) {
        for (qsizetype k = 0; k < fields.size(); ++k) {
            if (k > 0)
                out += u',';
            AppendField(out, fields[k], !isHeader && k < quotedColumns);
        }
        out += u'\n';
    };
    line(header, true);
    for (const QStringList& row : rows)
        line(row, false);
    return out.toUtf8();
}

QByteArray ListFileText(const QString& listText)
{
    QString text = listText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!text.isEmpty() && !text.endsWith(u'\n'))
        text += u'\n';
    return text.toUtf8();
}
