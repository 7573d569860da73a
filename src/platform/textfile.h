#pragma once
// Every text file the programs read or write goes through here: code page 932
// bytes on disk, CR LF line ends on write, CR LF, LF or CR accepted on read.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

#include "platform/diskfile.h"

namespace platform {

namespace cp932 {
// nullopt when a character has no code page 932 form; never substitutes.
std::optional<QByteArray> encode(const QString& text);
// Bytes that are not valid code page 932 become U+FFFD, one per bad byte.
QString decode(const QByteArray& bytes);
// The first character of text that code page 932 cannot hold, or nullopt.
std::optional<QChar> firstUnencodable(const QString& text);
}  // namespace cp932

// Splits on CR LF, LF or CR. A final line end does not start another line.
QList<QByteArray> splitLines(const QByteArray& bytes);
// Each line followed by CR LF.
QByteArray joinLines(const QList<QByteArray>& lines);


namespace textfile {
bool exists(const QString& path);
// nullopt when the file is missing or cannot be read. With maxBytes, no more
// than that is read from the start of the file and the rest is ignored.
std::optional<QList<QByteArray>> readRawLines(const QString& path, qint64 maxBytes = -1);
std::optional<QStringList> readLines(const QString& path, qint64 maxBytes = -1);
// More than a settings file of a few dozen short lines can ever hold: a huge
// or foreign file in its place cannot stall the start.
inline constexpr qint64 kSettingsFileLimit = 64 * 1024;
// Saved as writeBytes saves.
WriteResult writeRawLines(const QString& path, const QList<QByteArray>& lines);
WriteResult writeLines(const QString& path, const QStringList& lines);
}  // namespace textfile

}  // namespace platform
