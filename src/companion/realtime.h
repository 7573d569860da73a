#pragma once
// One measuring step over the board: outputs off, wait for one serial frame
// from the measuring board, keep the value, set the four threshold outputs.

#include "companion/measurement.h"
#include "platform/board.h"
#include "platform/clock.h"

#include <functional>

namespace bremilo {

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
