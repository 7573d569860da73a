#pragma once
// Basic experiment 2: fifteen blink programs on the LEDs of port B, five
// patterns run once, until STOP, or a chosen number of times. Every step is
// shown, logged and held by the deadline wait.

#include "control/experiments/board_window.h"
#include "platform/clock.h"

#include <QList>

#include <array>

class QLabel;
class QListWidget;
class QScrollBar;
class QToolButton;

namespace pelmora {

class TplButton;

// Two arrow buttons that step a position between a minimum and a maximum.
class UpDown : public QWidget {
  Q_OBJECT
 public:
  UpDown(QWidget* parent, int left, int top, int minimum, int maximum, int position);
  int position() const { return position_; }
  void stepBy(int delta);
  QToolButton* up = nullptr;
  QToolButton* down = nullptr;

 Q_SIGNALS:
  void clicked();

 private:
  int minimum_;
  int maximum_;
  int position_;
};

class TForm3 : public BoardWindow {
  Q_OBJECT
 public:
  enum Group { Once = 1, DoLoop = 2, ForNext = 3 };

  explicit TForm3(ToolHost& host);

  // The values of one pass of pattern 1-5.
  static QList<int> passValues(int pattern);

  void siteisuu_hantei();
  void led_hantei();
  void bbtClick(int bit);
  void Timer2Timer();
  void IMGokClick();
  void SCBjikanChange();
  void UpDown1Click();
  void pnlstopClick();
  // PNLpro11 ... PNLpro35: group 1-3, pattern 1-5.
  void PNLproClick(int group, int pattern);
  void pnlsyuuryouClick();

  bool running() const { return running_; }
  platform::DeadlineWait& deadlineWait() { return wait_; }
  platform::ui::PanelButton* PNLpro(int group, int pattern) const {
    return pnlPro_[static_cast<size_t>((group - 1) * 5 + pattern - 1)];
  }

  int out_time = 300;
  int stop_request = 0;

  platform::ui::LedRow* bbt = nullptr;  // bbt7 ... bbt0
  QLabel* LBLportb = nullptr;
  QScrollBar* SCBjikan = nullptr;
  QWidget* Panel2 = nullptr;
  QLabel* LBLkai = nullptr;
  UpDown* UpDown1 = nullptr;
  QListWidget* LSTpro = nullptr;
  platform::ui::PanelButton* PNLstop = nullptr;
  platform::ui::PanelButton* PNLsyuuryou = nullptr;
  TplButton* plButton6 = nullptr;
  TplButton* plButton12 = nullptr;
  TplButton* plButton18 = nullptr;

 protected:
  // A close request runs the leave panel, and is refused while a program runs.
  void leaveRequested() override;

 private:
  void buildControls();
  // One output step: show and write v, log it, hold it for out_time.
  void outputStep(int v, bool repeating);
  void showPortLabel();

  platform::DeadlineWait wait_;
  bool running_ = false;
  std::array<platform::ui::PanelButton*, 15> pnlPro_{};
};

}  // namespace pelmora
