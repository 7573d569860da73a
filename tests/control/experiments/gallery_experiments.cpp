#include "control/experiments/tform2.h"
#include "control/experiments/tform4.h"
#include "control/experiments/tform5.h"
#include "support/gallery.h"

#include <QLineEdit>
#include "support/test_context.h"

#include <gtest/gtest.h>

TEST(Gallery, PelmoraExperimentOne) {
  testsupport::TestContext t;
  testsupport::FakeHost host(t);
  pelmora::TForm2 w(host);
  w.bbt->panel(7)->click();
  w.bbt->panel(0)->click();
  testsupport::saveToGallery(w, "pelmora-TForm2-nolink");
  w.Timer2Timer();
  testsupport::saveToGallery(w, "pelmora-TForm2");
}

TEST(Gallery, PelmoraExperimentThree) {
  testsupport::TestContext t;
  testsupport::FakeHost host(t);
  pelmora::TForm4 w(host);
  w.Timer2Timer();
  testsupport::saveToGallery(w, "pelmora-TForm4-zero");
  w.Edit2->setText("200");
  w.PNLhenkanClick();
  testsupport::saveToGallery(w, "pelmora-TForm4");
}

TEST(Gallery, PelmoraExperimentFour) {
  testsupport::TestContext t;
  testsupport::FakeHost host(t);
  pelmora::TForm5 w(host);
  testsupport::saveToGallery(w, "pelmora-TForm5-fresh");
  t.board.setPinb(5);
  t.board.setPind(0x41);
  for (int bit = 0; bit < 4; ++bit) w.IMGbClick(bit);
  w.bbt->panel(7)->click();
  w.bbt->panel(5)->click();
  w.Timer2Timer();
  testsupport::saveToGallery(w, "pelmora-TForm5");
}
