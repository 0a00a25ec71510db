#pragma once

#include "files/FileTypes.h"

#include <QString>
#include <QStringList>

// What the command line asks for, decided before any QApplication exists:
// --help and --version need no display, and neither does an export or
// --orientation, which prints the orientation of FILE for scripts.

enum class CommandLineMode { Window, Help, Version, Export, Orientation, UsageError };

constexpr int DefaultExportDpi = 600;
constexpr int MinExportDpi = 72;
constexpr int MaxExportDpi = 2400;

struct CommandLine
{
    CommandLineMode mode = CommandLineMode::Window;
    // The session or index list to open; empty for none.
    QString file;
    // Export only: the file to write, its format and, for PNG and JPEG, the
    // resolution in dots per inch.
    QString out;
    ExportFormat format = ExportFormat::None;
    int dpi = DefaultExportDpi;
    // UsageError only, English like the rest of the command line, e.g.
    // "unknown argument '--bogus'".
    QString error;
};

// The arguments after the program's name. Qt's own options (-platform NAME,
// -style=NAME, -reverse, ...) are let through for QApplication to take.
CommandLine ParseCommandLine(const QStringList& arguments);

// The usage lines printed with an error, and the rest of --help after them.
extern const char* const CommandLineUsage;
extern const char* const CommandLineHelp;
