#pragma once
// Runs the pupil's program line by line on the board. A run is one long call
// on the window thread: window events are handled only while it waits (an
// output's time, a frame from the measuring board, or now and then between
// lines), and STOP and 中断 act through a request the run tests after every
// line.

#include "control/workbench/interpreter_blocks.h"
#include "platform/board.h"
#include "platform/clock.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace pelmora::workbench {

// What a run shows in the workbench window. The window implements it; tests
// record it.
class RunView {
 public:
  enum class Label { I, J, A, PortB };

  virtual ~RunView() = default;
  // The program list as it stands, and a line stored back into it.
  virtual QStringList programLines() = 0;
  virtual void storeLine(int n, const QString& text) = 0;
  // n becomes the only selected line.
  virtual void selectLine(int n) = 0;
  // The instruction box.
  virtual void showInstruction(const QString& text) = 0;
  virtual void showLabel(Label which, const QString& text) = 0;
  // After the run wrote DDRB and PORTB: the LED row shows portbValue.
  virtual void showOutputs(int portbValue) = 0;
  // After the run wrote DDRB: directions, "ddrB=" texts and instruction box.
  virtual void showDirection(int ddrbValue) = 0;
  // After a read of PINB or PIND: the input labels.
  virtual void showPinb(int value) = 0;
  virtual void showPind(int value) = 0;
  // The text of the largest allowed output time (許容最大時間).
  virtual QString allowedTimeText() = 0;
  // Saves the program into the pupil's slot 0 without asking.
  virtual void autoSave() = 0;
  virtual void message(const QString& text) = 0;
  // running: only STOP and 中断 usable, link timer off, list single-select.
  // Not running: 実行 back, everything usable again, link timer on.
  virtual void setRunning(bool running) = 0;
};

class Interpreter {
 public:
  static constexpr int kMaxCallDepth = 64;
  // Events are let through at least this often when lines run without waits.
  static constexpr int kPumpEveryLines = 64;
  static constexpr int kPumpEveryMs = 20;

  Interpreter(RunView& view, platform::BoardLink& link, platform::DeadlineWait& wait);

  // 実行: saves, scans and runs the program from the top or after the line
  // where it was paused. Returns when the run has ended.
  void run();
  // STOP. While paused it ends the pause, so the next run starts at the top.
  void requestStop();
  // 中断: the run pauses after the current line; the next run goes on after it.
  void requestPause();

  bool isRunning() const { return running_; }
  bool isPaused() const { return !running_ && stop_request == 1 && resume_line >= 0; }

  // Program state, kept between runs.
  int stop_request = 0;  // 0 running, 1 pause requested, 9 stop requested or ended
  int resume_line = -1;  // last line run before a pause; -1: from the top
  int var_a = 0;
  int var_i = 0;
  int var_j = 0;
  int var_k = 0;
  int end_i = 0;
  int end_j = 0;
  int wt1 = 0;
  int wt2 = 0;

  // Values shared with the window's board panel and editor.
  int out_time = 300;
  int portb_value = 0;
  int ddrb_value = 255;
  int pinb_value = 0;
  int pind_value = 0;
  std::array<int, 8> pinb_bits{};
  std::array<int, 8> pind_bits{};

  // Board routines of the workbench, shown through the view.
  void siteisuu_hantei();
  void ddrb_hantei();
  void pinbdat_hantei();
  void pinddat_hantei();

 private:
  struct LineError {
    QString text;
  };

  void runLines(const QStringList& lines);
  void execute(int& m, const QString& s);
  void outputLine(const QString& s);
  bool condition(const QString& s);
  void assign(QChar letter, const QString& s);
  void receiveFrame();
  void fail(const QString& text);
  [[noreturn]] void unreadable(const QString& s) const;
  int number(const QString& text, const QString& s) const;
  int checked(std::optional<qint32> v, const QString& s) const;
  int powerOf(qint32 base, qint32 exp, const QString& s) const;
  int& variable(QChar letter);
  bool requestedSince(int mark) const { return requests_ != mark; }
  void pumpNowAndThen();

  RunView& view_;
  platform::BoardLink& link_;
  platform::DeadlineWait& wait_;
  BlockMap blocks_;
  std::vector<int> returns_;
  bool running_ = false;
  bool frameCut_ = false;  // the current line's frame wait was called off
  int requests_ = 0;
  int lineNo_ = 0;  // the line being run, for messages
  int linesSincePump_ = 0;
  quint32 lastPump_ = 0;
};

}  // namespace pelmora::workbench
