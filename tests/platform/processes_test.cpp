#include "platform/processes.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace platform;

namespace {
QString script(QTemporaryDir& dir, const QString& name, const QByteArray& body) {
  const QString path = dir.filePath(name);
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write("#!/bin/sh\n" + body);
  f.close();
  f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  return path;
}
}  // namespace

TEST(SystemProcesses, RunsWithArgumentsInAFolderAndCollectsOutput) {
  QTemporaryDir dir;
  const QString tool = script(dir, "tool", "echo \"$1|$2|$(pwd)\"; echo err >&2; exit 3\n");
  SystemProcesses p;
  int pumps = 0;
  RunResult r = p.run(tool, {"a b", "-c"}, dir.path(), 5000, [&] { ++pumps; });
  EXPECT_TRUE(r.started);
  EXPECT_FALSE(r.timedOut);
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(r.output, QByteArray("a b|-c|" + dir.path().toUtf8() + "\n"));
  EXPECT_EQ(r.errorOutput, QByteArray("err\n"));

  // Ending while the pump runs past the limit is still ending by itself.
  const QString late = script(dir, "late", "echo $$ > pid; while [ ! -e go ]; do sleep 0.01; done; exit 4\n");
  RunResult ended = p.run(late, {}, dir.path(), 0, [&] {
    QFile(dir.filePath("go")).open(QIODevice::WriteOnly);
    (void)QTest::qWaitFor([&] {
      QFile pid(dir.filePath("pid"));
      return pid.open(QIODevice::ReadOnly) && pid.size() > 0 && !QFileInfo::exists("/proc/" + pid.readAll().trimmed());
    }, 5000);
  });
  EXPECT_FALSE(ended.timedOut);
  EXPECT_EQ(ended.exitCode, 4);

  RunResult missing = p.run(dir.filePath("nothing"), {}, dir.path(), 1000);
  EXPECT_FALSE(missing.started);
  EXPECT_FALSE(missing.error.isEmpty());
}

// What the program started goes with it: a wrapper's child would otherwise
// hold the board.
TEST(SystemProcesses, EndsAProgramThatHangs) {
  QTemporaryDir dir;
  const QString tool = script(dir, "hang", "echo begun; sleep 60 & echo $! > child; exec sleep 30\n");
  const QString childFile = dir.filePath("child");
  SystemProcesses p;
  // The limit is looked at only after the pump: hold it until the child is up.
  RunResult r = p.run(tool, {}, dir.path(), 300,
                      [&] { (void)QTest::qWaitFor([&] { return QFileInfo(childFile).size() > 0; }, 5000); });
  EXPECT_TRUE(r.started);
  EXPECT_TRUE(r.timedOut);
  EXPECT_EQ(r.output, QByteArray("begun\n"));

  QFile f(childFile);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QString stat = QStringLiteral("/proc/%1/stat").arg(f.readAll().trimmed().toInt());
  // Gone, or a zombie waiting for whoever adopted it.
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        QFile s(stat);
        return !s.open(QIODevice::ReadOnly) || s.readAll().contains(") Z ");
      },
      5000));
}

// An executable is started in its working folder; any other file goes to the
// desktop's associated program; neither is waited for.
TEST(SystemProcesses, OpensAFileAsTheDesktopDoes) {
  QTemporaryDir dir;
  QStringList handedToDesktop;
  SystemProcesses p([&](const QString& file) {
    handedToDesktop << file;
    return true;
  });

  const QString plain = dir.filePath("syokisettei.vbs");
  {
    QFile f(plain);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("WScript.Echo 1\r\n");
  }
  EXPECT_TRUE(p.open(plain, dir.path()));
  EXPECT_EQ(handedToDesktop, QStringList{QFileInfo(plain).absoluteFilePath()});

  QTemporaryDir other;
  const QString program = script(dir, "program", "pwd > started\n");
  EXPECT_TRUE(p.open(program, other.path()));
  EXPECT_TRUE(QTest::qWaitFor([&] { return QFileInfo(other.filePath("started")).size() > 0; }, 5000));
  EXPECT_EQ(handedToDesktop.size(), 1);

  EXPECT_FALSE(p.open(dir.filePath("missing.vbs"), dir.path()));
  EXPECT_FALSE(p.open(dir.path(), dir.path()));
  EXPECT_EQ(handedToDesktop.size(), 1);
}
