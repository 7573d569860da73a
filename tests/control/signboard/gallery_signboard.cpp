#include "control/signboard/tform7.h"
#include "support/gallery.h"
#include "support/test_context.h"

#include <QRadioButton>

#include <gtest/gtest.h>

TEST(Gallery, PelmoraSignBoard) {
  testsupport::TestContext t;
  testsupport::FakeHost host(t);
  pelmora::TForm7 w(host);
  // "ﾍﾟﾙﾓﾗ" and a heart drawn as G1 on line 1, "Hello&" on line 2.
  for (int key : {142, 160, 154, 148, 152}) w.ButtonClick(key);
  w.ButtonClick(1);
  w.ButtonClick(162);
  w.panelClick(41);
  for (int key : {41, 70, 77, 77, 80, 7}) w.ButtonClick(key);
  w.glyph_radio[1]->setChecked(true);
  w.PNLsiroClick();
  for (int dot : {7, 9, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 22, 23, 24, 28}) w.dotClick(dot);
  w.PNLkakuteiClick();
  w.setDialogPanelsVisible(true);
  testsupport::saveToGallery(w, "pelmora-TForm7");
}
