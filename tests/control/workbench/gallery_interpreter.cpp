#include "control/shell/pelmora_app.h"
#include "control/shell/tform1.h"
#include "control/workbench/tform6.h"
#include "support/gallery.h"
#include "support/test_context.h"

#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

TEST(Gallery, PelmoraWorkbenchRunning) {
  testsupport::TestContext t;
  pelmora::PelmoraWindows w(t.ctx);
  w.form1->Edit1->setText("12");
  w.form1->PNLmenu5Click();
  pelmora::TForm6& f = *w.form6;
  f.Timer2Timer();
  f.RDBtyuukyuu->setChecked(true);
  f.setProgramLines({"ddrB=255", "For i=0 To 7", "   portB=2^i,300", "Next i", "End"});
  f.EDTfile->setText("順番に点灯");
  bool saved = false;
  // Third pass of the loop, in the middle of its wait.
  t.clock.at(t.clock.tickCount() + 750, [&] {
    testsupport::saveToGallery(f, "pelmora-TForm6-running");
    saved = true;
  });
  f.PNLjikkou->click();
  EXPECT_TRUE(saved);
  testsupport::saveToGallery(f, "pelmora-TForm6-after-run");
}
