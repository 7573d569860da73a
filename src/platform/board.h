#pragma once
// The HID board: five operations, one instance per process. Every board
// window runs its own BoardLink over the shared instance.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <limits>
#include <map>

namespace platform {

class Board {
 public:
  virtual ~Board() = default;
  // -1: nothing answered this selector; other negatives: no board; >= 0: open.
  virtual int UsbInit(const char* selector) = 0;
  virtual int UsbExit() = 0;
  virtual int PortAddress(const char* name) = 0;
  virtual int UsbPeek(int handle, int zero) = 0;
  virtual int UsbPoke(int handle, int zero, int value, int zero2) = 0;
};

// Without a board library: nothing ever answers.
class NoBoard : public Board {
 public:
  int UsbInit(const char*) override { return -1; }
  int UsbExit() override { return 0; }
  int PortAddress(const char*) override { return 0; }
  int UsbPeek(int, int) override { return 0xFF; }
  int UsbPoke(int, int, int, int) override { return 0; }
};

// An in-process board: registers DDRB/PORTB/PINB/PIND, a log of its calls,
// scripted UsbInit answers, PINB/PIND inputs, and the measuring board that
// sends bytes in the serial frame.
class SimulatedBoard : public Board {
 public:
  static constexpr int kDdrb = 0x37;
  static constexpr int kPortb = 0x38;
  static constexpr int kPinb = 0x36;
  static constexpr int kPind = 0x30;
  // What a read through handle 0, a stale handle or a closed link returns.
  static constexpr int kIdleByte = 0xFF;

  struct Call {
    QString op;        // "UsbInit", "UsbExit", "PortAddress", "UsbPeek", "UsbPoke"
    QString text;      // selector or register name
    int handle = 0;
    int value = 0;     // byte written
    int result = 0;
  };

  // The log keeps the newest calls only, so a board left running all day
  // holds a fixed amount; tests that read a whole run ask for kWholeLog.
  static constexpr qsizetype kRecentCalls = 256;
  static constexpr qsizetype kWholeLog = std::numeric_limits<qsizetype>::max();

  explicit SimulatedBoard(qsizetype logLimit = kRecentCalls);

  int UsbInit(const char* selector) override;
  int UsbExit() override;
  int PortAddress(const char* name) override;
  int UsbPeek(int handle, int zero) override;
  int UsbPoke(int handle, int zero, int value, int zero2) override;

  // Answers of UsbInit per selector; a selector without an answer gives -1.
  // The default board answers "#" with 0 (a HIDaspx-P).
  void setInitAnswer(const QString& selector, int answer) { initAnswers_[selector] = answer; }
  void unplug() { initAnswers_.clear(); open_ = false; }

  // Inputs: a fixed value, or a queue that is read first.
  void setPinb(int value) { pinb_ = value & 0xFF; }
  void setPind(int value) { pind_ = value & 0xFF; }
  void queuePinb(const QList<int>& values);
  void queuePind(const QList<int>& values);
  // Plays the measuring board: queues the PINB levels of one frame.
  void queueFrame(int byte);
  // With DDRB set for reception and no queued levels, the board sends the
  // next value from source (a measuring board that never stops).
  void setFrameSource(std::function<int()> source) { frameSource_ = std::move(source); }

  int ddrb() const { return ddrb_; }
  int portb() const { return portb_; }
  int pinb() const { return pinb_; }
  int pind() const { return pind_; }
  bool isOpen() const { return open_; }

  const QList<Call>& calls() const { return calls_; }
  // The log as short texts: "UsbInit(#)=0", "PortAddress(ddrb)", "DDRB=255",
  // "PORTB=126", "PINB?", "PIND?", "UsbExit".
  QStringList log() const;
  void clearLog() { calls_.clear(); }
  // Only the writes, as "DDRB=.." and "PORTB=..".
  QStringList writes() const;
  // Called after every write, for displays of the simulated board.
  std::function<void()> onChange;
  // Called before every read; a test lets time pass here, as a USB read takes
  // time on the real link.
  std::function<void()> onPeek;

 private:
  QString registerName(int handle) const;
  void record(Call call);
  std::map<QString, int> initAnswers_;
  bool open_ = false;
  int ddrb_ = 0;
  int portb_ = 0xFF;
  int pinb_ = 0xFF;
  int pind_ = 0xFF;
  std::deque<int> pinbQueue_;
  std::deque<int> pindQueue_;
  std::function<int()> frameSource_;
  int frameFiller_ = 0;
  qsizetype logLimit_;
  QList<Call> calls_;
};

// The board link of one window: the fixed detection order, which board
// answered, the four register handles and the last result.
class BoardLink {
 public:
  enum class Variant { None, HidaspxP, Hidaspx };

  explicit BoardLink(Board& board) : board_(board) {}

  // UsbInit("#"), "*" only when that answered exactly -1, then on success the
  // four PortAddress calls. Returns the result.
  int detect();
  bool connected() const { return lastResult_ >= 0; }
  int lastResult() const { return lastResult_; }
  Variant variant() const { return variant_; }
  // "HIDaspx-Pが接続されています!", "HIDaspxが接続されています!" or the caution text.
  QString statusText() const;

  int ddrb_adr = 0;
  int portb_adr = 0;
  int pinb_adr = 0;
  int pind_adr = 0;

  // DDRB first, then PORTB.
  void writePortB(int ddrbValue, int portbLevel);
  void poke(int handle, int value) { board_.UsbPoke(handle, 0, value & 0xFF, 0); }
  int peek(int handle) { return board_.UsbPeek(handle, 0) & 0xFF; }
  int readPinb() { return peek(pinb_adr); }
  int readPind() { return peek(pind_adr); }
  void exit() { board_.UsbExit(); }
  Board& board() { return board_; }

 private:
  Board& board_;
  int lastResult_ = -1;
  Variant variant_ = Variant::None;
};

inline const QString kLinkCaution = QStringLiteral("HIDaspxの接続を確認して下さい！");

}  // namespace platform
