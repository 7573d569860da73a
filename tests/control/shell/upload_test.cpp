#include "control/shell/status_file.h"
#include "control/shell/tform9.h"
#include "platform/textfile.h"
#include "support/test_context.h"
#include "upload_standins.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pelmora;
using namespace testsupport;

namespace {

const QString CR = "\r";

// A program folder with the stand-in programs, a written mirvotak.bas and the
// writer's window on the desktop.
struct UploadRig {
  UploadRig() : ctx{t.ctx.appDir, t.board, t.prompts, processes, t.clock}, windows(&t.clock), form(ctx, windows) {
    QDir(t.dir.path()).mkdir("mirvotak");
    platform::textfile::writeLines(t.path("mirvotak/mirvotak.bas"), {"$regfile = \"Attiny2313.dat\"", "End"});
    writeCompiler(t.ctx.appDir, "mirvotak.hexを生成しました。");
    writeWriter(t.ctx.appDir, writerLines("Passed"));
    windows.addWindow("QOV_mini", writerButtons());
    // The verdict shortens a folder too wide for it, and the temporary folder
    // is as long as TMPDIR makes it: widened, it shows whole. The real width
    // is checked with a long folder below.
    form.label4->setFixedWidth(4000);
  }
  QString folderPart() const { return "「" + QDir::toNativeSeparators(t.path("mirvotak")) + "」フォルダに"; }
  QString compiled() const {
    return TForm9::shown(folderPart() + CR + "「mirvotak.bas」を保存" + CR + CR + "コンパイルに成功！" + CR + CR +
                         folderPart() + CR + "「mirvotak.hex」を生成しました。");
  }
  QString compileFailed(const QString& last = "プログラムに間違いがないか、確認してください。") const {
    return TForm9::shown(folderPart() + CR + "「mirvotak.bas」を保存" + CR + CR + "コンパイルに失敗！" + CR + CR + last);
  }
  static QString writeFailed(const QString& last) {
    return TForm9::shown("書き込みに失敗！" + CR + CR + "「mirvotak.hex」をマイコンに書き込みに失敗しました。" + CR +
                         CR + last);
  }

  TestContext t;
  StandInProcesses processes;
  platform::AppContext ctx;
  platform::ScriptedOutsideWindows windows;
  TForm9 form;
};

const QString kWritten = TForm9::shown("書き込みに成功！" + CR + CR + "マイコンのヒューズ設定を「出荷時」に設定" + CR +
                                       CR + "「mirvotak.hex」をマイコンに書き込みました。");

}  // namespace

TEST(Upload, CompilesAndWritesEndToEndWithTheStandIns) {
  UploadRig r;
  const QString cwd = QDir::currentPath();
  bool fuseStageDuringFactoryReset = true;
  bool writeStageDuringWrite = false;
  r.windows.onClick = [&](const QString& caption) {
    if (caption == "出荷時に戻す") fuseStageDuringFactoryReset = r.form.Label3->isVisible();
    if (caption == "プログラム書き込み") writeStageDuringWrite = r.form.Label3->isVisible();
  };
  r.form.upload();

  EXPECT_TRUE(r.form.isVisible());
  EXPECT_EQ(r.form.label4->text(), r.compiled());
  EXPECT_EQ(r.form.Label5->text(), kWritten);
  for (QWidget* w : std::initializer_list<QWidget*>{r.form.Label1, r.form.label4, r.form.Label2, r.form.Label3,
                                                    r.form.Label5, r.form.Button1})
    EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(fuseStageDuringFactoryReset);
  EXPECT_TRUE(writeStageDuringWrite);
  EXPECT_TRUE(QFile::exists(r.t.path("mirvotak/mirvotak.hex")));

  // Each program is started in its own folder; the process stays where it was.
  ASSERT_EQ(r.processes.opened.size(), 2);
  EXPECT_EQ(r.processes.opened[0], qMakePair(r.t.path("mirvotak/mirvotak.exe"), r.t.path("mirvotak/")));
  EXPECT_EQ(r.processes.opened[1], qMakePair(r.t.path("QOV_mini.exe"), r.t.ctx.appDir));
  EXPECT_EQ(QDir::currentPath(), cwd);

  // The writer is driven at fixed times: 7.9 s in all.
  QStringList expected{"find QOV_mini"};
  for (const QString& b : writerButtons()) expected << "child " + b << "down " + b << "up " + b;
  expected << "find QOV_mini" << "close QOV_mini";
  EXPECT_EQ(r.windows.callTexts(), expected);
  QList<quint32> ticks;
  for (const auto& c : r.windows.calls) ticks << c.tick;
  EXPECT_EQ(ticks, (QList<quint32>{3000, 3000, 3000, 3100, 3600, 3600, 3700, 4200, 4200, 4300, 5300, 5300, 5400,
                                   5900, 5900}));
  EXPECT_EQ(r.t.clock.waited(), 7900u);
  EXPECT_FALSE(r.windows.hasWindow("QOV_mini"));

  r.form.Button1->click();
  EXPECT_FALSE(r.form.isVisible());
}

TEST(Upload, CompileVerdictComesOnlyFromThisRunsStatusFile) {
  {
    UploadRig r;
    writeCompiler(r.t.ctx.appDir, "mirvotak.hexを生成しました。 ");
    r.form.upload();
    EXPECT_EQ(r.form.label4->text(), r.compileFailed());
    EXPECT_EQ(r.form.Label5->text(), "");
    EXPECT_TRUE(r.form.Label5->isVisible());
    EXPECT_TRUE(r.form.Button1->isVisible());
    EXPECT_FALSE(r.form.Label2->isVisible());
    EXPECT_EQ(r.processes.opened.size(), 1);  // the writer is not started
    EXPECT_TRUE(r.windows.calls.isEmpty());
    EXPECT_EQ(r.t.clock.waited(), 2000u);
  }
  {
    // An earlier run's success does not count when the compiler leaves nothing now.
    UploadRig r;
    platform::textfile::writeLines(r.t.path("mirvotak/mirvotak.ini"), {"mirvotak.hexを生成しました。"});
    writeSilentCompiler(r.t.ctx.appDir);
    r.form.upload();
    EXPECT_EQ(r.form.label4->text(), r.compileFailed("コンパイラの結果「mirvotak.ini」が今回書かれていません！"));
    EXPECT_TRUE(QFile::exists(r.t.path("mirvotak/mirvotak.ini")));  // nothing is deleted
  }
  {
    UploadRig r;
    writeSilentCompiler(r.t.ctx.appDir);
    r.form.upload();
    EXPECT_EQ(r.form.label4->text(), r.compileFailed("コンパイラの結果「mirvotak.ini」が有りません！"));
  }
  {
    UploadRig r;
    QFile::remove(r.t.path("mirvotak/mirvotak.exe"));
    r.form.upload();
    EXPECT_EQ(r.form.label4->text(), r.compileFailed("「mirvotak.exe」を起動できません！"));
    EXPECT_EQ(r.t.clock.waited(), 0u);
  }
}

TEST(Upload, WriterVerdictFromTheSixthLine) {
  {
    UploadRig r;
    writeWriter(r.t.ctx.appDir, writerLines("Failed"));
    r.form.upload();
    EXPECT_EQ(r.form.label4->text(), r.compiled());
    EXPECT_EQ(r.form.Label5->text(), UploadRig::writeFailed("Failed"));
  }
  {
    UploadRig r;
    writeWriter(r.t.ctx.appDir, writerLines("Passed").mid(0, 5));
    r.form.upload();
    EXPECT_EQ(r.form.Label5->text(), UploadRig::writeFailed(""));
  }
  {
    UploadRig r;
    writeWriter(r.t.ctx.appDir, writerLines("Passed "));
    r.form.upload();
    EXPECT_EQ(r.form.Label5->text(), UploadRig::writeFailed("Passed "));
  }
  {
    // An old "Passed" from an earlier write does not count.
    UploadRig r;
    platform::textfile::writeLines(r.t.path("qov_mini.ini"), writerLines("Passed"));
    writeScript(r.t.path("QOV_mini.exe"), "exit 0\n");
    r.form.upload();
    EXPECT_EQ(r.form.Label5->text(),
              UploadRig::writeFailed("書き込みソフトの結果「qov_mini.ini」が今回書かれていません！"));
  }
  {
    UploadRig r;
    writeScript(r.t.path("QOV_mini.exe"), "exit 0\n");
    r.form.upload();
    EXPECT_EQ(r.form.Label5->text(), UploadRig::writeFailed("書き込みソフトの結果「qov_mini.ini」が有りません！"));
  }
}

TEST(Upload, WriterWindowAndButtonsThatAreNotThere) {
  {
    UploadRig r;
    r.windows.removeWindow("QOV_mini");
    r.form.upload();
    EXPECT_EQ(r.form.label4->text(), r.compiled());
    EXPECT_TRUE(r.form.Label2->isVisible());
    EXPECT_FALSE(r.form.Label3->isVisible());
    EXPECT_EQ(r.form.Label5->text(), UploadRig::writeFailed("書き込みソフト「QOV_mini」の画面が見つかりません！"));
    EXPECT_EQ(r.windows.callTexts(), QStringList{"find QOV_mini"});
    EXPECT_EQ(r.t.clock.waited(), 3000u);
  }
  {
    // A missing button is not pressed, but its wait still paces the writer.
    UploadRig r;
    r.windows.removeWindow("QOV_mini");
    r.windows.addWindow("QOV_mini", {"読み出し", "出荷時に戻す", "プログラム書き込み"});
    QStringList clicked;
    r.windows.onClick = [&](const QString& c) { clicked << c; };
    r.form.upload();
    EXPECT_EQ(clicked, (QStringList{"読み出し", "出荷時に戻す", "プログラム書き込み"}));
    EXPECT_FALSE(r.windows.callTexts().contains("down ヒューズ設定"));
    EXPECT_EQ(r.t.clock.waited(), 7800u);
    EXPECT_EQ(r.form.Label5->text(), kWritten);
  }
  {
    UploadRig r;
    QFile::remove(r.t.path("QOV_mini.exe"));
    r.form.upload();
    EXPECT_EQ(r.form.Label5->text(), UploadRig::writeFailed("「QOV_mini.exe」を起動できません！"));
    EXPECT_TRUE(r.windows.calls.isEmpty());
  }
}

TEST(Upload, SecondUploadStartsFromClearedLabels) {
  UploadRig r;
  r.form.upload();
  ASSERT_EQ(r.form.Label5->text(), kWritten);

  writeCompiler(r.t.ctx.appDir, "Error in line 2");
  bool cleared = false;
  r.processes.beforeOpen = [&](const QString&) {
    cleared = r.form.label4->text().isEmpty() && r.form.Label5->text().isEmpty() && !r.form.label4->isVisible() &&
              !r.form.Label2->isVisible() && !r.form.Label3->isVisible() && !r.form.Button1->isVisible() &&
              r.form.Label1->isVisible();
  };
  r.form.upload();
  EXPECT_TRUE(cleared);
  EXPECT_EQ(r.form.label4->text(), r.compileFailed());
  EXPECT_EQ(r.form.Label5->text(), "");
  EXPECT_FALSE(r.form.Label2->isVisible());
  EXPECT_FALSE(r.form.Label3->isVisible());
}

TEST(StatusFile, CountsOnlyWhatWasWrittenAfterTheStamp) {
  TestContext t;
  const QString path = t.path("status.ini");
  const FileStamp missing = stampOf(path);
  EXPECT_FALSE(missing.exists);
  EXPECT_EQ(readStatusLine(path, 1, missing).state, StatusLine::State::Missing);

  platform::textfile::writeLines(path, {"one", "two"});
  StatusLine l = readStatusLine(path, 2, missing);
  EXPECT_EQ(l.state, StatusLine::State::Fresh);
  EXPECT_EQ(l.line, "two");
  EXPECT_EQ(readStatusLine(path, 6, missing).line, "");

  const FileStamp written = stampOf(path);
  EXPECT_EQ(readStatusLine(path, 1, written).state, StatusLine::State::Stale);
  // Replaced by a file of another size: fresh again.
  platform::textfile::writeLines(path, {"three"});
  EXPECT_EQ(readStatusLine(path, 1, written).line, "three");
}

TEST(StatusFile, RewrittenInPlaceWithTheSameSizeDuringThisUploadIsFresh) {
  // The writer rewrites its status file in place: "Failed" and "Passed" have
  // the same size.
  TestContext t;
  const QString path = t.path("qov_mini.ini");
  auto rewrite = [&path](const QByteArray& line6) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("1\r\n2\r\n3\r\n4\r\n5\r\n" + line6 + "\r\n");
  };
  rewrite("Failed");
  const FileStamp before = stampOf(path);
  rewrite("Passed");
  StatusLine line = readStatusLine(path, 6, before);
  EXPECT_EQ(line.state, StatusLine::State::Fresh);
  EXPECT_EQ(line.line, "Passed");

  // A file system with coarse times (a FAT stick keeps two seconds) shows
  // the rewrite with the times it had before.
  const FileStamp after = stampOf(path);
  FileStamp coarse = before;
  coarse.modifiedNs = after.modifiedNs;
  coarse.changedNs = after.changedNs;
  coarse.inode = after.inode;
  line = readStatusLine(path, 6, coarse);
  EXPECT_EQ(line.state, StatusLine::State::Fresh);
  EXPECT_EQ(line.line, "Passed");
}

TEST(AccessibilityWindows, FindsNothingWithoutABusAndDoesNotHang) {
  // Tests run without a desktop: no accessibility bus, so no window, quickly.
  qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
  platform::AccessibilityWindows windows;
  QElapsedTimer spent;
  spent.start();
  EXPECT_EQ(windows.findTopLevel("QOV_mini"), 0u);
  EXPECT_EQ(windows.findChild(7, "読み出し"), 0u);
  windows.leftButtonDown(7);
  windows.leftButtonUp(7);
  windows.close(7);
  EXPECT_LT(spent.elapsed(), 3000);
}

TEST(Upload, ALongProgramFolderKeepsTheVerdictAboveTheStages) {
  QTemporaryDir base;
  const QString deep = base.path() + "/" + QString("classroom-folder-with-a-long-name/").repeated(6);
  ASSERT_TRUE(QDir().mkpath(deep + "mirvotak"));
  TestContext t;
  StandInProcesses processes;
  platform::AppContext ctx{deep, t.board, t.prompts, processes, t.clock};
  platform::ScriptedOutsideWindows windows;
  windows.addWindow("QOV_mini", writerButtons());
  platform::textfile::writeLines(deep + "mirvotak/mirvotak.bas", {"End"});
  writeCompiler(deep, "mirvotak.hexを生成しました。");
  writeWriter(deep, writerLines("Passed"));
  TForm9 form(ctx, windows);
  form.upload();
  EXPECT_TRUE(form.label4->text().contains("コンパイルに成功！"));
  EXPECT_TRUE(form.label4->text().contains("…"));
  EXPECT_LE(form.label4->geometry().bottom(), form.Label2->geometry().top());
  EXPECT_EQ(form.Label5->text(), kWritten);
}
