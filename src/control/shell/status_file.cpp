#include "control/shell/status_file.h"

#include "platform/textfile.h"

#include <QCryptographicHash>
#include <QFile>

#include <sys/stat.h>

namespace pelmora {

FileStamp stampOf(const QString& path) {
  FileStamp s;
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0) return s;
  s.exists = true;
  s.size = static_cast<qint64>(st.st_size);
  s.modifiedNs = static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  s.changedNs = static_cast<qint64>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
  s.inode = static_cast<quint64>(st.st_ino);
  // Status files are a few lines; nothing larger is one.
  constexpr qint64 kLargest = 64 * 1024;
  QFile file(path);
  if (s.size <= kLargest && file.open(QIODevice::ReadOnly))
    s.digest = QCryptographicHash::hash(file.read(kLargest + 1), QCryptographicHash::Sha256);
  return s;
}

StatusLine readStatusLine(const QString& path, int lineNumber, const FileStamp& before) {
  StatusLine result;
  const FileStamp now = stampOf(path);
  if (!now.exists) return result;
  if (now == before) {
    result.state = StatusLine::State::Stale;
    return result;
  }
  const auto lines = platform::textfile::readLines(path);
  if (!lines) {
    result.state = StatusLine::State::Unreadable;
    return result;
  }
  result.state = StatusLine::State::Fresh;
  if (lineNumber >= 1 && lineNumber <= lines->size()) result.line = lines->at(lineNumber - 1);
  return result;
}

}  // namespace pelmora
