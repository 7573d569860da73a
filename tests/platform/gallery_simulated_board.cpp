#include "platform/ui/simulated_board_window.h"
#include "support/gallery.h"

#include <gtest/gtest.h>

TEST(Gallery, SimulatedBoard) {
  platform::SimulatedBoard board;
  platform::BoardLink link(board);
  board.setPinb(0xA5);
  platform::ui::SimulatedBoardWindow w(board);
  link.detect();
  link.writePortB(255, 126);
  testsupport::saveToGallery(w, "pelmora-simulated-board");
}
