#include "platform/diskfile.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace platform {
namespace textfile {

namespace {
// The save's own refusals, beside the system's error numbers.
constexpr int kNotARegularFile = -1;
constexpr int kForeignLink = -2;
}  // namespace

int openRegularForReading(const QByteArray& name) {
  // Without waiting, and a regular file only: a FIFO or a device in a
  // settings file's place must not stall the program.
  const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
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
    case kNotARegularFile: return QStringLiteral("通常のファイルではありません");
    case kForeignLink: return QStringLiteral("ほかの人が置いたリンクです");
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

QByteArray hiddenName(const QByteArray& folder) {
  return folder + "/.save-" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
}

// A new file in folder, created with mode (the process's umask applies). It
// has no name where the system allows that, so a save killed part way leaves
// nothing behind; name is then empty. -1 with errno set on failure.
int createBeside(const QByteArray& folder, mode_t mode, QByteArray& name) {
  name.clear();
  // Naming it later goes through /proc; without /proc keep to a named file.
  if (::access("/proc/self/fd", X_OK) == 0) {
    const int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (fd >= 0) return fd;
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = hiddenName(folder);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Gives the nameless file fd a hidden name in folder, once it is complete.
int nameBeside(int fd, const QByteArray& folder, QByteArray& name) {
  const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = hiddenName(folder);
    if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0) return 0;
    if (errno != EEXIST) break;
  }
  const int error = errno;
  name.clear();
  return error;
}

// Why the existing file name (stat st) may not be replaced, or 0. A rename
// needs only the folder's permission, so the file's own decide here; a file
// marked read-only stays, even for root, whom access lets write.
int refusal(const QByteArray& name, const struct stat& st) {
  if (S_ISDIR(st.st_mode)) return EISDIR;
  // A FIFO, a device or a socket is no pupil's file: writing to it could
  // block or reach hardware, replacing it would break what uses it.
  if (!S_ISREG(st.st_mode)) return kNotARegularFile;
  if (::access(name.constData(), W_OK) != 0) return errno;
  return (st.st_mode & S_IWUSR) ? 0 : EACCES;
}

// The folder part of a path as the system reads it.
QByteArray folderOf(const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('/');
  if (slash < 0) return ".";
  return slash == 0 ? QByteArray("/") : path.left(slash);
}

// In a sticky folder anyone may write to, a link is followed only when it is
// the user's own or the folder owner's, as the system's protected links do:
// otherwise another user could aim a save at any file.
bool mayFollow(const QByteArray& link, const struct stat& st) {
  struct stat folder {};
  if (::stat(folderOf(link).constData(), &folder) != 0) return true;
  if (!(folder.st_mode & S_ISVTX) || !(folder.st_mode & S_IWOTH)) return true;
  return st.st_uid == ::geteuid() || st.st_uid == folder.st_uid;
}

// The name at the end of a chain of links, which the save must replace in its
// own folder; 0, or why not (ELOOP past the depth the system itself follows).
int followLinks(QByteArray& name) {
  for (int depth = 0;; ++depth) {
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return 0;
    if (depth == 40) return ELOOP;
    if (!mayFollow(name, st)) return kForeignLink;
    QByteArray link(st.st_size > 0 ? st.st_size + 1 : PATH_MAX, '\0');
    const ssize_t n = ::readlink(name.constData(), link.data(), static_cast<size_t>(link.size()));
    if (n < 0) return errno;
    link.truncate(n);
    name = link.startsWith('/') ? link : folderOf(name) + '/' + link;
  }
}

// Follows links from name to the file to write and says whether it may be:
// 0, and exists tells whether st holds a file to replace; or why not.
int checkTarget(QByteArray& name, struct stat& st, bool& exists) {
  if (const int error = followLinks(name)) return error;
  exists = ::lstat(name.constData(), &st) == 0;
  return exists ? refusal(name, st) : 0;
}

// The access ACL of a file shared with one other pupil; losing it would give
// the whole group the ACL's mask as its permission.
constexpr char kAccessAcl[] = "system.posix_acl_access";

// Carries from's extended attributes, its ACL among them, over to fd. A file
// system that keeps none is no failure; the ACL not taking is one.
int copyAttributes(const QByteArray& from, int fd) {
  QByteArray names(1024, '\0');
  ssize_t size;
  while ((size = ::listxattr(from.constData(), names.data(), static_cast<size_t>(names.size()))) < 0 && errno == ERANGE)
    names.resize(names.size() * 4);
  if (size < 0) return 0;
  for (const QByteArray& attribute : names.left(size).split('\0')) {
    if (attribute.isEmpty()) continue;
    QByteArray value(256, '\0');
    ssize_t length;
    while ((length = ::getxattr(from.constData(), attribute.constData(), value.data(),
                                static_cast<size_t>(value.size()))) < 0 && errno == ERANGE)
      value.resize(value.size() * 4);
    // Some namespaces are not the user's to read or set: only the ACL must come along.
    const bool required = attribute == kAccessAcl;
    if (length < 0) {
      if (required) return errno;
      continue;
    }
    if (::fsetxattr(fd, attribute.constData(), value.constData(), static_cast<size_t>(length), 0) != 0 && required)
      return errno;
  }
  return 0;
}

// The replaced file's owner and group where the user may set them, then its
// permissions and attributes: nobody else reads a moment early what the old
// file kept from them.
int takeOver(int fd, const QByteArray& old, const struct stat& st) {
  if (::fchown(fd, st.st_uid, st.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), st.st_gid) != 0) {
    // Neither is the user's to give: the new file stays the user's own.
  }
  if (::fchmod(fd, st.st_mode & 07777) != 0) return errno;
  return copyAttributes(old, fd);
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
  // leaves the old file whole, and a reader of it keeps reading it. Another
  // name of the old file (a hard link) keeps the old contents.
  auto failed = [&path](int error) {
    return WriteResult{false, path + QStringLiteral("に書き込めません（") + failureReason(error) + QStringLiteral("）")};
  };
  // Through links to the real file, so the links stay links.
  QByteArray target = QFile::encodeName(path);
  struct stat old {};
  bool replacing = false;
  if (const int error = checkTarget(target, old, replacing)) return failed(error);
  const QByteArray folder = folderOf(target);

  QByteArray tempName;
  const int fd = createBeside(folder, replacing ? 0600 : 0666, tempName);
  if (fd < 0) return failed(errno);
  int error = replacing ? takeOver(fd, target, old) : 0;
  if (!error && !(writeAll(fd, bytes) && ::fsync(fd) == 0)) error = errno;
  if (!error && tempName.isEmpty()) error = nameBeside(fd, folder, tempName);
  if (::close(fd) != 0 && !error) error = errno;
  if (!error && ::rename(tempName.constData(), target.constData()) != 0) error = errno;
  if (error) {
    if (!tempName.isEmpty()) ::unlink(tempName.constData());
    return failed(error);
  }
  if (const int flushError = flushFolder(folder)) return failed(flushError);
  return {true, {}};
}

bool LineAppender::open(const QString& path, QString* reason) {
  close();
  path_ = path;
  auto refuse = [reason](int error) {
    if (reason) *reason = failureReason(error);
    return false;
  };
  QByteArray target = QFile::encodeName(path);
  struct stat st {};
  bool exists = false;
  if (const int error = checkTarget(target, st, exists)) return refuse(error);
  // Not emptied yet and without waiting: what was checked above could have
  // been swapped for a FIFO or a device since.
  const int fd = ::open(target.constData(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return refuse(errno);
  int error = 0;
  if (::fstat(fd, &st) != 0) error = errno;
  else if (!S_ISREG(st.st_mode)) error = kNotARegularFile;
  else if (::ftruncate(fd, 0) != 0 || ::fcntl(fd, F_SETFL, 0) != 0) error = errno;
  if (error) {
    ::close(fd);
    return refuse(error);
  }
  fd_ = fd;
  written_ = 0;
  return true;
}

bool LineAppender::append(const QByteArray& line, QString* reason) {
  if (fd_ < 0) return false;
  const QByteArray whole = line + "\r\n";
  if (writeAll(fd_, whole)) {
    written_ += whole.size();
    return true;
  }
  const int error = errno;
  // A line cut short would read as a real value: the file ends with the last
  // whole line instead.
  while (::ftruncate(fd_, written_) != 0 && errno == EINTR) {
  }
  if (reason) *reason = failureReason(error);
  close();
  return false;
}

void LineAppender::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

}  // namespace textfile
}  // namespace platform
