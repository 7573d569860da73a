#pragma once
// Every text file the programs read or write goes through here: code page 932
// bytes on disk, CR LF line ends on write, CR LF, LF or CR accepted on read.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

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

struct WriteResult {
  bool ok = false;
  QString error;  // a sentence for the user when !ok
  explicit operator bool() const { return ok; }
};

namespace textfile {
bool exists(const QString& path);
// nullopt when the file is missing or cannot be read. With maxBytes, no more
// than that is read from the start of the file and the rest is ignored.
std::optional<QList<QByteArray>> readRawLines(const QString& path, qint64 maxBytes = -1);
std::optional<QStringList> readLines(const QString& path, qint64 maxBytes = -1);
// More than a settings file of a few dozen short lines can ever hold: a huge
// or foreign file in its place cannot stall the start.
inline constexpr qint64 kSettingsFileLimit = 64 * 1024;
// Atomic: a failed or killed write leaves the old file whole and nothing else.
// Only a regular file is replaced, keeping its owner, mode and ACL.
WriteResult writeRawLines(const QString& path, const QList<QByteArray>& lines);
WriteResult writeLines(const QString& path, const QStringList& lines);
// Raw bytes, atomic as well.
WriteResult writeBytes(const QString& path, const QByteArray& bytes);
// Why a file could not be written, in Japanese, from the system's error
// number: the usual kinds by name, anything else as the system's own text.
QString failureReason(int error);
// Past a file-size limit a write then fails with EFBIG and the save says so,
// instead of the program ending and leaving its half-written file behind.
void keepRunningPastFileSizeLimit();

// A file written a line at a time while it stays open (a continuous log):
// each line is handed to the system before append returns, so a reader sees
// it at once, and failures give the same reasons as whole-file saves.
class LineAppender {
 public:
  LineAppender() = default;
  LineAppender(const LineAppender&) = delete;
  LineAppender& operator=(const LineAppender&) = delete;
  ~LineAppender() { close(); }

  // Creates or empties path, a regular file only; on failure reason says why
  // and nothing was emptied.
  bool open(const QString& path, QString* reason);
  // Writes line and CR LF; on failure reason says why, the file ends with the
  // last whole line and is closed.
  bool append(const QByteArray& line, QString* reason);
  void close();
  bool isOpen() const { return fd_ >= 0; }
  const QString& path() const { return path_; }

 private:
  int fd_ = -1;
  qint64 written_ = 0;
  QString path_;
};
}  // namespace textfile

}  // namespace platform
