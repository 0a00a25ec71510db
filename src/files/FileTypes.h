#pragma once

#include <QString>
#include <QStringList>
#include <span>

// What a file the program writes holds: the picture in one of four
// formats, the list as text or the table as CSV, or the session; and a
// crystal, which it only reads.
enum class ExportFormat { None, Svg, Pdf, Png, Jpeg, Csv, Text, Session, Cif };

// A type of file, as the file dialogs offer it: its format, the extension
// a name typed without one gets, another it is known by, and the dialog's
// line for it.
struct FileType
{
    ExportFormat format;
    const char* extension;
    const char* alias;
    QString filter;
    // Whether the file carries the extension or the alias, in any case.
    bool names(const QString& path) const;
};

// The picture's types in the order the dialog offers them: PNG, SVG, PDF,
// JPEG; the lists' (text, CSV); the session's; a CIF file's; and what 開く
// opens.
std::span<const FileType> PictureTypes();
std::span<const FileType> ListTypes();
const FileType& SessionType();
const FileType& CifType();
std::span<const FileType> OpenTypes();
// The dialog lines of the types, in their order.
QStringList Filters(std::span<const FileType> types);

// The format a name's extension gives a command-line export: a picture's
// or CSV, in any case; None for any other.
ExportFormat ExportFormatOf(const QString& out);
