#include "platform/diskfile.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <sys/inotify.h>
#include <optional>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/xattr.h>
#include <thread>
#include <unistd.h>

using namespace platform;

namespace {

QByteArray contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// A limit on the size of any file the process writes, as a full disk or a
// pulled stick stops a write half way; lifted again when it goes.
struct FileSizeLimit {
  explicit FileSizeLimit(rlim_t bytes, void (*onSignal)(int) = SIG_IGN) {
    getrlimit(RLIMIT_FSIZE, &saved);
    previous = std::signal(SIGXFSZ, onSignal);
    rlimit limited = saved;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
  }
  rlimit saved{};
  void (*previous)(int) = nullptr;
};

}  // namespace

TEST(TextFile, AWriteThatFailsHalfWayLeavesTheOldFileWholeAndNoLeftovers) {
  QTemporaryDir dir;
  const QString path = dir.filePath("program.txt");
  ASSERT_TRUE(textfile::writeBytes(path, "old contents\r\n"));
  WriteResult result;
  {
    FileSizeLimit limit(4096);
    result = textfile::writeBytes(path, QByteArray(64 * 1024, 'x'));
  }
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error.toStdString(), (path + QStringLiteral("に書き込めません（ファイルが大きすぎます）")).toStdString());
  EXPECT_EQ(contents(path), "old contents\r\n");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"program.txt"});
}

TEST(TextFile, TheProgramOutlivesAFileSizeLimitButWhatItStartsKeepsTheUsualSignal) {
  struct sigaction saved {};
  sigaction(SIGXFSZ, nullptr, &saved);
  textfile::keepRunningPastFileSizeLimit();
  QTemporaryDir dir;
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit limited = old;
  limited.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &limited);
  const WriteResult result = textfile::writeBytes(dir.filePath("big.txt"), QByteArray(64 * 1024, 'x'));
  QProcess child;
  child.start(QStringLiteral("/bin/sed"), {QStringLiteral("-n"), QStringLiteral("s/^SigIgn:\\s*//p"), QStringLiteral("/proc/self/status")});
  child.waitForFinished();
  setrlimit(RLIMIT_FSIZE, &old);
  sigaction(SIGXFSZ, &saved, nullptr);
  EXPECT_FALSE(result.ok);
  bool read = false;
  const qulonglong ignored = child.readAllStandardOutput().trimmed().toULongLong(&read, 16);
  EXPECT_TRUE(read);
  EXPECT_EQ(ignored & (1ull << (SIGXFSZ - 1)), 0u);
}

namespace {
// The new file as it stands when a write first passes the size limit: some
// bytes are in, so others could already read them.
struct stat halfWritten {};
void noteHalfWrittenFile(int) {
  struct stat st {};
  for (int fd = 3; fd < 1024; ++fd)
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 3000) halfWritten = st;
}
}  // namespace

namespace {
// While set, the mode of the file the save hands to its owner, which it does
// first of all.
bool watchOwnerChange = false;
std::optional<mode_t> modeWhenCreated;
}  // namespace

namespace {
// Calls this test program refuses, with their error number, as a stick or
// share that keeps no owners or modes, or a /proc with restrictions, does.
std::map<std::string, int> refusedCalls;
bool refused(const char* call) {
  const auto it = refusedCalls.find(call);
  if (it == refusedCalls.end()) return false;
  errno = it->second;
  return true;
}
// The name the last rename took a file from.
QByteArray renamedFrom;
}  // namespace

extern "C" int fchown(int fd, uid_t owner, gid_t group) {
  struct stat st {};
  if (watchOwnerChange && !modeWhenCreated && ::fstat(fd, &st) == 0) modeWhenCreated = st.st_mode & 07777;
  if (refused("fchown")) return -1;
  return static_cast<int>(::syscall(SYS_fchown, fd, owner, group));
}

extern "C" int fchmod(int fd, mode_t mode) {
  return refused("fchmod") ? -1 : static_cast<int>(::syscall(SYS_fchmod, fd, mode));
}

extern "C" int fremovexattr(int fd, const char* name) {
  return refused("fremovexattr") ? -1 : static_cast<int>(::syscall(SYS_fremovexattr, fd, name));
}

// A FAT stick's driver refuses to set a length that does not shorten the file.
extern "C" int ftruncate(int fd, off_t length) {
  struct stat st {};
  if (::fstat(fd, &st) == 0 && length >= st.st_size && refused("ftruncate")) return -1;
  return static_cast<int>(::syscall(SYS_ftruncate, fd, length));
}

extern "C" int linkat(int fromFolder, const char* from, int toFolder, const char* to, int flags) {
  return refused("linkat") ? -1 : static_cast<int>(::syscall(SYS_linkat, fromFolder, from, toFolder, to, flags));
}

extern "C" int fallocate(int fd, int mode, off_t offset, off_t length) {
  return refused("fallocate") ? -1 : static_cast<int>(::syscall(SYS_fallocate, fd, mode, offset, length));
}

extern "C" int rename(const char* from, const char* to) {
  renamedFrom = from;
  return static_cast<int>(::syscall(SYS_rename, from, to));
}

TEST(TextFile, WhatTheFileSystemRefusesButTheSaveNeedsNotIsNoFailure) {
  const std::vector<std::map<std::string, int>> rows = {
      // The new file already shows the old one's owner and mode, and has no ACL.
      {{"fchown", EPERM}, {"fchmod", EPERM}, {"fremovexattr", EPERM}},
      {{"fchown", ENOSYS}, {"fchmod", ENOSYS}, {"fremovexattr", ENOSYS}},
      {{"linkat", EPERM}},  // no naming through /proc: a named file instead
      {{"linkat", ENOENT}},
  };
  for (const auto& row : rows) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.txt");
    ASSERT_TRUE(textfile::writeBytes(path, "old\r\n"));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0600), 0);
    auto inode = [&path] {
      struct stat st {};
      return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
    };
    const ino_t before = inode();
    refusedCalls = row;
    const WriteResult result = textfile::writeBytes(path, "new\r\n");
    refusedCalls.clear();
    EXPECT_TRUE(result.ok) << row.begin()->first << ": " << result.error.toStdString();
    EXPECT_EQ(contents(path), "new\r\n");
    EXPECT_NE(inode(), before) << "written in place, not replaced whole";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.txt"});
  }
}

TEST(TextFile, ALeftoverSaysWhatItIsAndALaterSaveTakesAwayTheUsersOldOnes) {
  QTemporaryDir dir;
  auto leave = [&dir](const QString& name, bool old) {
    const QByteArray path = QFile::encodeName(dir.filePath(name));
    QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    const timespec longAgo[2] = {{1, 0}, {1, 0}};
    if (old) ::utimensat(AT_FDCWD, path.constData(), longAgo, 0);
  };
  leave(".x.txt.save-1", true);
  leave(".x.txt.save-2", false);  // a save of it that may still be running
  leave(".y.txt.save-3", true);   // another file's
  refusedCalls = {{"linkat", EPERM}};  // as a stick without nameless files
  ASSERT_TRUE(textfile::writeBytes(dir.filePath("x.txt"), "new\r\n"));
  refusedCalls.clear();
  EXPECT_TRUE(renamedFrom.startsWith(QFile::encodeName(dir.filePath(".x.txt.save-")))) << renamedFrom.toStdString();
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name).join(' ').toStdString(),
            ".x.txt.save-2 .y.txt.save-3 x.txt");
}

TEST(TextFile, NothingButARegularFileIsEverOpened) {
  // Opening a serial port's device node raises its modem lines and can reset a
  // board; a FIFO shows the same opening to a watcher.
  QTemporaryDir dir;
  const QString fifo = dir.filePath("data4.csv");
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
  const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(::inotify_add_watch(watch, QFile::encodeName(fifo).constData(), IN_OPEN), 0);
  EXPECT_FALSE(textfile::readRawLines(fifo));
  textfile::LineAppender log;
  QString reason;
  EXPECT_FALSE(log.open(fifo, &reason));
  EXPECT_FALSE(textfile::writeBytes(fifo, "x\r\n"));
  char event[4096];
  EXPECT_LT(::read(watch, event, sizeof event), 0);
  ::close(watch);
}

TEST(TextFile, TheNewFileHasTheOldFilesModeAndGroupBeforeAnyByteGoesIn) {
  QTemporaryDir dir;
  const QString path = dir.filePath("marks.csv");
  ASSERT_TRUE(textfile::writeBytes(path, "old\r\n"));
  ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
  ASSERT_TRUE(::chown(QFile::encodeName(path).constData(), -1, 4343) == 0 || errno == EPERM);  // where the user may
  struct stat old {};
  ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &old), 0);
  const mode_t mask = ::umask(022);
  watchOwnerChange = true;
  {
    FileSizeLimit limit(3000, noteHalfWrittenFile);
    EXPECT_FALSE(textfile::writeBytes(path, QByteArray(8000, 'x')));
  }
  watchOwnerChange = false;
  ::umask(mask);
  EXPECT_EQ(modeWhenCreated, 0600u);  // private until it is the old file's
  EXPECT_EQ(halfWritten.st_mode & 07777, 0640u);
  EXPECT_EQ(halfWritten.st_gid, old.st_gid);
  // Nameless while it fills, so a save killed now leaves nothing behind.
  const int probe = ::open(QFile::encodeName(dir.path()).constData(), O_TMPFILE | O_WRONLY, 0600);
  if (probe >= 0) EXPECT_EQ(halfWritten.st_nlink, 0u);
  else std::cout << "[   NOTE   ] no nameless files on this file system: " << std::strerror(errno) << "\n";
  if (probe >= 0) ::close(probe);
}

namespace {
// While savedName is set, a flush of a folder answers EINVAL, as a file system
// that cannot flush folders does, and notes what the saved name held then.
QString savedName;
std::optional<QByteArray> heldAtFolderFlush;
}  // namespace

// Every fsync of this test program passes here.
extern "C" int fsync(int fd) {
  struct stat st {};
  if (savedName.isEmpty() || ::fstat(fd, &st) != 0 || !S_ISDIR(st.st_mode)) return static_cast<int>(::syscall(SYS_fsync, fd));
  heldAtFolderFlush = contents(savedName);
  errno = EINVAL;
  return -1;
}

TEST(TextFile, TheFolderIsFlushedAfterTheRenameUnlessItsFileSystemCannot) {
  QTemporaryDir dir;
  savedName = dir.filePath("x.txt");
  const bool ok = textfile::writeBytes(savedName, "new\r\n").ok;
  savedName.clear();
  EXPECT_TRUE(ok);
  EXPECT_EQ(heldAtFolderFlush, QByteArray("new\r\n"));
}

TEST(TextFile, AReaderOfTheOldFileKeepsReadingItAcrossTheSave) {
  QTemporaryDir dir;
  const QString path = dir.filePath("settings.ini");
  const QByteArray old = QByteArray("first version\r\n").repeated(200);
  ASSERT_TRUE(textfile::writeBytes(path, old));
  QFile reader(path);
  ASSERT_TRUE(reader.open(QIODevice::ReadOnly));
  EXPECT_EQ(reader.read(14), "first version\r");

  ASSERT_TRUE(textfile::writeBytes(path, "second\r\n"));
  EXPECT_EQ(QByteArray("first version\r") + reader.readAll(), old);
  EXPECT_EQ(contents(path), "second\r\n");
}

TEST(TextFile, FailuresSayWhyInJapaneseAndLeaveTheOldFile) {
  QTemporaryDir dir;
  const QString readOnly = dir.filePath("sample.txt");
  ASSERT_TRUE(textfile::writeBytes(readOnly, "old\r\n"));
  // A teacher's chmod a-w holds even for a program run as root.
  ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.txt"));
  ASSERT_EQ(::symlink("loop2", QFile::encodeName(dir.filePath("loop1")).constData()), 0);
  ASSERT_EQ(::symlink("loop1", QFile::encodeName(dir.filePath("loop2")).constData()), 0);
  // What is not a regular file: a FIFO (also behind a link), a socket, a device.
  ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo.txt")).constData(), 0666), 0);
  ASSERT_EQ(::symlink("fifo.txt", QFile::encodeName(dir.filePath("to-fifo.txt")).constData()), 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, QFile::encodeName(dir.filePath("socket.txt")).constData(), sizeof address.sun_path - 1);
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  const QString notRegular = QStringLiteral("通常のファイルではありません");
  struct Case {
    QString path;
    QString reason;
  };
  std::vector<Case> cases = {
      {dir.filePath("nowhere/x.txt"), QStringLiteral("ファイルまたはフォルダがありません")},
      {dir.filePath(QString(300, QLatin1Char('n')) + ".txt"), QStringLiteral("名前が長すぎます")},
      {readOnly, QStringLiteral("書き込む権限がありません")},
      {dir.filePath("folder.txt"), QStringLiteral("同じ名前のフォルダがあります")},
      {dir.filePath("loop1"), QStringLiteral("リンクが輪になっています")},
      {dir.filePath("fifo.txt"), notRegular},
      {dir.filePath("to-fifo.txt"), notRegular},
      {QString::fromUtf8(address.sun_path), notRegular},
  };
  // The null device's numbers: harmless should the save ever reach it.
  if (::mknod(QFile::encodeName(dir.filePath("device.txt")).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0)
    cases.push_back({dir.filePath("device.txt"), notRegular});
  else
    std::cout << "[   NOTE   ] no device node made here: " << std::strerror(errno) << "\n";
  for (const auto& c : cases)
    EXPECT_EQ(textfile::writeBytes(c.path, "new\r\n").error.toStdString(),
              (c.path + QStringLiteral("に書き込めません（") + c.reason + QStringLiteral("）")).toStdString());
  ::close(listener);
  EXPECT_EQ(contents(readOnly), "old\r\n");
  QFileInfo fifo(dir.filePath("fifo.txt"));
  EXPECT_FALSE(fifo.isFile());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks), QStringList{"sample.txt"});

  // What cannot be made to happen to a test running as root.
  EXPECT_EQ(textfile::failureReason(EACCES), QStringLiteral("書き込む権限がありません"));
  EXPECT_EQ(textfile::failureReason(EPERM), QStringLiteral("書き込む権限がありません"));
  EXPECT_EQ(textfile::failureReason(ENOSPC), QStringLiteral("ディスクがいっぱいです"));
  EXPECT_EQ(textfile::failureReason(EDQUOT), QStringLiteral("ディスクがいっぱいです"));
  EXPECT_EQ(textfile::failureReason(ENOTDIR), QStringLiteral("ファイルまたはフォルダがありません"));
  EXPECT_EQ(textfile::failureReason(EROFS), QStringLiteral("書き込みが禁止されたディスクです"));
  // What a pulled stick or a share gone away answers.
  for (const auto& [error, reason] : std::vector<std::pair<int, const char*>>{
           {EIO, "ディスクとの読み書きに失敗しました"},
           {EBUSY, "使用中です"},
           {ENODEV, "ディスクが見つかりません"},
           {ENXIO, "ディスクが見つかりません"},
           {ENOTCONN, "共有フォルダにつながりません"},
           {ESTALE, "共有フォルダにつながりません"},
           {EHOSTDOWN, "共有フォルダにつながりません"},
           {EOPNOTSUPP, "このディスクではできない操作です"},
           {ENOSYS, "このディスクではできない操作です"}})
    EXPECT_EQ(textfile::failureReason(error).toStdString(), reason) << error;
  EXPECT_EQ(textfile::failureReason(EXDEV),
            QStringLiteral("システムのエラー：%1（%2）").arg(QString::fromLocal8Bit(std::strerror(EXDEV))).arg(EXDEV));
}

TEST(TextFile, ASaveThroughAChainOfLinksReplacesTheRealFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkpath("real") && QDir(dir.path()).mkpath("desk"));
  ASSERT_TRUE(textfile::writeBytes(dir.filePath("real/file.txt"), "old\r\n"));
  // desk/a -> ../b -> real/file.txt: a relative link counts from its own folder.
  ASSERT_EQ(::symlink("real/file.txt", QFile::encodeName(dir.filePath("b")).constData()), 0);
  ASSERT_EQ(::symlink("../b", QFile::encodeName(dir.filePath("desk/a")).constData()), 0);
  ASSERT_TRUE(textfile::writeBytes(dir.filePath("desk/a"), "new\r\n"));
  EXPECT_EQ(contents(dir.filePath("real/file.txt")), "new\r\n");
  EXPECT_TRUE(QFileInfo(dir.filePath("b")).isSymLink() && QFileInfo(dir.filePath("desk/a")).isSymLink());
}

TEST(TextFile, OtherNamesOfTheFileKeepTheOldContents) {
  QTemporaryDir dir;
  ASSERT_TRUE(textfile::writeBytes(dir.filePath("a.txt"), "old\r\n"));
  ASSERT_EQ(::link(QFile::encodeName(dir.filePath("a.txt")).constData(), QFile::encodeName(dir.filePath("b.txt")).constData()), 0);
  ASSERT_TRUE(textfile::writeBytes(dir.filePath("a.txt"), "new\r\n"));
  EXPECT_EQ(contents(dir.filePath("b.txt")), "old\r\n");
}

TEST(TextFile, ASaveKeepsTheFilesAclAndExtendedAttributes) {
  QTemporaryDir dir;
  const QString path = dir.filePath("shared.txt");
  const QByteArray name = QFile::encodeName(path);
  ASSERT_TRUE(textfile::writeBytes(path, "old\r\n"));
  // Owner rw, pupil 4343 rw, group r, mask rw, others nothing.
  QByteArray acl(4, '\0');
  qToLittleEndian<quint32>(2, acl.data());
  for (const auto& [tag, permissions] : {std::pair{0x01, 6}, {0x02, 6}, {0x04, 4}, {0x10, 6}, {0x20, 0}}) {
    char entry[8];
    qToLittleEndian<quint16>(static_cast<quint16>(tag), entry);
    qToLittleEndian<quint16>(static_cast<quint16>(permissions), entry + 2);
    qToLittleEndian<quint32>(tag == 0x02 ? 4343u : 0xFFFFFFFFu, entry + 4);
    acl.append(entry, 8);
  }
  if (::setxattr(name.constData(), "system.posix_acl_access", acl.constData(), static_cast<size_t>(acl.size()), 0) != 0 ||
      ::setxattr(name.constData(), "user.class", "3-2", 3, 0) != 0)
    GTEST_SKIP() << "this file system keeps no ACL or attributes of its users: " << std::strerror(errno);
  auto attribute = [](const QByteArray& file, const char* attributeName) {
    QByteArray value(256, '\0');
    const ssize_t n = ::getxattr(file.constData(), attributeName, value.data(), static_cast<size_t>(value.size()));
    return n < 0 ? QByteArray("<none>") : value.left(n);
  };
  // A file without an ACL gets none from its folder's default ACL.
  const QByteArray plain = QFile::encodeName(dir.filePath("plain.txt"));
  ASSERT_TRUE(textfile::writeBytes(dir.filePath("plain.txt"), "old\r\n"));
  ASSERT_EQ(::chmod(plain.constData(), 0640), 0);
  ASSERT_EQ(::setxattr(QFile::encodeName(dir.path()).constData(), "system.posix_acl_default", acl.constData(),
                       static_cast<size_t>(acl.size()), 0), 0);
  const QByteArray aclBefore = attribute(name, "system.posix_acl_access");
  struct stat before {}, after {};
  ASSERT_EQ(::stat(name.constData(), &before), 0);
  ASSERT_TRUE(textfile::writeBytes(path, "new\r\n"));
  ASSERT_TRUE(textfile::writeBytes(dir.filePath("plain.txt"), "new\r\n"));
  ASSERT_EQ(::stat(name.constData(), &after), 0);
  EXPECT_EQ(attribute(name, "system.posix_acl_access"), aclBefore);
  EXPECT_EQ(attribute(name, "user.class"), "3-2");
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(attribute(plain, "system.posix_acl_access"), "<none>");
  ASSERT_EQ(::stat(plain.constData(), &after), 0);
  EXPECT_EQ(after.st_mode & 07777, 0640u);
}

TEST(TextFile, ALogLineCutShortIsTakenOffAgain) {
  QTemporaryDir dir;
  const QString path = dir.filePath("data4.csv");
  textfile::LineAppender log;
  QString reason;
  ASSERT_TRUE(log.open(path, &reason));
  ASSERT_TRUE(log.append("1,0,42", &reason));
  {
    FileSizeLimit limit(8 + 10);  // the next line stops after "4298,4297,"
    EXPECT_FALSE(log.append("4298,4297,43", &reason));
  }
  EXPECT_EQ(reason.toStdString(), "ファイルが大きすぎます");
  EXPECT_FALSE(log.isOpen());
  EXPECT_EQ(contents(path), "1,0,42\r\n");
}

namespace {
// Runs fn in a thread of its own as an ordinary user. Raw system calls change
// that thread alone, where the C library's would change the whole program.
void asOrdinaryUser(const std::function<void()>& fn) {
  std::thread([&fn] {
    if (::syscall(SYS_setgroups, 0, nullptr) == 0 && ::syscall(SYS_setresgid, 65534, 65534, 65534) == 0 &&
        ::syscall(SYS_setresuid, 65534, 65534, 65534) == 0)
      fn();
    else
      ADD_FAILURE() << "could not become an ordinary user";
  }).join();
}

// Mounting tools live in sbin, which an ordinary PATH may leave out.
QString tool(const char* name) {
  return QStandardPaths::findExecutable(name, qEnvironmentVariable("PATH").split(':') << "/usr/sbin" << "/sbin");
}

// False when the program is missing, fails or hangs.
bool run(const char* name, const QStringList& arguments, QByteArray* out = nullptr) {
  QProcess process;
  process.start(tool(name), arguments);
  if (!process.waitForFinished(20000)) {
    process.kill();
    process.waitForFinished();
    return false;
  }
  if (out) *out = process.readAllStandardOutput().trimmed();
  return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Leaves no mount or loop device behind, whatever the test's outcome.
struct Stick {
  QString loop, mountPoint;
  bool mounted = false;
  ~Stick() {
    if (mounted && !run("fusermount3", {"-u", mountPoint})) run("umount", {"-l", mountPoint});
    if (!loop.isEmpty()) run("losetup", {"-d", loop});
  }
};
}  // namespace

TEST(TextFile, OtherUsersFilesAndLinks) {
  if (::geteuid() != 0) GTEST_SKIP() << "making files and links of other users needs root";
  QTemporaryDir dir;
  const QByteArray folder = QFile::encodeName(dir.path());
  ASSERT_EQ(::chmod(folder.constData(), 0777), 0);

  // A teacher saving a pupil's file as root leaves it the pupil's.
  const QString pupils = dir.filePath("pupil.txt");
  ASSERT_TRUE(textfile::writeBytes(pupils, "old\r\n"));
  ASSERT_EQ(::chown(QFile::encodeName(pupils).constData(), 4343, 4343), 0);
  ASSERT_TRUE(textfile::writeBytes(pupils, "new\r\n"));
  EXPECT_EQ(QFileInfo(pupils).ownerId(), 4343u);
  EXPECT_EQ(QFileInfo(pupils).groupId(), 4343u);

  // Another user's 0644 file in a class folder anyone may write to: the
  // rename would go through, the file's own permission refuses.
  WriteResult asPupil;
  asOrdinaryUser([&] { asPupil = textfile::writeBytes(pupils, "pupil's\r\n"); });
  EXPECT_EQ(asPupil.error.toStdString(), (pupils + QStringLiteral("に書き込めません（書き込む権限がありません）")).toStdString());
  EXPECT_EQ(contents(pupils), "new\r\n");

  // In a sticky folder anyone may write to, a link another user planted is not
  // followed, even by root; root's own is.
  ASSERT_TRUE(QDir(dir.path()).mkdir("shared"));
  ASSERT_EQ(::chmod(QFile::encodeName(dir.filePath("shared")).constData(), 01777), 0);
  const QString planted = dir.filePath("shared/data.txt");
  const QString own = dir.filePath("shared/own.txt");
  ASSERT_EQ(::symlink("../pupil.txt", QFile::encodeName(planted).constData()), 0);
  ASSERT_EQ(::lchown(QFile::encodeName(planted).constData(), 4343, 4343), 0);
  ASSERT_EQ(::symlink("../pupil.txt", QFile::encodeName(own).constData()), 0);
  EXPECT_EQ(textfile::writeBytes(planted, "root's\r\n").error.toStdString(),
            (planted + QStringLiteral("に書き込めません（ほかの人が置いたリンクです）")).toStdString());
  EXPECT_EQ(contents(pupils), "new\r\n");
  EXPECT_TRUE(textfile::writeBytes(own, "root's\r\n"));
  EXPECT_EQ(contents(pupils), "root's\r\n");

  // What another user left in a sticky folder is neither followed nor written,
  // a link along the path as much as the last name; a link of the folder's
  // owner, or any link where only the owner may write, is followed.
  auto make = [&dir](const char* name, mode_t mode, uid_t owner) {
    const QByteArray path = QFile::encodeName(dir.filePath(name));
    return ::mkdir(path.constData(), 0700) == 0 && ::chmod(path.constData(), mode) == 0 && ::chown(path.constData(), owner, owner) == 0;
  };
  auto plant = [&dir](const char* target, const char* name) {
    const QByteArray path = QFile::encodeName(dir.filePath(name));
    return ::symlink(target, path.constData()) == 0 && ::lchown(path.constData(), 4343, 4343) == 0;
  };
  ASSERT_TRUE(make("private", 0700, 0) && make("owned", 01777, 4343) && make("closed", 01755, 0));
  ASSERT_TRUE(plant("../private", "shared/class") && plant("../pupil.txt", "owned/link") && plant("../pupil.txt", "closed/link"));
  ASSERT_TRUE(textfile::writeBytes(dir.filePath("shared/left.csv"), "theirs\r\n"));
  ASSERT_EQ(::chown(QFile::encodeName(dir.filePath("shared/left.csv")).constData(), 4343, 4343), 0);
  const QString link = QStringLiteral("ほかの人が置いたリンクです"), file = QStringLiteral("ほかの人が置いたファイルです");
  for (const auto& [name, refusal] : std::vector<std::pair<QString, QString>>{
           {"shared/class/data4.csv", link}, {"shared/left.csv", file}, {"owned/link", {}}, {"closed/link", {}}}) {
    const QString path = dir.filePath(name);
    textfile::LineAppender log;
    QString reason;
    EXPECT_EQ(log.open(path, &reason), refusal.isEmpty()) << name.toStdString();
    EXPECT_EQ(reason.toStdString(), refusal.toStdString());
    log.close();
    const QString expected = refusal.isEmpty() ? QString() : path + QStringLiteral("に書き込めません（") + refusal + QStringLiteral("）");
    EXPECT_EQ(textfile::writeBytes(path, "root's\r\n").error.toStdString(), expected.toStdString());
  }
  EXPECT_EQ(contents(dir.filePath("shared/left.csv")), "theirs\r\n");
  EXPECT_EQ(QDir(dir.filePath("private")).entryList(QDir::Files | QDir::Hidden), QStringList{});

  // A teacher's file the pupil may write through its group, in a folder anyone
  // may write to or in one only the teacher may: the pupil's save goes into the
  // file itself, which stays the teacher's, mode and all, and stays whole when
  // the new contents do not fit.
  ASSERT_TRUE(make("handout", 0755, 4343));
  for (const QString& teachers : {dir.filePath("teacher.txt"), dir.filePath("handout/sheet.txt")}) {
    const QByteArray teachersName = QFile::encodeName(teachers);
    ASSERT_TRUE(textfile::writeBytes(teachers, "old\r\n"));
    ASSERT_TRUE(::chown(teachersName.constData(), 4343, 65534) == 0 && ::chmod(teachersName.constData(), 0664) == 0);
    WriteResult inPlace, tooBig, tooBigUnreserved;
    asOrdinaryUser([&] {
      refusedCalls = {{"ftruncate", EPERM}};
      inPlace = textfile::writeBytes(teachers, "pupil's\r\n");
      FileSizeLimit limit(4096);
      tooBig = textfile::writeBytes(teachers, QByteArray(8000, 'x'));
      refusedCalls = {{"fallocate", EOPNOTSUPP}};
      tooBigUnreserved = textfile::writeBytes(teachers, QByteArray(8000, 'x'));
      refusedCalls.clear();
    });
    EXPECT_TRUE(inPlace) << inPlace.error.toStdString();
    const QString tooBigError = teachers + QStringLiteral("に書き込めません（ファイルが大きすぎます）");
    EXPECT_EQ(tooBig.error.toStdString(), tooBigError.toStdString());
    EXPECT_EQ(tooBigUnreserved.error.toStdString(), tooBigError.toStdString());
    EXPECT_EQ(contents(teachers), "pupil's\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(teachersName.constData(), &st), 0);
    EXPECT_EQ(st.st_uid, 4343u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 0664u);
  }
}

// A stick keeps no owners or modes: every file shows the mount's, which an
// ordinary user can neither give nor change.
TEST(RemovableDisk, AnOrdinaryUserSavesTwiceOnAnExfatStick) {
  if (::geteuid() != 0) GTEST_SKIP() << "attaching and mounting a disk image needs root";
  if (::access("/dev/fuse", R_OK | W_OK) != 0) GTEST_SKIP() << "no /dev/fuse to mount a stick through";
  for (const char* name : {"mkfs.exfat", "mount.exfat-fuse", "losetup", "fusermount3"})
    if (tool(name).isEmpty()) GTEST_SKIP() << name << " is not installed";
  QTemporaryDir dir;
  ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
  const QString image = dir.filePath("stick.img");
  ASSERT_TRUE(QFile(image).open(QIODevice::WriteOnly) && QFile::resize(image, 16 << 20));
  ASSERT_TRUE(run("mkfs.exfat", {image}));
  Stick stick;
  stick.mountPoint = dir.filePath("stick");
  ASSERT_EQ(::mkdir(QFile::encodeName(stick.mountPoint).constData(), 0755), 0);
  QByteArray loop;
  if (!run("losetup", {"-f", "--show", image}, &loop)) GTEST_SKIP() << "no loop device to attach the image to";
  stick.loop = QString::fromLatin1(loop);
  // Not every version adds allow_other by itself; without it only root could reach the mount.
  if (!run("mount.exfat-fuse", {"-o", "allow_other", stick.loop, stick.mountPoint}))
    GTEST_SKIP() << "mounting through FUSE was refused here";
  stick.mounted = true;

  const QString path = stick.mountPoint + "/a.txt";
  WriteResult first, second;
  bool reachable = false;
  asOrdinaryUser([&] {
    reachable = ::access(QFile::encodeName(stick.mountPoint).constData(), W_OK | X_OK) == 0;
    if (!reachable) return;
    first = textfile::writeBytes(path, "first\r\n");
    second = textfile::writeBytes(path, "second\r\n");
  });
  if (!reachable) GTEST_SKIP() << "the temporary folder's parents are closed to an ordinary user";
  EXPECT_TRUE(first) << first.error.toStdString();
  EXPECT_TRUE(second) << second.error.toStdString();
  QFile saved(path);
  EXPECT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll().toStdString(), "second\r\n");
}
