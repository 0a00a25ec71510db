#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// No file the program writes comes near this; anything larger is refused
// unread, so a wrong choice in the open dialog cannot fill the memory.
constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;

// A whole file's bytes, or why it could not be read (FileMessages).
struct FileRead
{
    QByteArray bytes;
    QString error;
};
FileRead ReadWholeFile(const QString& path);

// Writes the file whole or leaves what was there: the bytes go to a
// temporary file that replaces it only once complete. Returns the reason it
// failed, or an empty text.
QString WriteWholeFile(const QString& path, const QByteArray& bytes);

// The message box's text: "could not open/save FILE", a line break, the reason.
QString OpenFailedMessage(const QString& path, const QString& reason);
QString SaveFailedMessage(const QString& path, const QString& reason);

// The text of bytes that must be UTF-8, without a leading byte order mark;
// nothing when any byte sequence is not UTF-8.
std::optional<QString> DecodeUtf8(const QByteArray& bytes);

// The text of a file the program reads, or why there is none: more than
// MaxFileBytes, or not UTF-8 (FileMessages).
struct TextRead
{
    QString text;
    QString error;
};
TextRead TextOf(const QByteArray& bytes);

// Whether a file is read as a session (*.orvandeler) rather than an index list.
bool IsSessionFileName(const QString& path);
