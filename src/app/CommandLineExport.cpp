#include "app/CommandLineExport.h"

#include "files/FileAccess.h"
#include "painting/PictureDocument.h"
#include "reading/PictureReader.h"
#include "run/Work.h"

QString ExportWork(const CommandLine& line)
{
    // As the window starts: the cubic view with symmetry and the start-up
    // display settings, which an index list is plotted into.
    RunState state;
    std::variant<OpenedWork, QString> opened = OpenWorkFile(line.file, state);
    if (const QString* why = std::get_if<QString>(&opened))
        return *why;
    Adopt(state, std::move(std::get<OpenedWork>(opened)));

    QByteArray bytes;
    if (line.table == CommandLineTable::Schmid && line.slip) {
        const std::optional<Vector3> axis = line.axis
            ? std::optional(Vector3 { (*line.axis)[0], (*line.axis)[1], (*line.axis)[2] })
            : std::nullopt;
        std::variant<QByteArray, QString> table = SchmidCsvOf(state, *line.slip, axis);
        if (const QString* why = std::get_if<QString>(&table))
            return *why;
        bytes = std::get<QByteArray>(std::move(table));
    } else if (line.table == CommandLineTable::Variants) {
        std::variant<QByteArray, QString> table = VariantsCsvOf(state);
        if (const QString* why = std::get_if<QString>(&table))
            return *why;
        bytes = std::get<QByteArray>(std::move(table));
    } else if (line.format == ExportFormat::Csv) {
        bytes = CsvOf(state);
    } else {
        const PictureDocument document({ state.scene, state.display }, state.store,
            PictureReader::Description(state.scene.name(), state.store.PoleCount()));
        bytes = document.encoded(line.format, line.dpi);
    }
    const QString why = WriteWholeFile(line.out, bytes);
    return why.isEmpty() ? QString() : SaveFailedMessage(line.out, why);
}
