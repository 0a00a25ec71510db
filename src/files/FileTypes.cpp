#include "files/FileTypes.h"

#include <QFileInfo>
#include <array>

namespace {

// "JPEG(*.jpg)" has no blank, as the dialog has always offered it.
const std::array<FileType, 4> Pictures { {
    { ExportFormat::Png, "png", nullptr, QStringLiteral("PNG (*.png)") },
    { ExportFormat::Svg, "svg", nullptr, QStringLiteral("SVG (*.svg)") },
    { ExportFormat::Pdf, "pdf", nullptr, QStringLiteral("PDF (*.pdf)") },
    { ExportFormat::Jpeg, "jpg", "jpeg", QStringLiteral("JPEG(*.jpg)") },
} };
const std::array<FileType, 2> Lists { {
    { ExportFormat::Text, "txt", nullptr, QStringLiteral("テキスト ファイル (*.txt)") },
    { ExportFormat::Csv, "csv", nullptr, QStringLiteral("CSV (*.csv)") },
} };
const std::array<FileType, 3> Opened { {
    { ExportFormat::Session, "orvandeler", nullptr,
        QStringLiteral("Orvandeler セッション (*.orvandeler)") },
    Lists[0],
    { ExportFormat::Cif, "cif", nullptr, QStringLiteral("CIF (*.cif)") },
} };

} // namespace

bool FileType::names(const QString& path) const
{
    const QString suffix = QFileInfo(path).suffix();
    return suffix.compare(QLatin1String(extension), Qt::CaseInsensitive) == 0
        || (alias && suffix.compare(QLatin1String(alias), Qt::CaseInsensitive) == 0);
}

std::span<const FileType> PictureTypes()
{
    return Pictures;
}

std::span<const FileType> ListTypes()
{
    return Lists;
}

const FileType& SessionType()
{
    return Opened[0];
}

const FileType& CifType()
{
    return Opened[2];
}

std::span<const FileType> OpenTypes()
{
    return Opened;
}

QStringList Filters(std::span<const FileType> types)
{
    QStringList filters;
    for (const FileType& type : types)
        filters << type.filter;
    return filters;
}

ExportFormat ExportFormatOf(const QString& out)
{
    for (const FileType& type : Pictures)
        if (type.names(out))
            return type.format;
    return Lists[1].names(out) ? ExportFormat::Csv : ExportFormat::None;
}
