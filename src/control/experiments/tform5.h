#pragma once
// Basic experiment 4: choose for each pin of port B whether it is an output
// or an input, light the outputs and watch the inputs of port B and D.

#include "control/experiments/board_window.h"

#include <array>

namespace pelmora {

class PinSign;

class TForm5 : public BoardWindow {
  Q_OBJECT
 public:
  explicit TForm5(ToolHost& host);

  void ddrb_hantei();
  void pinbdat_hantei();
  void pinddat_hantei();
  void siteisuu_hantei();
  void led_hantei();
  void bbtClick(int bit);
  void IMGbClick(int bit);
  void IMGinbClick(int bit);
  void Label7Click();
  void Label8Click();
  void Timer2Timer();
  void IMGokClick();
  void IMGtyuuiClick();
  void PNLsyuuryouClick();

  platform::ui::LedRow* bbt = nullptr;   // bbt7 ... bbt0
  std::array<PinSign*, 8> IMGb{};        // output signs, over the input signs
  std::array<PinSign*, 8> IMGinb{};      // input signs
  std::array<QLabel*, 8> LBLb{};         // input levels
  platform::ui::PanelButton* Label7 = nullptr;  // 出力状態: all outputs on or off
  platform::ui::PanelButton* Label8 = nullptr;  // 入出力設定: all pins outputs
  QLabel* LBLddrb = nullptr;
  QLabel* LBLportb = nullptr;
  QLabel* LBLpinb = nullptr;
  QLabel* LBLd6 = nullptr;
  QLabel* LBLd1 = nullptr;
  QLabel* LBLd0 = nullptr;
  QLabel* Label11 = nullptr;  // hidden: the direction byte
  platform::ui::PanelButton* PNLsyuuryou = nullptr;

 protected:
  void leaveRequested() override { PNLsyuuryouClick(); }
};

}  // namespace pelmora
