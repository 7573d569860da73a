#pragma once
// The file-system side of the programs' files: checking what a name leads to,
// replacing a file on disk without losing it or what it keeps, and the log
// written a line at a time. The text layer (textfile.h) stands on this.

#include <QByteArray>
#include <QString>

namespace platform {

struct WriteResult {
  bool ok = false;
  QString error;  // a sentence for the user when !ok
  explicit operator bool() const { return ok; }
};

namespace textfile {
// A failed write leaves the old file whole and nothing else. Only a regular
// file the user may write is replaced, keeping its owner, group, mode and ACL
// (a file without an ACL gets none). A killed write leaves the old file whole
// too, and nothing behind where the file system has nameless files (else a
// hidden ".NAME.save-..." file, which a later save takes away). Where a new
// file cannot have the old one's owner, group, mode or ACL, the bytes go into
// the file itself, with room reserved first: a failure still leaves it whole,
// a killed write can leave it half new.
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

// A descriptor open for reading on name when it leads to a regular file, or
// -1: nothing else is ever opened, so a FIFO cannot stall the caller.
int openRegularForReading(const QByteArray& name);
}  // namespace textfile

}  // namespace platform
