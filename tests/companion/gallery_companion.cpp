#include "companion/bremilo_app.h"
#include "companion/help_pages.h"
#include "companion/menu.h"
#include "companion/sireal.h"
#include "platform/textfile.h"
#include "support/gallery.h"
#include "support/test_context.h"

#include <QRadioButton>

#include <gtest/gtest.h>

TEST(Gallery, BremiloMenuAndHelpPages) {
  testsupport::TestContext t;
  bremilo::BremiloWindows w(t.ctx);
  testsupport::saveToGallery(*w.form1, "bremilo-TForm1");
  testsupport::saveToGallery(*w.form4, "bremilo-TForm4");
  testsupport::saveToGallery(*w.form5, "bremilo-TForm5");
  testsupport::saveToGallery(*w.form6, "bremilo-TForm6");
  testsupport::saveToGallery(*w.form8, "bremilo-TForm8");
  testsupport::saveToGallery(*w.form9, "bremilo-TForm9");
}

TEST(Gallery, BremiloRealTimeMeasurementWithGraph) {
  testsupport::TestContext t;
  QStringList ondo;
  for (int i = 0; i < 100; ++i) ondo << QString::number(i + 0.5 * (i % 3), 'f', 1);
  platform::textfile::writeLines(t.path("bremelo_ondo.dat"), ondo);
  bremilo::BremiloWindows w(t.ctx);
  bremilo::TForm7& f = *w.form7;
  f.Timer2Timer();
  f.PNLsokuteikaisiClick();
  for (int i = 0; i < 40; ++i) {
    t.board.queueFrame(bremilo::simulatedMeasurement(i * 3000));
    t.clock.advance(f.Timer1->msToNextStep());
  }
  testsupport::saveToGallery(f, "bremilo-TForm7");
  f.PNLsokuteiowariClick();
  f.RadioButton2->setChecked(true);
  f.byouga();
  testsupport::saveToGallery(f, "bremilo-TForm7-illuminance");
}
