#pragma once
// One measuring step over the board: outputs off, wait for one serial frame
// from the measuring board, keep the value, set the four threshold outputs.

#include "companion/measurement.h"
#include "platform/board.h"
#include "platform/clock.h"

#include <functional>
#include <memory>

namespace bremilo {

// Timer1 of the measuring window: ticks every interval by the clock and runs
// one step per tick, never two at once. A step may outlast the interval (the
// frame wait plus the pause): the next step then starts when it ends, from the
// event loop, instead of at the tick after that. An interval below 1 ms is
// 1 ms.
class StepTimer {
 public:
  StepTimer(platform::Clock& clock, int intervalMs, std::function<void()> step);
  ~StepTimer();
  StepTimer(const StepTimer&) = delete;
  StepTimer& operator=(const StepTimer&) = delete;

  // The first tick comes one interval after the start.
  void start();
  void stop();
  bool isActive() const { return active_; }
  int interval() const { return interval_; }
  // Milliseconds until the next step is due; 0 when it is due now.
  int msToNextStep() const;
  // Runs the step if it is due. The clock's timer calls this.
  void runDue();

 private:
  void arm();
  platform::Clock& clock_;
  int interval_;
  std::function<void()> step_;
  std::unique_ptr<platform::ClockTimer> wake_;
  bool active_ = false;
  bool running_ = false;
  quint32 nextTick_ = 0;
};

// The wait for one frame. It ends with the byte, when the time limit passes,
// or when stop() turns true; window events are handled while the line is
// idle, so the window never freezes, also with no board.
class SerialFrameWait {
 public:
  enum class Outcome { Value, TimedOut, Stopped };
  struct Result {
    Outcome outcome = Outcome::TimedOut;
    int value = 0;
  };

  SerialFrameWait(platform::BoardLink& link, platform::Clock& clock) : link_(link), clock_(clock) {}
  Result wait(int limitMs, const std::function<bool()>& stop = {});

 private:
  platform::BoardLink& link_;
  platform::Clock& clock_;
};

class RealTimeMeasurement {
 public:
  // How long a step waits for a frame before it gives up.
  static constexpr int kFrameLimitMs = 3000;

  RealTimeMeasurement(platform::BoardLink& link, platform::Clock& clock) : link_(link), clock_(clock) {}

  struct StepResult {
    SerialFrameWait::Outcome outcome = SerialFrameWait::Outcome::TimedOut;
    int value = 0;
    quint32 tick = 0;
  };
  // DDRB 0x1F, PORTB 0xFF, the frame; with a value: store it and write
  // 255 minus the threshold outputs to PORTB.
  StepResult step(int low, int high, const std::function<bool()>& stop = {});

  SampleBuffer& buffer() { return buffer_; }
  const SampleBuffer& buffer() const { return buffer_; }
  // The last value received; survives leaving the window.
  int receivedValue() const { return receivedValue_; }

 private:
  platform::BoardLink& link_;
  platform::Clock& clock_;
  SampleBuffer buffer_;
  int receivedValue_ = 0;
};

}  // namespace bremilo
