#include "platform/serial_frame.h"

namespace platform {

std::optional<int> FrameDecoder::feed(int pinb) {
  pinb &= 0xFF;
  if (pinb == last_) return std::nullopt;
  last_ = pinb;
  if (pinb & 0x20) {
    counter_ = 1;
    started_ = true;
    value_ = (pinb & 0x40) ? 128 : 0;
    return std::nullopt;
  }
  if (strictStart_ && !started_) return std::nullopt;
  if ((pinb & 0x40) && counter_ >= 1 && counter_ <= 7) value_ += 1 << (7 - counter_);
  ++counter_;
  if (counter_ == 8) {
    const int byte = value_;
    counter_ = 0;
    value_ = 0;
    started_ = false;
    return byte;
  }
  return std::nullopt;
}

}  // namespace platform
