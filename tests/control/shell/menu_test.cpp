#include "control/experiments/tform2.h"
#include "control/shell/pelmora_app.h"
#include "control/shell/tform1.h"
#include "control/workbench/tform6.h"
#include "platform/textfile.h"
#include "support/test_context.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace pelmora;
using testsupport::TestContext;

namespace {

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}

void writeIni(TestContext& t, const QStringList& lines) {
  ASSERT_TRUE(platform::textfile::writeLines(t.path("pelmora.ini"), lines));
}

QStringList iniLines() {
  QStringList l{"10", "20", "0", "1", "0"};
  for (int i = 3; i <= 16; ++i) l << "0";
  l << "60000" << "0" << "0";
  return l;
}

}  // namespace

TEST(Menu, StartsWithoutSettingsFileAndEndWritesTwentyTwoLines) {
  TestContext t;
  QDir(t.dir.path()).rmdir("data");
  PelmoraWindows w(t.ctx);
  EXPECT_EQ(t.prompts.texts(), QStringList{t.path("pelmora.ini") + "が有りません！"});
  EXPECT_TRUE(QDir(t.path("data")).exists());
  EXPECT_TRUE(w.form1->RBkairo1->isChecked());
  EXPECT_EQ(w.form1->Edit2->text(), "Edit2");
  EXPECT_FALSE(w.form1->GBsettei->isVisible());

  w.form1->PNLendClick();
  EXPECT_TRUE(w.form1->ended());
  const QByteArray bytes = fileBytes(t.path("pelmora.ini"));
  const auto lines = platform::splitLines(bytes);
  EXPECT_EQ(lines.size(), 22);
  EXPECT_EQ(bytes.count("\r\n"), 22);
  EXPECT_EQ(lines[19], "60000");
  EXPECT_EQ(lines[3], "1");
}

TEST(Menu, AppliesSettingsAndReportsTheLineWhereReadingStopped) {
  {
    TestContext t;
    QStringList l = iniLines();
    l[3] = "2";
    l[2] = "1";
    writeIni(t, l);
    PelmoraWindows w(t.ctx);
    EXPECT_TRUE(t.prompts.texts().isEmpty());
    EXPECT_TRUE(w.form1->RBkairo2->isChecked());
    EXPECT_TRUE(w.form1->CBmaikon->isChecked());
    EXPECT_FALSE(w.form1->PNLmenu6->isHidden());
  }
  {
    TestContext t;
    QStringList l = iniLines();
    l[3] = "9";
    l[19] = "1000";
    writeIni(t, l);
    PelmoraWindows w(t.ctx);
    EXPECT_TRUE(w.form1->RBkairo1->isChecked());
    EXPECT_EQ(w.form1->Edit2->text(), "1000");
    EXPECT_TRUE(w.form1->PNLmenu6->isHidden());
  }
  {
    TestContext t;
    QStringList l = iniLines();
    l[19] = "abc" + QString(100000, 'x');
    l[20] = "1";
    writeIni(t, l);
    PelmoraWindows w(t.ctx);
    EXPECT_EQ(t.prompts.texts(),
              QStringList{t.path("pelmora.ini") + "の20行目「" + l[19].left(40) + "…」は数値ではありません！"});
    EXPECT_FALSE(w.form1->CBdouji->isChecked());
    EXPECT_TRUE(QDir(t.path("data")).exists());
  }
  {
    TestContext t;
    writeIni(t, iniLines().mid(0, 4));
    PelmoraWindows w(t.ctx);
    ASSERT_EQ(t.prompts.texts().size(), 1);
    EXPECT_TRUE(t.prompts.texts()[0].contains("5行目"));
  }
  {
    // Nothing past 64 KiB is read, where no settings file reaches.
    TestContext t;
    QStringList l = iniLines();
    l[18] += QString(70000, ' ');
    writeIni(t, l);
    PelmoraWindows w(t.ctx);
    EXPECT_EQ(t.prompts.texts(), QStringList{t.path("pelmora.ini") + "の20行目から後が有りません！"});
  }
}

TEST(Menu, StoresToolPositionsAndWritesThemOnSave) {
  TestContext t;
  writeIni(t, iniLines());
  PelmoraWindows w(t.ctx);
  w.form1->PNLmenu1Click();
  EXPECT_TRUE(w.form2->isVisible());
  EXPECT_FALSE(w.form1->isVisible());
  w.form2->move(40, 30);
  w.form2->PNLsyuuryou->click();
  EXPECT_FALSE(w.form2->isVisible());
  EXPECT_TRUE(w.form1->isVisible());
  EXPECT_EQ(w.form1->FormPositions[3], w.form2->y());
  EXPECT_EQ(w.form1->FormPositions[4], w.form2->x());

  w.form1->move(70, 60);
  w.form1->PNLendClick();
  const auto lines = *platform::textfile::readLines(t.path("pelmora.ini"));
  EXPECT_EQ(lines[0], QString::number(w.form1->y()));
  EXPECT_EQ(lines[1], QString::number(w.form1->x()));
  EXPECT_EQ(lines[5], QString::number(w.form2->y()));
  EXPECT_EQ(lines[6], QString::number(w.form2->x()));
}

TEST(Menu, SettingsPanelClosesAndSaves) {
  TestContext t;
  writeIni(t, iniLines());
  PelmoraWindows w(t.ctx);
  w.form1->show();
  w.form1->PNLsetteiClick();
  EXPECT_TRUE(w.form1->GBsettei->isVisible());
  EXPECT_FALSE(w.form1->PNLsettei->isVisible());
  w.form1->CBdialog->setChecked(true);
  w.form1->CBmaikon->setChecked(true);
  EXPECT_TRUE(w.form1->PNLmenu7->isVisible());
  w.form1->PNLtojiruClick();
  EXPECT_FALSE(w.form1->GBsettei->isVisible());
  EXPECT_TRUE(w.form1->PNLsettei->isVisible());
  const auto lines = *platform::textfile::readLines(t.path("pelmora.ini"));
  EXPECT_EQ(lines.size(), 22);
  EXPECT_EQ(lines[2], "1");
  EXPECT_EQ(lines[4], "1");
}

TEST(Menu, RefusesEmptyAndUnsafePupilNumbers) {
  TestContext t;
  writeIni(t, iniLines());
  PelmoraWindows w(t.ctx);
  w.form1->show();
  w.form1->CBsyokisettei->setChecked(true);
  w.form1->PNLmenu5Click();
  EXPECT_EQ(t.prompts.texts(), QStringList{"出席番号を入力してください！"});
  EXPECT_FALSE(w.form6->isVisible());
  // The script was started all the same, from the program folder.
  ASSERT_EQ(t.processes.calls.size(), 1);
  EXPECT_EQ(t.processes.calls[0].program, t.path("syokisettei.vbs"));
  EXPECT_EQ(t.processes.calls[0].workingDirectory, t.ctx.appDir);

  for (const char* bad : {"../x", "a/b", "a\\b", "..", "1\t2"}) {
    t.prompts.clear();
    w.form1->Edit1->setText(QString::fromUtf8(bad));
    w.form1->PNLmenu5Click();
    w.form1->PNLmenu6Click();
    w.form1->PNLmenu7Click();
    EXPECT_EQ(t.prompts.texts().size(), 3) << bad;
    EXPECT_TRUE(w.form1->isVisible());
  }
}

TEST(Menu, SecondCopyEnds) {
  TestContext t;
  platform::FakeInstanceGuard running(platform::InstanceGuard::State::AlreadyRunning);
  t.prompts.answerOk({false});
  EXPECT_FALSE(passInstanceGuard(running, t.prompts));
  EXPECT_EQ(t.prompts.texts(), QStringList{"すでに起動されています"});
  platform::FakeInstanceGuard first;
  EXPECT_TRUE(passInstanceGuard(first, t.prompts));

  // The real guard: a second lock on the same name is refused while the first holds.
  platform::LockFileGuard a("pelmora-test", t.dir.path());
  platform::LockFileGuard b("pelmora-test", t.dir.path());
  EXPECT_EQ(a.acquire(), platform::InstanceGuard::State::First);
  EXPECT_EQ(b.acquire(), platform::InstanceGuard::State::AlreadyRunning);
  a.release();
  EXPECT_EQ(b.acquire(), platform::InstanceGuard::State::First);
}
