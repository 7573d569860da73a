#include "control/experiments/tform2.h"
#include "support/gallery.h"
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
