#include "platform/textfile.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

using namespace platform;

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
