#pragma once
// A small window for trying the simulated board without hardware: the LEDs
// of port B as the board lights them, and switches for the PINB and PIND
// inputs.

#include "platform/board.h"
#include "platform/ui/widgets.h"

#include <array>

class QCheckBox;

namespace platform::ui {

class SimulatedBoardWindow : public AppWindow {
  Q_OBJECT
 public:
  explicit SimulatedBoardWindow(SimulatedBoard& board, QWidget* parent = nullptr);
  ~SimulatedBoardWindow() override;

  // The LEDs that light: output pins (DDRB 1) driven low (PORTB 0).
  static int litLeds(int ddrb, int portb) { return ddrb & ~portb & 0xFF; }
  // Shows the board's registers again.
  void refresh();

  LedRow* leds = nullptr;
  std::array<QCheckBox*, 8> pinbSwitch{};  // index: bit number
  std::array<QCheckBox*, 8> pindSwitch{};

 private:
  SimulatedBoard& board_;
};

}  // namespace platform::ui
