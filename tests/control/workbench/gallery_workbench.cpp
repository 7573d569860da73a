#include "control/shell/pelmora_app.h"
#include "control/shell/tform1.h"
#include "control/workbench/tform6.h"
#include "support/gallery.h"
#include "support/test_context.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include <gtest/gtest.h>

TEST(Gallery, PelmoraWorkbenchModes) {
  testsupport::TestContext t;
  pelmora::PelmoraWindows w(t.ctx);
  w.form1->CBmaikon->setChecked(true);
  w.form1->Edit1->setText("12");
  w.form1->PNLmenu5Click();
  pelmora::TForm6& f = *w.form6;
  f.Timer2Timer();
  f.setProgramLines({"ddrB=255", "Do", "   portB=1,300", "   portB=2,300", "Loop"});
  f.EDTfile->setText("はじめてのプログラム");
  testsupport::saveToGallery(f, "pelmora-TForm6-syokyuu");
  f.RDBtyuukyuu->setChecked(true);
  testsupport::saveToGallery(f, "pelmora-TForm6-tyuukyuu");
  f.RDBjoukyuu->setChecked(true);
  f.RDBwt1->setChecked(true);
  f.IMGbClick(3);
  testsupport::saveToGallery(f, "pelmora-TForm6-joukyuu");
  f.RDBlcd->setChecked(true);
  testsupport::saveToGallery(f, "pelmora-TForm6-lcd");
  f.RDBsound->setChecked(true);
  testsupport::saveToGallery(f, "pelmora-TForm6-sound");
}
