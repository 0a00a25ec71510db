#pragma once

#include "crystal/Schmid.h"
#include "files/FileTypes.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// What the command line asks for, decided before any QApplication exists:
// --help and --version need no display, and neither does an export or
// --orientation, which prints the orientation of FILE for scripts.

enum class CommandLineMode { Window, Help, Version, Export, Orientation, UsageError };
// What a CSV export writes: the entries and their angles, or another table.
enum class CommandLineTable { Entries, Schmid, Variants };

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
    // A CSV export's table; for Schmid factors the slip systems and the
    // loading axis (none: the direction at the centre).
    CommandLineTable table = CommandLineTable::Entries;
    std::optional<SlipSet> slip;
    std::optional<std::array<double, 3>> axis;
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
