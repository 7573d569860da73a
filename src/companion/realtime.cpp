#include "companion/realtime.h"

#include "platform/serial_frame.h"

namespace bremilo {

SerialFrameWait::Result SerialFrameWait::wait(int limitMs, const std::function<bool()>& stop) {
  // A fresh decoder per frame: every frame starts from 0 at its start mark.
  platform::FrameDecoder decoder(0x7B);
  decoder.setStrictStart(true);
  platform::DeadlineWait deadlineWait(clock_);
  const quint32 deadline = deadlineWait.Timeout_Set(static_cast<quint32>(limitMs));
  int previous = 0x7B;
  int reads = 0;
  for (;;) {
    if (stop && stop()) return {Outcome::Stopped, 0};
    if (deadlineWait.Timeout_Chk(deadline)) return {Outcome::TimedOut, 0};
    const int level = link_.readPinb();
    if (const auto byte = decoder.feed(level)) return {Outcome::Value, *byte};
    // A quiet line or a long run of reads: let the window breathe.
    if (level == previous || ++reads % 64 == 0) clock_.pumpFor(1);
    previous = level;
  }
}

RealTimeMeasurement::StepResult RealTimeMeasurement::step(int low, int high, const std::function<bool()>& stop) {
  link_.poke(link_.ddrb_adr, 0x1F);
  link_.poke(link_.portb_adr, 0xFF);
  SerialFrameWait frameWait(link_, clock_);
  const auto r = frameWait.wait(kFrameLimitMs, stop);
  StepResult out{r.outcome, r.value, clock_.tickCount()};
  if (r.outcome != SerialFrameWait::Outcome::Value) return out;
  receivedValue_ = r.value;
  buffer_.store(r.value, out.tick);
  link_.poke(link_.portb_adr, thresholdPortLevel(r.value, low, high));
  return out;
}

}  // namespace bremilo
