#include "control/musicbox/tform8.h"
#include "support/gallery.h"
#include "support/test_context.h"

#include <QCheckBox>
#include <QLineEdit>

#include <gtest/gtest.h>

TEST(Gallery, PelmoraMusicBox) {
  testsupport::TestContext t;
  testsupport::FakeHost host(t);
  pelmora::TForm8 w(host);
  for (int b : {8, 8, 12, 12, 13, 13, 12}) w.ButtonClick(b);
  w.ButtonClick(35);
  for (int b : {11, 11, 10, 10, 9, 9, 8}) w.ButtonClick(b);
  w.keyBoxes[1]->setChecked(true);
  w.setDialogPanelsVisible(true);
  w.show();
  testsupport::saveToGallery(w, "pelmora-TForm8");
}

// B flat major: B and E white, their flats yellow in all three octaves.
TEST(Gallery, PelmoraMusicBoxKeySignature) {
  testsupport::TestContext t;
  testsupport::FakeHost host(t);
  pelmora::TForm8 w(host);
  w.keyBoxes[5]->setChecked(true);
  w.keyBoxes[6]->setChecked(true);
  for (int b : {14, 8, 9, 10, 11, 12, 13, 14}) w.ButtonClick(b);
  w.show();
  testsupport::saveToGallery(w, "pelmora-TForm8-key-signature");
}
