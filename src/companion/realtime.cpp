#include "companion/realtime.h"

#include "platform/serial_frame.h"

namespace bremilo {

StepTimer::StepTimer(platform::Clock& clock, int intervalMs, std::function<void()> step)
    : clock_(clock), interval_(qMax(1, intervalMs)), step_(std::move(step)), wake_(clock.timer([this] { runDue(); })) {}

StepTimer::~StepTimer() = default;

void StepTimer::start() {
  active_ = true;
  nextTick_ = clock_.tickCount() + static_cast<quint32>(interval_);
  arm();
}

void StepTimer::stop() {
  active_ = false;
  wake_->stop();
}

int StepTimer::msToNextStep() const {
  const qint32 left = static_cast<qint32>(nextTick_ - clock_.tickCount());
  return left > 0 ? left : 0;
}

void StepTimer::arm() {
  if (active_ && !running_) wake_->start(msToNextStep());
}

void StepTimer::runDue() {
  if (!active_ || running_) return;
  if (msToNextStep() > 0) {
    arm();
    return;
  }
  running_ = true;
  // Ticks that passed together make one step; the grid of ticks stays.
  const quint32 now = clock_.tickCount();
  while (static_cast<qint32>(nextTick_ - now) <= 0) nextTick_ += static_cast<quint32>(interval_);
  step_();
  running_ = false;
  // A tick that came during the step is kept: the next step then starts as
  // soon as the window has handled its events, so no frame is missed for it.
  arm();
}

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
