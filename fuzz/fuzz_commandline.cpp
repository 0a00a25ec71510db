// The arguments after the program's name. Input: a byte choosing how the
// arguments are decoded (bit 0: the local 8-bit encoding, else UTF-8),
// then the arguments separated by NUL, as the kernel hands them over.

#include "FuzzCheck.h"

#include "files/CommandLine.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const bool local = data[0] & 1;
    QStringList arguments;
    const QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    if (!bytes.isEmpty())
        for (const QByteArray& argument : bytes.split('\0'))
            arguments << (local ? QString::fromLocal8Bit(argument) : QString::fromUtf8(argument));

    const CommandLine line = ParseCommandLine(arguments);
    FUZZ_CHECK((line.mode == CommandLineMode::UsageError) != line.error.isEmpty());
    FUZZ_CHECK(line.dpi >= MinExportDpi && line.dpi <= MaxExportDpi);
    // A table is CSV only, and Schmid factors need their slip systems.
    FUZZ_CHECK(line.table == CommandLineTable::Entries || line.format == ExportFormat::Csv);
    FUZZ_CHECK(line.table == CommandLineTable::Schmid || (!line.slip && !line.axis));
    FUZZ_CHECK(line.table != CommandLineTable::Schmid || line.slip);
    if (line.axis)
        FUZZ_CHECK((std::isfinite((*line.axis)[0]) && std::isfinite((*line.axis)[1])
            && std::isfinite((*line.axis)[2]) && *line.axis != std::array<double, 3> {}));
    if (line.mode == CommandLineMode::Export) {
        FUZZ_CHECK(!line.file.isEmpty());
        FUZZ_CHECK(line.format != ExportFormat::None && line.format == ExportFormatOf(line.out));
        FUZZ_CHECK(line.dpi == DefaultExportDpi || line.format == ExportFormat::Png
            || line.format == ExportFormat::Jpeg);
    } else {
        FUZZ_CHECK(line.format == ExportFormat::None);
    }
    if (line.mode == CommandLineMode::Orientation)
        FUZZ_CHECK(!line.file.isEmpty() && line.out.isEmpty());
    return 0;
}
