#include "control/workbench/basic_settings_box.h"
#include "control/workbench/tform6.h"
#include "support/gallery.h"
#include "support/test_context.h"

#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

// The workbench in Sound mode with the BASIC settings box open.
TEST(Gallery, PelmoraWorkbenchSoundAndBascomSettings) {
  testsupport::TestContext t;
  testsupport::FakeHost host(t);
  host.circuit = 2;
  pelmora::TForm6 f(host);
  f.setProgramLines({"ddrB=255", "Do", "   Sound portB.0,335,159", "Loop"});
  f.RDBsound->setChecked(true);
  f.BTsettei->click();
  testsupport::saveToGallery(f, "pelmora-TForm6-bascom-settings");
}
