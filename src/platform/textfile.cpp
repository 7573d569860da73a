#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (valid()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t handle() const { return cd_; }

 private:
  iconv_t cd_;
};

// Converts one whole chunk; false when iconv refuses any byte of it.
bool convertChunk(iconv_t cd, const QByteArray& in, QByteArray& out) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  out.clear();
  if (in.isEmpty()) return true;
  QByteArray buffer(in.size() * 4 + 16, '\0');
  char* inPtr = const_cast<char*>(in.constData());
  size_t inLeft = static_cast<size_t>(in.size());
  char* outPtr = buffer.data();
  size_t outLeft = static_cast<size_t>(buffer.size());
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return false;
  if (iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) return false;
  out = buffer.left(buffer.size() - static_cast<qsizetype>(outLeft));
  return true;
}

}  // namespace

namespace cp932 {

std::optional<QByteArray> encode(const QString& text) {
  Iconv cv("CP932", "UTF-8");
  if (!cv.valid()) return std::nullopt;
  QByteArray out;
  if (!convertChunk(cv.handle(), text.toUtf8(), out)) return std::nullopt;
  return out;
}

std::optional<QChar> firstUnencodable(const QString& text) {
  Iconv cv("CP932", "UTF-8");
  QByteArray out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
    if (!cv.valid() || !convertChunk(cv.handle(), text.mid(i, len).toUtf8(), out)) return text[i];
    i += len - 1;
  }
  return std::nullopt;
}

QString decode(const QByteArray& bytes) {
  Iconv cv("UTF-8", "CP932");
  QString result;
  if (!cv.valid()) return QString::fromLatin1(bytes);
  qsizetype pos = 0;
  QByteArray out;
  while (pos < bytes.size()) {
    // Decode the longest valid run; a byte iconv refuses becomes U+FFFD.
    const unsigned char c = static_cast<unsigned char>(bytes[pos]);
    const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    const qsizetype len = (lead && pos + 1 < bytes.size()) ? 2 : 1;
    if (convertChunk(cv.handle(), bytes.mid(pos, len), out) && !out.isEmpty()) {
      result += QString::fromUtf8(out);
      pos += len;
    } else {
      result += QChar(0xFFFD);
      pos += 1;
    }
  }
  return result;
}

}  // namespace cp932

QList<QByteArray> splitLines(const QByteArray& bytes) {
  QList<QByteArray> lines;
  QByteArray current;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\r' || c == '\n') {
      lines.append(current);
      current.clear();
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      current.append(c);
    }
  }
  if (!current.isEmpty()) lines.append(current);
  return lines;
}

QByteArray joinLines(const QList<QByteArray>& lines) {
  QByteArray out;
  for (const QByteArray& line : lines) {
    out.append(line);
    out.append("\r\n");
  }
  return out;
}

namespace textfile {

bool exists(const QString& path) { return QFileInfo(path).isFile(); }

std::optional<QList<QByteArray>> readRawLines(const QString& path, qint64 maxBytes) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return splitLines(maxBytes < 0 ? file.readAll() : file.read(maxBytes));
}

std::optional<QStringList> readLines(const QString& path, qint64 maxBytes) {
  auto raw = readRawLines(path, maxBytes);
  if (!raw) return std::nullopt;
  QStringList lines;
  lines.reserve(raw->size());
  for (const QByteArray& line : *raw) lines.append(cp932::decode(line));
  return lines;
}

QString failureReason(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return QStringLiteral("ファイルまたはフォルダがありません");
    case EACCES:
    case EPERM: return QStringLiteral("書き込む権限がありません");
    case ENOSPC:
    case EDQUOT: return QStringLiteral("ディスクがいっぱいです");
    case ENAMETOOLONG: return QStringLiteral("名前が長すぎます");
    case EROFS: return QStringLiteral("書き込みが禁止されたディスクです");
    case EISDIR: return QStringLiteral("同じ名前のフォルダがあります");
    case EFBIG: return QStringLiteral("ファイルが大きすぎます");
    case ELOOP: return QStringLiteral("リンクが輪になっています");
    default: break;
  }
  return QStringLiteral("システムのエラー：") + QString::fromLocal8Bit(std::strerror(error));
}

void keepRunningPastFileSizeLimit() {
  // A handler rather than SIG_IGN: an ignored signal stays ignored in every
  // program started from here, a handled one is back to its default there.
  struct sigaction action {};
  action.sa_handler = [](int) {};
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGXFSZ, &action, nullptr);
}

namespace {

bool writeAll(int fd, const QByteArray& bytes) {
  const char* p = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= n;
  }
  return true;
}

// A new file in folder, created with mode (the process's umask applies); -1
// with errno set on failure.
int createBeside(const QByteArray& folder, mode_t mode, QByteArray& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = folder + "/.save-" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Why the existing file name (stat st) may not be replaced, or 0. A rename
// needs only the folder's permission, so the file's own decide here; a file
// marked read-only stays, even for root, whom access lets write.
int refusal(const QByteArray& name, const struct stat& st) {
  if (S_ISDIR(st.st_mode)) return EISDIR;
  if (::access(name.constData(), W_OK) != 0) return errno;
  return (st.st_mode & S_IWUSR) ? 0 : EACCES;
}

// The folder part of a path as the system reads it.
QByteArray folderOf(const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('/');
  if (slash < 0) return ".";
  return slash == 0 ? QByteArray("/") : path.left(slash);
}

// The name at the end of a chain of links, which the save must replace in its
// own folder; 0, or ELOOP past the depth the system itself follows.
int followLinks(QByteArray& name) {
  for (int depth = 0;; ++depth) {
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return 0;
    if (depth == 40) return ELOOP;
    QByteArray link(st.st_size > 0 ? st.st_size + 1 : PATH_MAX, '\0');
    const ssize_t n = ::readlink(name.constData(), link.data(), static_cast<size_t>(link.size()));
    if (n < 0) return errno;
    link.truncate(n);
    name = link.startsWith('/') ? link : folderOf(name) + '/' + link;
  }
}

// Puts the rename on disk. A folder the user may not open, or a file system
// that cannot flush a folder, leaves nothing more to do.
int flushFolder(const QByteArray& folder) {
  const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return 0;
  int error = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  if (error == EINVAL || error == EROFS || error == ENOTSUP || error == ENOSYS) error = 0;
  return error;
}

}  // namespace

WriteResult writeBytes(const QString& path, const QByteArray& bytes) {
  // The new contents go to a file beside the old one, which is replaced by a
  // rename only once they are all on disk: a full disk or a pulled stick
  // leaves the old file whole, and a reader of it keeps reading it.
  auto failed = [&path](int error) {
    return WriteResult{false, path + QStringLiteral("に書き込めません（") + failureReason(error) + QStringLiteral("）")};
  };
  // Through links to the real file, so the links stay links.
  QByteArray target = QFile::encodeName(path);
  if (const int error = followLinks(target)) return failed(error);
  const QByteArray folder = folderOf(target);

  struct stat old {};
  const bool replacing = ::stat(target.constData(), &old) == 0;
  if (replacing) {
    if (const int error = refusal(target, old)) return failed(error);
  }

  // A replaced file keeps its owner and group where the user may set them,
  // and its permissions, before any byte is in: nobody else reads a moment
  // early what the old file kept from them.
  QByteArray tempName;
  const int fd = createBeside(folder, replacing ? 0600 : 0666, tempName);
  if (fd < 0) return failed(errno);
  if (replacing && ::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
    // Neither is the user's to give: the new file stays the user's own.
  }
  bool ok = (!replacing || ::fchmod(fd, old.st_mode & 07777) == 0) && writeAll(fd, bytes) && ::fsync(fd) == 0;
  int error = ok ? 0 : errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && ::rename(tempName.constData(), target.constData()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlink(tempName.constData());
    return failed(error);
  }
  if (const int flushError = flushFolder(folder)) return failed(flushError);
  return {true, {}};
}

bool LineAppender::open(const QString& path, QString* reason) {
  close();
  path_ = path;
  const QByteArray name = QFile::encodeName(path);
  struct stat old {};
  if (::stat(name.constData(), &old) == 0) {
    if (const int error = refusal(name, old)) {
      if (reason) *reason = failureReason(error);
      return false;
    }
  }
  fd_ = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd_ < 0 && reason) *reason = failureReason(errno);
  return fd_ >= 0;
}

bool LineAppender::append(const QByteArray& line, QString* reason) {
  if (fd_ < 0) return false;
  if (writeAll(fd_, line + "\r\n")) return true;
  if (reason) *reason = failureReason(errno);
  close();
  return false;
}

void LineAppender::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

WriteResult writeRawLines(const QString& path, const QList<QByteArray>& lines) {
  return writeBytes(path, joinLines(lines));
}

WriteResult writeLines(const QString& path, const QStringList& lines) {
  QList<QByteArray> raw;
  raw.reserve(lines.size());
  for (qsizetype i = 0; i < lines.size(); ++i) {
    auto bytes = cp932::encode(lines[i]);
    if (!bytes) {
      const auto bad = cp932::firstUnencodable(lines[i]);
      return {false, QStringLiteral("%1行目の文字「%2」はファイルに保存できません").arg(i + 1).arg(bad ? QString(*bad) : QString())};
    }
    raw.append(*bytes);
  }
  return writeRawLines(path, raw);
}

}  // namespace textfile

}  // namespace platform
