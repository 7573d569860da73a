#pragma once
// Basic experiment 1: light the eight LEDs of port B from the panels, from a
// typed number, or all at once.

#include "control/experiments/board_window.h"

namespace pelmora {

class TForm2 : public BoardWindow {
  Q_OBJECT
 public:
  explicit TForm2(ToolHost& host);

  void siteisuu_hantei();
  void led_hantei();
  void bbtClick(int bit);
  void Timer2Timer();
  void Edit2Change();
  void PNLstartClick();
  void PNLzententouClick();
  void PNLzensyoutouClick();
  void PNLsyuuryouClick();

  platform::ui::LedRow* bbt = nullptr;  // bbt7 ... bbt0
  QLineEdit* Edit2 = nullptr;
  platform::ui::PanelButton* PNLstart = nullptr;
  platform::ui::PanelButton* PNLzententou = nullptr;
  platform::ui::PanelButton* PNLzensyoutou = nullptr;
  platform::ui::PanelButton* PNLsyuuryou = nullptr;

 protected:
  void leaveRequested() override { PNLsyuuryouClick(); }
};

}  // namespace pelmora
