#pragma once
// What the experiment windows share: their own board link polled by Timer2,
// the link status view, the window's port state and the leave step's ending.

#include "control/common/tool_window.h"
#include "platform/board.h"

class QLabel;
class QLineEdit;
class QTimer;

namespace pelmora {

class BoardWindow : public ToolWindow {
  Q_OBJECT
 public:
  BoardWindow(ToolHost& host, int firstEntry, const QString& caption, int width, int height, int timerInterval);

  void startLinkTimer() override;

  // The number whose 1 bits are lit LEDs, the byte last prepared for PORTB
  // (LEDs light on a 0 bit) and the direction byte (1: output).
  int portb_value = 0;
  int portb_level = 255;
  int ddrb_value = 255;
  platform::BoardLink link;

  QTimer* Timer2 = nullptr;
  QLabel* Label4 = nullptr;
  platform::ui::LinkPicture* IMGok = nullptr;
  platform::ui::LinkPicture* IMGtyuui = nullptr;
  QLineEdit* Edit1 = nullptr;  // hidden: the last detection result

 protected:
  // Detects the board and shows the result; true when a board answered.
  bool linkStep();
  // DDRB, then PORTB.
  void writePort() { link.writePortB(ddrb_value, portb_level); }
  // The end of every leave step: close the link, stop polling, back to the menu.
  void finishLeave();

  // Layout pieces.
  void addTitles(const QString& subtitle);
  void placeLinkStatus(int left, int top);
  // "B7" ... "B0", one above each of eight columns of parent (this when null).
  void addBitHeader(int left, int top, int step, int width, QWidget* parent = nullptr);
};

}  // namespace pelmora
