#include "control/workbench/basic_settings_box.h"
#include "control/workbench/sound_panel.h"
#include "support/gallery.h"

#include <gtest/gtest.h>

#include <QWidget>

// The workbench's BASIC settings box and Sound panel on a plain window.
TEST(Gallery, PelmoraWorkbenchBasicPanels) {
  QWidget window;
  window.setWindowTitle("BASCOM / Sound");
  window.resize(760, 360);
  auto* box = new pelmora::workbench::BascomSettingsBox(&window);
  box->move(8, 8);
  box->show();
  auto* sound = new pelmora::workbench::SoundPanel(&window);
  sound->move(310, 8);
  testsupport::saveToGallery(window, "pelmora-workbench-basic-panels");
}
