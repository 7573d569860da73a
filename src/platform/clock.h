#pragma once
// The tick counter and waits. Waits let window events through without
// spinning the CPU; tests use VirtualClock so a 300 ms step costs no real time.

#include <QElapsedTimer>
#include <QtGlobal>

#include <functional>
#include <map>
#include <memory>
#include <utility>

class QTimer;

namespace platform {

// A single-shot timer on its clock's time. Starting it again replaces a wait
// that has not ended; once stopped or destroyed it does not fire.
class ClockTimer {
 public:
  virtual ~ClockTimer() = default;
  virtual void start(int ms) = 0;
  virtual void stop() = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds, wrapping at 2^32.
  virtual quint32 tickCount() = 0;
  // Blocks for ms without handling window events.
  virtual void sleep(int ms) = 0;
  // Handles window events for at most about ms; returns after the first batch
  // of events or when ms has passed, whichever comes first.
  virtual void pumpFor(int ms) = 0;
  // Waits ms while windows keep painting; the user's clicks and keys are held
  // back and handled after the wait.
  virtual void waitHoldingInput(int ms) { sleep(ms); }
  // A timer that calls timeout when its time has passed by this clock: from
  // the event loop on the real clock, from advance or pumpFor on the virtual one.
  virtual std::unique_ptr<ClockTimer> timer(std::function<void()> timeout) = 0;
};

class RealClock : public Clock {
 public:
  RealClock();
  ~RealClock() override;
  quint32 tickCount() override;
  void sleep(int ms) override;
  void pumpFor(int ms) override;
  void waitHoldingInput(int ms) override;
  std::unique_ptr<ClockTimer> timer(std::function<void()> timeout) override;

 private:
  QElapsedTimer elapsed_;
  QTimer* wake_;
};

class VirtualClock : public Clock {
 public:
  explicit VirtualClock(quint32 start = 0) : now_(start) {}
  quint32 tickCount() override { return now_; }
  void sleep(int ms) override { advance(ms); }
  // Advances time (to the next scheduled action at the latest), runs due
  // actions and the pending window events.
  void pumpFor(int ms) override;
  // Runs action once the clock reaches tick (the counter may wrap).
  void at(quint32 tick, std::function<void()> action);
  void advance(int ms);
  std::unique_ptr<ClockTimer> timer(std::function<void()> timeout) override;
  // Total virtual milliseconds waited through sleep and pumpFor.
  quint64 waited() const { return waited_; }

 private:
  void runDue();
  quint32 now_;
  quint64 waited_ = 0;
  // Keyed by waited_ at which they run, then by order of scheduling, so a
  // batch can tell the actions it started with from those added while it runs.
  std::map<std::pair<quint64, quint64>, std::function<void()>> actions_;
  quint64 scheduled_ = 0;
};

// The deadline wait that timed output steps use.
class DeadlineWait {
 public:
  explicit DeadlineWait(Clock& clock) : clock_(clock) {}
  quint32 Timeout_Set(quint32 ms) { return clock_.tickCount() + ms; }
  bool Timeout_Chk(quint32 deadline) { return static_cast<qint32>(deadline - clock_.tickCount()) < 0; }
  // Waits ms while window events are handled. Returns false when cancelled()
  // became true during the wait, true when the time has passed.
  bool Timeout_Wait(quint32 ms, const std::function<bool()>& cancelled = {});
  Clock& clock() { return clock_; }

 private:
  Clock& clock_;
};

}  // namespace platform
