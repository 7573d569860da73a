#include "companion/bremilo_app.h"
#include "companion/help_pages.h"
#include "companion/menu.h"
#include "companion/readdata1.h"
#include "companion/sireal.h"
#include "platform/textfile.h"
#include "support/test_context.h"

#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

using namespace bremilo;
using testsupport::TestContext;

namespace {

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}

QStringList missingTables() {
  return {"bremelo_ondo.datが有りません！", "bremelo_syoudo.datが有りません！"};
}

}  // namespace

TEST(BremiloMenu, FirstStartWithoutFilesThenEndWritesEighteenLines) {
  TestContext t;
  BremiloWindows w(t.ctx);
  // The settings message comes before the other windows exist.
  EXPECT_EQ(t.prompts.texts(), QStringList{"bremelo_san.iniが有りません！"} + missingTables());
  EXPECT_EQ(w.form1->windowTitle().left(17), "ペルモラシステム　「ブレミロさん」");
  EXPECT_TRUE(w.form1->windowTitle().endsWith("ver.2010.11.5"));

  w.form1->show();
  w.form1->Panel11Click();
  EXPECT_TRUE(w.form4->isVisible());
  EXPECT_FALSE(w.form1->isVisible());
  w.form4->PNLsyuuryouClick();
  EXPECT_FALSE(w.form4->isVisible());
  EXPECT_TRUE(w.form1->isVisible());

  w.form1->Panel3Click();
  EXPECT_TRUE(w.form1->ended());
  const QByteArray bytes = fileBytes(t.path("bremelo_san.ini"));
  EXPECT_EQ(bytes.count("\r\n"), 18);
  const auto lines = platform::splitLines(bytes);
  ASSERT_EQ(lines.size(), 18);
  EXPECT_EQ(lines[0].toInt(), w.form1->y());
  EXPECT_EQ(lines[1].toInt(), w.form1->x());
  EXPECT_EQ(lines[6].toInt(), w.form4->y());
  EXPECT_EQ(lines[7].toInt(), w.form4->x());
  EXPECT_EQ(lines[4], "0");
}

TEST(BremiloMenu, SettingsAreReadAndTheUnusedPairWrittenBackUnchanged) {
  TestContext t;
  QStringList ini;
  for (int k = 1; k <= 18; ++k) ini << QString::number(k == 5 ? -7777 : k == 6 ? 4242 : 0);
  ini[0] = "40";
  ini[1] = "30";
  ASSERT_TRUE(platform::textfile::writeLines(t.path("bremelo_san.ini"), ini));
  BremiloWindows w(t.ctx);
  EXPECT_EQ(t.prompts.texts(), missingTables());
  EXPECT_EQ(w.form1->FormPositions[5], -7777);
  EXPECT_EQ(w.form1->FormPositions[6], 4242);
  w.form1->Panel3Click();
  const auto lines = platform::textfile::readLines(t.path("bremelo_san.ini"));
  ASSERT_TRUE(lines);
  EXPECT_EQ((*lines)[4], "-7777");
  EXPECT_EQ((*lines)[5], "4242");
}

TEST(BremiloMenu, MenuAndWindowsOpenAtTheirStoredTopAndLeft) {
  TestContext t;
  QStringList ini;
  for (int k = 1; k <= 18; ++k) ini << "0";
  ini[0] = "40";   // menu Top
  ini[1] = "30";   // menu Left
  ini[2] = "50";   // eeprom reader Top
  ini[3] = "150";  // eeprom reader Left
  ini[6] = "70";   // stand-alone help Top
  ini[7] = "20";   // stand-alone help Left
  ASSERT_TRUE(platform::textfile::writeLines(t.path("bremelo_san.ini"), ini));
  BremiloWindows w(t.ctx);
  EXPECT_EQ(w.form1->y(), 40);
  EXPECT_EQ(w.form1->x(), 30);
  w.form1->show();
  w.form1->Panel10Click();
  EXPECT_EQ(w.form2->y(), 50);
  EXPECT_EQ(w.form2->x(), 150);
  w.form2->PNLsyuuryouClick();
  w.form1->Panel11Click();
  EXPECT_EQ(w.form4->y(), 70);
  EXPECT_EQ(w.form4->x(), 20);
}

TEST(BremiloMenu, MalformedSettingsSayWhereReadingStoppedOnce) {
  TestContext t;
  // A line of 100,000 characters is quoted by its beginning.
  const QString huge = "abc" + QString(100000, 'x');
  ASSERT_TRUE(platform::textfile::writeLines(t.path("bremelo_san.ini"), {"40", "30", "3", "4", "5", "6", "7", huge}));
  BremiloWindows w(t.ctx);
  EXPECT_EQ(t.prompts.texts(),
            QStringList{"bremelo_san.iniの8行目「" + huge.left(40) + "…」は数値ではありません！"} + missingTables());
  EXPECT_EQ(w.form1->FormPositions[7], 7);
  EXPECT_EQ(w.form1->FormPositions[8], 0);
  // The menu keeps its layout place.
  EXPECT_EQ(w.form1->pos(), QPoint(0, 0));

  // Nothing past 64 KiB is read, where no settings file reaches.
  TestContext padded;
  QStringList ini(18, "0");
  ini[16] += QString(70000, ' ');
  ASSERT_TRUE(platform::textfile::writeLines(padded.path("bremelo_san.ini"), ini));
  BremiloWindows w2(padded.ctx);
  EXPECT_EQ(padded.prompts.texts().value(0), "bremelo_san.iniの18行目から後が有りません！");
}

TEST(BremiloMenu, OpenersShowTheirWindowsAndStartTheLinkTimer) {
  TestContext t;
  BremiloWindows w(t.ctx);
  w.form1->show();
  struct Case {
    void (TForm1::*opener)();
    CompanionWindow* window;
  };
  const QList<Case> cases{{&TForm1::Panel1Click, w.form7.get()}, {&TForm1::Panel10Click, w.form2.get()},
                          {&TForm1::Panel11Click, w.form4.get()}, {&TForm1::Panel5Click, w.form5.get()},
                          {&TForm1::Panel2Click, w.form8.get()},  {&TForm1::Panel4Click, w.form9.get()}};
  for (const Case& c : cases) {
    (w.form1.get()->*c.opener)();
    EXPECT_TRUE(c.window->isVisible()) << c.window->windowTitle().toStdString();
    EXPECT_FALSE(w.form1->isVisible());
    c.window->leaveToMenu();
    EXPECT_TRUE(w.form1->isVisible());
  }
  w.form1->Panel1Click();
  EXPECT_TRUE(w.form7->Timer2->isActive());
  w.form7->PNLsyuuryouClick();
  EXPECT_FALSE(w.form7->Timer2->isActive());
  EXPECT_TRUE(t.board.log().contains("UsbExit"));
  w.form1->Panel10Click();
  EXPECT_TRUE(w.form2->Timer2->isActive());
  w.form2->PNLsyuuryouClick();
  EXPECT_FALSE(w.form2->Timer2->isActive());
}

TEST(BremiloMenu, GamePageOpensOverTheBoardMenuPageAndLeavesAlone) {
  TestContext t;
  BremiloWindows w(t.ctx);
  w.form1->show();
  w.form1->Panel4Click();
  w.form9->Panel2Click();
  EXPECT_TRUE(w.form6->isVisible());
  EXPECT_TRUE(w.form9->isVisible());
  // Closing the board-menu page leaves the game page on screen.
  w.form9->PNLsyuuryouClick();
  EXPECT_TRUE(w.form1->isVisible());
  EXPECT_TRUE(w.form6->isVisible());
  w.form6->move(123, 77);
  w.form6->Panel1Click();
  EXPECT_FALSE(w.form6->isVisible());
  EXPECT_TRUE(w.form1->isVisible());
  EXPECT_EQ(w.form1->FormPositions[12], w.form6->x());
  EXPECT_EQ(w.form1->FormPositions[11], w.form6->y());
  // A close request from the window manager runs the page's own leave panel.
  w.form1->Panel5Click();
  w.form5->close();
  EXPECT_FALSE(w.form5->isVisible());
  EXPECT_TRUE(w.form1->isVisible());
}
