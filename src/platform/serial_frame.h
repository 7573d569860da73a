#pragma once
// The measuring board sends one byte over PINB, one bit per change of the
// port's levels: bit 5 marks the first bit, bit 6 carries the data, most
// significant bit first, eight changes per byte.

#include <optional>

namespace platform {

class FrameDecoder {
 public:
  // startLast: the level taken as "seen before" the first read.
  explicit FrameDecoder(int startLast = 0x7B) : last_(startLast) {}

  // Feeds one PINB byte; returns the byte once the eighth change arrives.
  std::optional<int> feed(int pinb);

  // With strictStart, changes before the first start mark are ignored, so a
  // frame always begins at a start mark.
  void setStrictStart(bool strict) { strictStart_ = strict; }
  int counter() const { return counter_; }
  int value() const { return value_; }

 private:
  int last_;
  int value_ = 0;
  int counter_ = 0;
  bool strictStart_ = false;
  bool started_ = false;
};

}  // namespace platform
