#include "platform/ui/simulated_board_window.h"

#include <QCheckBox>

#include <gtest/gtest.h>

using platform::BoardLink;
using platform::SimulatedBoard;
using platform::ui::SimulatedBoardWindow;

TEST(SimulatedBoardWindow, ShowsDrivenLedsAndSetsTheInputs) {
  SimulatedBoard board;
  BoardLink link(board);
  SimulatedBoardWindow w(board);
  EXPECT_EQ(w.leds->litValue(), 0);  // nothing driven yet

  link.detect();
  link.writePortB(255, 126);
  EXPECT_EQ(w.leds->litValue(), 129);
  // An input pin lights nothing, whatever PORTB holds for it.
  link.writePortB(0x7F, 126);
  EXPECT_EQ(w.leds->litValue(), 1);

  w.pinbSwitch[7]->setChecked(false);
  w.pinbSwitch[0]->setChecked(false);
  EXPECT_EQ(link.readPinb(), 0x7E);
  for (int bit : {7, 5, 4, 3, 2}) w.pindSwitch[static_cast<size_t>(bit)]->setChecked(false);
  EXPECT_EQ(link.readPind(), 0x43);
}

TEST(SimulatedBoardWindow, LetsGoOfTheBoardWhenDestroyed) {
  SimulatedBoard board;
  BoardLink link(board);
  board.setPinb(0x0F);
  {
    SimulatedBoardWindow w(board);
    EXPECT_FALSE(w.pinbSwitch[7]->isChecked());
    EXPECT_TRUE(w.pinbSwitch[3]->isChecked());
  }
  link.detect();
  link.writePortB(255, 0);  // must not reach the destroyed window
  EXPECT_EQ(board.portb(), 0);
}
