#include "control/experiments/tform3.h"
#include "support/gallery.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

TEST(Gallery, PelmoraTForm3) {
  testsupport::TestContext t;
  testsupport::FakeHost host(t);
  pelmora::TForm3 w(host);
  w.Timer2Timer();
  testsupport::saveToGallery(w, "pelmora-TForm3");

  // A Do-Loop "交互　点滅" caught in its fourteenth step, STOP showing.
  int steps = 0;
  t.board.onChange = [&] {
    if (t.board.calls().last().text != QStringLiteral("PORTB") || ++steps != 14) return;
    t.clock.at(t.clock.tickCount() + 10, [&] {
      testsupport::saveToGallery(w, "pelmora-TForm3-running");
      w.pnlstopClick();
    });
  };
  t.clock.at(t.clock.tickCount() + 3600000, [&] { w.pnlstopClick(); });
  w.PNLproClick(pelmora::TForm3::DoLoop, 2);
}
