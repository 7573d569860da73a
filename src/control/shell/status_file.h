#pragma once
// The status files that the outside compiler and writer leave behind. A file
// counts only when its program wrote it during this upload: an older one from
// an earlier run says nothing about this one.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace pelmora {

// What a file looked like at one moment; two stamps differ when the file was
// written, replaced, created or removed in between. The contents count as
// well: where the file system keeps coarse times (two seconds on a FAT stick),
// a rewrite soon after the stamp may leave times and size as they were.
struct FileStamp {
  bool exists = false;
  qint64 size = 0;
  qint64 modifiedNs = 0;
  qint64 changedNs = 0;
  quint64 inode = 0;
  QByteArray digest;  // of the contents; empty for a file too large to read whole
  bool operator==(const FileStamp&) const = default;
};

FileStamp stampOf(const QString& path);

struct StatusLine {
  enum class State { Fresh, Missing, Stale, Unreadable };
  State state = State::Missing;
  // Line lineNumber (1-based) of a fresh file; empty when it has fewer lines.
  QString line;
};

// Reads line lineNumber of path, judged against its stamp from before the
// outside program started.
StatusLine readStatusLine(const QString& path, int lineNumber, const FileStamp& before);

}  // namespace pelmora
