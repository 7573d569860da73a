#include "control/shell/pelmora_app.h"
#include "control/shell/tform1.h"
#include "support/gallery.h"
#include "support/test_context.h"

#include <QCheckBox>

#include <gtest/gtest.h>

TEST(Gallery, PelmoraMenu) {
  testsupport::TestContext t;
  pelmora::PelmoraWindows w(t.ctx);
  testsupport::saveToGallery(*w.form1, "pelmora-TForm1");
  w.form1->CBmaikon->setChecked(true);
  testsupport::saveToGallery(*w.form1, "pelmora-TForm1-maikon");
  w.form1->PNLsetteiClick();
  testsupport::saveToGallery(*w.form1, "pelmora-TForm1-settings");
}
