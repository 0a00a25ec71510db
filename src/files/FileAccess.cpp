#include "files/FileAccess.h"

#include "files/FileMessages.h"
#include "files/FileTypes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <filesystem>

namespace {

// The file system's own words are English; say the common cases in Japanese.
QString OpenReason(const QFileInfo& info, const QFile& file)
{
    if (!info.exists())
        return FileMessages::NoSuchFile;
    if (info.isDir())
        return FileMessages::IsFolder;
    if (!info.isReadable())
        return FileMessages::NotReadable;
    return FileMessages::ReadFailed.arg(file.errorString());
}

} // namespace

FileRead ReadWholeFile(const QString& path)
{
    const QFileInfo info(path);
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        return { {}, OpenReason(info, file) };
    if (file.size() > MaxFileBytes)
        return { {}, FileMessages::TooLarge };
    // A pipe or device tells no size: read one byte past the limit to know.
    QByteArray bytes = file.read(MaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return { {}, FileMessages::ReadFailed.arg(file.errorString()) };
    if (bytes.size() > MaxFileBytes)
        return { {}, FileMessages::TooLarge };
    return { bytes, {} };
}

QString WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    const QFileInfo info(path);
    if (info.isDir())
        return FileMessages::IsFolder;
    if (!info.absoluteDir().exists())
        return FileMessages::NoSuchFolder;
    // A device or a pipe cannot be replaced by a new file, and must not be:
    // renamed over, /dev/full would become a plain file. Such a target is
    // written in place, and its errors (a full disk) are told as any other.
    std::error_code error;
    const std::filesystem::file_status status
        = std::filesystem::status(QFile::encodeName(path).toStdString(), error);
    if (!error && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        QFile device(path);
        if (!device.open(QIODevice::WriteOnly))
            return FileMessages::WriteFailed.arg(device.errorString());
        if (device.write(bytes) != bytes.size() || !device.flush())
            return FileMessages::WriteFailed.arg(device.errorString());
        return {};
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return (info.exists() && !info.isWritable()) || !QFileInfo(info.absolutePath()).isWritable()
            ? FileMessages::NotWritable
            : FileMessages::WriteFailed.arg(file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        return FileMessages::WriteFailed.arg(file.errorString());
    return {};
}

QString OpenFailedMessage(const QString& path, const QString& reason)
{
    return FileMessages::OpenFailed.arg(QDir::toNativeSeparators(path)) + u'\n' + reason;
}

QString SaveFailedMessage(const QString& path, const QString& reason)
{
    return FileMessages::SaveFailed.arg(QDir::toNativeSeparators(path)) + u'\n' + reason;
}

std::optional<QString> DecodeUtf8(const QByteArray& bytes)
{
    // Stateless, so that a sequence cut off at the end counts as an error too.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

TextRead TextOf(const QByteArray& bytes)
{
    if (bytes.size() > MaxFileBytes)
        return { {}, FileMessages::TooLarge };
    std::optional<QString> text = DecodeUtf8(bytes);
    if (!text)
        return { {}, FileMessages::NotUtf8 };
    return { std::move(*text), {} };
}

bool IsSessionFileName(const QString& path)
{
    return SessionType().names(path);
}
