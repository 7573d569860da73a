#include "platform/diskfile.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <climits>
#include <cstring>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace platform {
namespace textfile {

namespace {
// The save's own refusals, beside the system's error numbers.
constexpr int kNotARegularFile = -1;
constexpr int kForeignLink = -2;
constexpr int kForeignFile = -3;
constexpr int kSwapped = -4;

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }
}  // namespace

int openRegularForReading(const QByteArray& name) {
  // Looked at before it is opened: opening a serial port's device node raises
  // its modem lines and can reset a board, a FIFO would wait for a writer.
  struct stat before {}, opened {};
  if (::stat(name.constData(), &before) != 0 || !S_ISREG(before.st_mode)) return -1;
  const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return -1;
  if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || !sameFile(before, opened)) {
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
    case kForeignFile: return QStringLiteral("ほかの人が置いたファイルです");
    case kSwapped: return QStringLiteral("保存の途中でファイルが入れ替えられました");
    // What a pulled stick or a share gone away answers.
    case EIO: return QStringLiteral("ディスクとの読み書きに失敗しました");
    case EBUSY: return QStringLiteral("使用中です");
    case ENODEV:
    case ENXIO: return QStringLiteral("ディスクが見つかりません");
    case ENOTCONN:
    case ESTALE:
    case EHOSTDOWN: return QStringLiteral("共有フォルダにつながりません");
    case EOPNOTSUPP:
    case ENOSYS: return QStringLiteral("このディスクではできない操作です");
    default: break;
  }
  return QStringLiteral("システムのエラー：%1（%2）").arg(QString::fromLocal8Bit(std::strerror(error))).arg(error);
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

// The folder part of a path as the system reads it.
QByteArray folderOf(const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('/');
  if (slash < 0) return ".";
  return slash == 0 ? QByteArray("/") : path.left(slash);
}

// What a save writes before the rename, hidden and named after its file, so a
// leftover on a stick says what it is; kept within the longest name a folder
// holds, never cutting a character in two.
QByteArray hiddenPrefix(const QByteArray& target) {
  QByteArray name = target.mid(target.lastIndexOf('/') + 1);
  constexpr qsizetype kRoom = NAME_MAX - 1 - 6 - 7;  // '.', ".save-", the number
  if (name.size() > kRoom) {
    qsizetype cut = kRoom;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    name.truncate(cut);
  }
  return '.' + name + ".save-";
}

QByteArray hiddenName(const QByteArray& folder, const QByteArray& prefix) {
  return folder + '/' + prefix + QByteArray::number(QRandomGenerator::global()->generate(), 36);
}

// A new file in folder, created with mode (the process's umask applies). It
// has no name where nameless is allowed and the system has such files, so a
// save killed part way leaves nothing behind; name is then empty. -1 with
// errno set on failure.
int createBeside(const QByteArray& folder, const QByteArray& prefix, mode_t mode, bool nameless, QByteArray& name) {
  name.clear();
  // Naming it later goes through /proc; without /proc keep to a named file.
  if (nameless && ::access("/proc/self/fd", X_OK) == 0) {
    const int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (fd >= 0) return fd;
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = hiddenName(folder, prefix);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Gives the nameless file fd a hidden name in folder, once it is complete.
int nameBeside(int fd, const QByteArray& folder, const QByteArray& prefix, QByteArray& name) {
  const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = hiddenName(folder, prefix);
    if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0) return 0;
    if (errno != EEXIST) break;
  }
  const int error = errno;
  name.clear();
  return error;
}

// A /proc that may not be linked from (mounted with restrictions, or not
// this process's) rather than a fault of the disk.
bool namingRefused(int error) {
  return error == EPERM || error == EACCES || error == ENOENT || error == EXDEV || error == ENOSYS ||
         error == EOPNOTSUPP;
}

// Takes away what saves of target killed part way left in folder where a
// file system has no nameless files: only the user's own (judged by the new
// file's owner, which a stick shows for all), and only those older than a
// minute by the disk's own clock, so a save still running keeps its file.
void removeLeftovers(const QByteArray& folder, const QByteArray& prefix, const struct stat& mine) {
  DIR* dir = ::opendir(folder.constData());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const QByteArray name(entry->d_name);
    if (!name.startsWith(prefix) || name.size() == prefix.size()) continue;
    bool number = true;
    for (const char c : name.mid(prefix.size())) number = number && ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'));
    struct stat st {};
    if (!number || ::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISREG(st.st_mode) && st.st_uid == mine.st_uid && st.st_mtim.tv_sec + 60 < mine.st_mtim.tv_sec)
      ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

// In a sticky folder anyone may write to, what belongs neither to the user nor
// to the folder's owner was left by someone else, as the system's protected
// links and files say: following such a link or writing into such a file
// would let another user aim a save at any file, or read what it writes.
bool leftByOther(const QByteArray& name, uid_t owner) {
  struct stat folder {};
  if (::stat(folderOf(name).constData(), &folder) != 0) return false;
  if (!(folder.st_mode & S_ISVTX) || !(folder.st_mode & S_IWOTH)) return false;
  return owner != ::geteuid() && owner != folder.st_uid;
}

// Why the existing file name (stat st) may not be replaced, or 0. A rename
// needs only the folder's permission, so the file's own decide here; a file
// marked read-only stays, even for root, whom access lets write.
int refusal(const QByteArray& name, const struct stat& st) {
  if (S_ISDIR(st.st_mode)) return EISDIR;
  // A FIFO, a device or a socket is no pupil's file: writing to it could
  // block or reach hardware, replacing it would break what uses it.
  if (!S_ISREG(st.st_mode)) return kNotARegularFile;
  if (leftByOther(name, st.st_uid)) return kForeignFile;
  if (::access(name.constData(), W_OK) != 0) return errno;
  return (st.st_mode & S_IWUSR) ? 0 : EACCES;
}

// The folder a name stands in, for a path free of links.
QByteArray parentOf(const QByteArray& path) {
  if (path.isEmpty() || path == ".." || path.endsWith("/..")) return path.isEmpty() ? QByteArray("..") : path + "/..";
  return path == "/" ? path : folderOf(path) == "." ? QByteArray() : folderOf(path);
}

// Follows every link along name, a folder's as much as the last one's, to the
// file the save must replace in its own folder: name becomes a path without
// links. 0, or why not (ELOOP past the links the system itself follows).
int followLinks(QByteArray& name) {
  std::deque<QByteArray> rest;
  for (const QByteArray& part : name.split('/')) rest.push_back(part);
  QByteArray done = name.startsWith('/') ? "/" : "";
  auto join = [](const QByteArray& folder, const QByteArray& part) {
    return folder.isEmpty() ? part : folder.endsWith('/') ? folder + part : folder + '/' + part;
  };
  for (int links = 0; !rest.empty();) {
    const QByteArray part = rest.front();
    rest.pop_front();
    if (part.isEmpty() || part == ".") continue;
    if (part == "..") {
      done = parentOf(done);
      continue;
    }
    const QByteArray next = join(done, part);
    struct stat st {};
    if (::lstat(next.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      done = next;
      continue;
    }
    if (++links > 40) return ELOOP;
    if (leftByOther(next, st.st_uid)) return kForeignLink;
    QByteArray link(st.st_size > 0 ? st.st_size + 1 : PATH_MAX, '\0');
    const ssize_t n = ::readlink(next.constData(), link.data(), static_cast<size_t>(link.size()));
    if (n < 0) return errno;
    link.truncate(n);
    if (link.startsWith('/')) done = "/";
    const QList<QByteArray> parts = link.split('/');
    rest.insert(rest.begin(), parts.begin(), parts.end());
  }
  name = done.isEmpty() ? QByteArray(".") : done;
  return 0;
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
// system that keeps none is no failure; false when the ACL could not be made
// what it was on from (carried, or taken away again where the new file got
// one from its folder and from had none).
bool copyAttributes(const QByteArray& from, int fd) {
  QByteArray names(1024, '\0');
  ssize_t size;
  while ((size = ::listxattr(from.constData(), names.data(), static_cast<size_t>(names.size()))) < 0 && errno == ERANGE)
    names.resize(names.size() * 4);
  const QList<QByteArray> attributes = size < 0 ? QList<QByteArray>{} : names.left(size).split('\0');
  // Asked first: a stick refuses even taking away what a file does not have.
  if (!attributes.contains(kAccessAcl) && ::fgetxattr(fd, kAccessAcl, nullptr, 0) >= 0 &&
      ::fremovexattr(fd, kAccessAcl) != 0 && errno != ENODATA)
    return false;
  for (const QByteArray& attribute : attributes) {
    if (attribute.isEmpty()) continue;
    QByteArray value(256, '\0');
    ssize_t length;
    while ((length = ::getxattr(from.constData(), attribute.constData(), value.data(),
                                static_cast<size_t>(value.size()))) < 0 && errno == ERANGE)
      value.resize(value.size() * 4);
    // Some namespaces are not the user's to read or set: only the ACL must come along.
    const bool required = attribute == kAccessAcl;
    if (length < 0) {
      if (required) return false;
      continue;
    }
    if (::fsetxattr(fd, attribute.constData(), value.constData(), static_cast<size_t>(length), 0) != 0 && required)
      return false;
  }
  return true;
}

// The save's answers for a second way: the new file cannot become what the
// old one was, or a nameless file cannot be named here.
constexpr int kCannotKeep = -100;
constexpr int kNoNaming = -101;

// Gives the new file fd the replaced file's owner and group, its ACL and
// other attributes, and its permissions, before any byte goes in. A stick or
// share that keeps no owners or modes refuses chown and chmod, which is no
// failure where the new file already shows the old one's; otherwise
// kCannotKeep, for a save that must not take the file from its owner.
int takeOver(int fd, const QByteArray& old, const struct stat& st) {
  if (::fchown(fd, st.st_uid, st.st_gid) != 0) ::fchown(fd, static_cast<uid_t>(-1), st.st_gid);
  const bool aclKept = copyAttributes(old, fd);
  ::fchmod(fd, st.st_mode & 07777);
  struct stat now {};
  if (::fstat(fd, &now) != 0) return errno;
  const bool same = now.st_uid == st.st_uid && now.st_gid == st.st_gid && (now.st_mode & 07777) == (st.st_mode & 07777);
  return same && aclKept ? 0 : kCannotKeep;
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

// The save proper: bytes into a new file beside target, which a rename puts
// in its place once they are all on disk. old is the file replaced, if any.
// kCannotKeep when no new file can stand in for the old one (none may be
// made beside it, or it cannot become the old one's), kNoNaming when a
// nameless file cannot be named here.
int replaceBeside(const QByteArray& target, const struct stat* old, const QByteArray& bytes, bool nameless) {
  const QByteArray folder = folderOf(target);
  const QByteArray prefix = hiddenPrefix(target);
  QByteArray tempName;
  const int fd = createBeside(folder, prefix, old ? 0600 : 0666, nameless, tempName);
  // A folder the user may not add to can still hold a file the user may write.
  if (fd < 0) return old && (errno == EACCES || errno == EPERM) ? kCannotKeep : errno;
  // Only a file system without nameless files can hold leftovers worth a look.
  const bool named = !tempName.isEmpty();
  int error = old ? takeOver(fd, target, *old) : 0;
  struct stat mine {};
  if (!error && !(writeAll(fd, bytes) && ::fsync(fd) == 0 && ::fstat(fd, &mine) == 0)) error = errno;
  if (!error && tempName.isEmpty()) {
    error = nameBeside(fd, folder, prefix, tempName);
    if (namingRefused(error)) error = kNoNaming;
  }
  if (::close(fd) != 0 && !error) error = errno;
  if (!error && ::rename(tempName.constData(), target.constData()) != 0) error = errno;
  if (error) {
    if (!tempName.isEmpty()) ::unlink(tempName.constData());
    return error;
  }
  if (named) removeLeftovers(folder, prefix, mine);
  return flushFolder(folder);
}

// Room for a file of size bytes that now has oldSize, taken before the first
// byte is overwritten, so a full disk or a size limit leaves the old contents
// whole. Where the file system cannot reserve, its free space and the size
// limit are checked instead.
int reserve(int fd, off_t oldSize, off_t size) {
  if (size <= oldSize) return 0;
  if (::fallocate(fd, 0, 0, size) == 0) return 0;
  const int error = errno;
  if (error != EOPNOTSUPP && error != ENOSYS) {
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size != oldSize) ::ftruncate(fd, oldSize);
    return error;
  }
  struct statvfs disk {};
  if (::fstatvfs(fd, &disk) == 0 && static_cast<unsigned long long>(disk.f_bavail) * disk.f_frsize <
                                        static_cast<unsigned long long>(size - oldSize))
    return ENOSPC;
  struct rlimit limit {};
  if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
      static_cast<rlim_t>(size) > limit.rlim_cur)
    return EFBIG;
  return 0;
}

// Opens name for writing, without waiting and only as the regular file
// checked (or, with checked null, as a new file): what was checked could have
// been swapped for a FIFO or a device since. fd blocks again once it is
// known; 0, or why not, with nothing opened.
int openChecked(const QByteArray& name, const struct stat* checked, int& fd, struct stat& st) {
  fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC | (checked ? 0 : O_CREAT | O_EXCL),
              0666);
  if (fd < 0) return errno;
  int error = 0;
  if (::fstat(fd, &st) != 0) error = errno;
  else if (!S_ISREG(st.st_mode)) error = kNotARegularFile;
  else if (checked && !sameFile(st, *checked)) error = kSwapped;
  else if (::fcntl(fd, F_SETFL, 0) != 0) error = errno;
  if (error) {
    ::close(fd);
    fd = -1;
  }
  return error;
}

// Writes bytes into the file target itself (old as checked), for a file the
// user may write but not replace, or whose owner, group or mode a new file of
// the user's cannot have: it keeps them, its ACL and its other names. Killed
// part way, it can be left half new; this is why it is the second way only.
int writeInPlace(const QByteArray& target, const struct stat& old, const QByteArray& bytes) {
  int fd = -1;
  struct stat st {};
  int error = openChecked(target, &old, fd, st);
  if (error) return error;
  error = reserve(fd, st.st_size, bytes.size());
  // Cut only what is longer: a FAT stick's driver refuses any other length.
  const bool shorter = st.st_size > bytes.size();
  if (!error && !(writeAll(fd, bytes) && (!shorter || ::ftruncate(fd, bytes.size()) == 0) && ::fsync(fd) == 0))
    error = errno;
  if (::close(fd) != 0 && !error) error = errno;
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
  const struct stat* replaced = replacing ? &old : nullptr;
  int error = replaceBeside(target, replaced, bytes, true);
  if (error == kNoNaming) error = replaceBeside(target, replaced, bytes, false);
  // Nobody loses a file through another's save: it stays its owner's.
  if (error == kCannotKeep) error = writeInPlace(target, old, bytes);
  if (error) return failed(error);
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
  struct stat checked {}, st {};
  bool exists = false;
  if (const int error = checkTarget(target, checked, exists)) return refuse(error);
  // Not emptied before it is known to be the file checked above, or a new one.
  int fd = -1;
  int error = openChecked(target, exists ? &checked : nullptr, fd, st);
  if (!error && ::ftruncate(fd, 0) != 0) {
    error = errno;
    ::close(fd);
  }
  if (error) return refuse(error);
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
