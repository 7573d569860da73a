// The menu's settings panel as assistive tools and the tool windows see it.

#include "control/shell/pelmora_app.h"
#include "control/shell/tform1.h"
#include "control/experiments/tform2.h"
#include "control/experiments/tform3.h"
#include "control/experiments/tform4.h"
#include "control/experiments/tform5.h"
#include "control/musicbox/tform8.h"
#include "control/shell/tform9.h"
#include "control/signboard/tform7.h"
#include "control/workbench/tform6.h"
#include "platform/textfile.h"
#include "support/test_context.h"

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace pelmora;
using testsupport::TestContext;

namespace {

QString accessibleName(QWidget* w) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
  return iface ? iface->text(QAccessible::Name) : QStringLiteral("<no interface>");
}

}  // namespace

TEST(MenuAccessibility, EveryGroupAndControlOfTheSettingsPanelCarriesItsOwnName) {
  TestContext t;
  PelmoraWindows w(t.ctx);
  TForm1& m = *w.form1;
  m.show();
  m.CBmaikon->setChecked(true);
  m.PNLsetteiClick();

  const std::vector<std::pair<QWidget*, QString>> expected{
      {m.GBsettei, "ペルモラの各種設定"},
      {m.CBmaikon, "マイコン制御関連メニュー"},
      {m.GBkairo, "書込先回路の選択"},
      {m.RBkairo1, "マイコンボード"},
      {m.RBkairo2, "ペルモラ学習回路"},
      {m.RBkairo3, "ペルモラ測定ボード"},
      {m.GroupBox1, "ファイルメニュー"},
      {m.CBdialog, "ダイアログボックスを使う"},
      {m.Label4, "許容最大時間"},
      {m.Edit2, "許容最大時間"},
      {m.CBdouji, "コンパイル、書き込み、ヒューズ設定を同時にする"},
      {m.CBsyokisettei, "関連初期ファイルの設定をいつもする"},
      {m.PNLtojiru, "閉じる"},
  };
  for (const auto& [widget, name] : expected) EXPECT_EQ(accessibleName(widget).toStdString(), name.toStdString());
  // Nothing else hides in the panel without a name of its own.
  EXPECT_EQ(m.GBsettei->findChildren<QWidget*>().size(), static_cast<qsizetype>(expected.size() - 1));
}

// A group inside another group is announced by its own title in every window.
TEST(MenuAccessibility, EveryGroupInEveryWindowIsNamedByItsTitle) {
  TestContext t;
  PelmoraWindows w(t.ctx);
  const std::vector<QWidget*> windows{w.form1.get(), w.form2.get(), w.form6.get(), w.form3.get(), w.form4.get(),
                                      w.form5.get(), w.form7.get(), w.form8.get(), w.form9.get()};
  int groups = 0;
  for (QWidget* window : windows) {
    for (QGroupBox* g : window->findChildren<QGroupBox*>()) {
      if (g->title().isEmpty()) continue;
      ++groups;
      EXPECT_EQ(accessibleName(g).toStdString(), g->title().toStdString()) << window->metaObject()->className();
    }
  }
  EXPECT_GT(groups, 3);
}

// The settings script is handed to the shell layer as a file to open, from the
// program folder; whether that works is not the menu's business.
TEST(MenuSettingsScript, IsOpenedBeforeEachMicrocontrollerToolWithoutAWordAboutIt) {
  TestContext t;
  PelmoraWindows w(t.ctx);
  t.prompts.clear();
  t.prompts.answerYesNo({false, false});
  t.processes.startSucceeds = false;
  w.form1->CBsyokisettei->setChecked(true);
  w.form1->Edit1->setText("7");
  w.form1->PNLmenu5Click();
  w.form6->PNLsyuuryouClick();
  w.form1->PNLmenu6Click();
  w.form7->PNLsyuuryouClick();
  w.form1->PNLmenu7Click();
  ASSERT_EQ(t.processes.calls.size(), 3);
  for (const auto& call : t.processes.calls) {
    EXPECT_EQ(call.kind, "open");
    EXPECT_EQ(call.program, t.path("syokisettei.vbs"));
    EXPECT_EQ(call.workingDirectory, t.ctx.appDir);
  }
  EXPECT_EQ(t.prompts.texts(), QStringList({t.path("data/7-0.bas") + "が有りません",
                                            t.path("data/lcd7_1.dat") + "を読み込みますか？",
                                            t.path("data/org7_1.dat") + "を読み込みますか？"}));
  EXPECT_TRUE(w.form8->isVisible());
}

// 個別ダイアログ stored checked: the tools' R and S panels are there from the start.
TEST(MenuSettingsPanel, ToolsFollowTheStoredDialogSettingFromTheStart) {
  for (const bool dialogs : {true, false}) {
    SCOPED_TRACE(dialogs);
    TestContext t;
    QStringList lines{"10", "20", "0", "1", dialogs ? "1" : "0"};
    for (int i = 3; i <= 16; ++i) lines << "0";
    lines << "60000" << "0" << "0";
    ASSERT_TRUE(platform::textfile::writeLines(t.path("pelmora.ini"), lines));
    PelmoraWindows w(t.ctx);
    EXPECT_EQ(w.form1->CBdialog->isChecked(), dialogs);
    for (QWidget* panel : std::initializer_list<QWidget*>{w.form6->PNLread, w.form6->PNLsave, w.form7->PNLread,
                                                          w.form7->PNLsave, w.form8->PNLread, w.form8->PNLsave})
      EXPECT_EQ(!panel->isHidden(), dialogs);
  }
}
