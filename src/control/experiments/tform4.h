#pragma once
// Basic experiment 3: one byte on the LEDs, broken down into binary, decimal
// and hexadecimal.

#include "control/experiments/board_window.h"

#include <array>

class QGroupBox;

namespace pelmora {

class TForm4 : public BoardWindow {
  Q_OBJECT
 public:
  explicit TForm4(ToolHost& host);

  void siteisuu_hantei();
  void led_hantei();
  void bbtClick(int bit);
  void Timer2Timer();
  void IMGokClick();
  void IMGtyuuiClick();
  void PNLhenkanClick();
  void PNLsyuuryouClick();

  platform::ui::LedRow* bbt = nullptr;  // bbt7 ... bbt0
  QLineEdit* Edit2 = nullptr;
  platform::ui::PanelButton* PNLhenkan = nullptr;
  platform::ui::PanelButton* PNLsyuuryou = nullptr;
  QLabel* LBLportb = nullptr;

  // Label families, index = bit number: Labelb0-7, Labelb10-17, ...
  using Row = std::array<QLabel*, 8>;
  QGroupBox* GBdecimal = nullptr;  // ２進数→１０進数
  Row Labelb{}, Labelb1x{}, Labeln{};
  std::array<QLabel*, 7> Labelp{};
  QLabel* Labelnn = nullptr;
  QGroupBox* GBhex = nullptr;  // ２進数→１６進数
  Row Labelb2x{}, Labelb3x{}, Labeln1x{};
  std::array<QLabel*, 7> Labelp1x{};
  QLabel* Labelnn1 = nullptr;
  QLabel* Labelnn2 = nullptr;
  QLabel* Labelnn16 = nullptr;
  QGroupBox* GBbinary = nullptr;  // １０進数→２進数
  Row Labelbb{}, Labelb5x{}, Lblb{};

 protected:
  void leaveRequested() override { PNLsyuuryouClick(); }

 private:
  void buildDecimalGroup();
  void buildHexGroup();
  void buildBinaryGroup();
  // Draws n on the panels and every label of the three groups.
  void showBreakdown();
};

}  // namespace pelmora
