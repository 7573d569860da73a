#include "control/experiments/tform2.h"
#include "control/experiments/tform4.h"
#include "control/experiments/tform5.h"
#include "control/shell/pelmora_app.h"
#include "control/shell/tform1.h"
#include "support/test_context.h"

#include <QTimer>

#include <gtest/gtest.h>

using namespace pelmora;

// The menu's panels start each window's link polling; leaving stops it and
// brings the menu back.
TEST(ExperimentWindows, OpenFromTheMenuPollingAndLeaveBackToIt) {
  testsupport::TestContext t;
  PelmoraWindows w(t.ctx);
  w.form1->show();
  const QList<std::tuple<platform::ui::PanelButton*, BoardWindow*, platform::ui::PanelButton*>> steps{
      {w.form1->PNLmenu1, w.form2.get(), w.form2->PNLsyuuryou},
      {w.form1->PNLmenu3, w.form4.get(), w.form4->PNLsyuuryou},
      {w.form1->PNLmenu4, w.form5.get(), w.form5->PNLsyuuryou},
  };
  for (const auto& [menuPanel, tool, leave] : steps) {
    SCOPED_TRACE(tool->windowTitle().toStdString());
    EXPECT_FALSE(tool->Timer2->isActive());
    menuPanel->click();
    EXPECT_TRUE(tool->isVisible());
    EXPECT_FALSE(w.form1->isVisible());
    EXPECT_TRUE(tool->Timer2->isActive());
    t.board.clearLog();
    leave->click();
    EXPECT_FALSE(tool->isVisible());
    EXPECT_TRUE(w.form1->isVisible());
    EXPECT_FALSE(tool->Timer2->isActive());
    EXPECT_EQ(t.board.log().last(), "UsbExit");
  }
}
