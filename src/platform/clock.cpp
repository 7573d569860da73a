#include "platform/clock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <thread>

namespace platform {

RealClock::RealClock() : wake_(new QTimer) {
  elapsed_.start();
  wake_->setSingleShot(true);
  wake_->setTimerType(Qt::PreciseTimer);
}

RealClock::~RealClock() { delete wake_; }

quint32 RealClock::tickCount() { return static_cast<quint32>(elapsed_.elapsed()); }

void RealClock::sleep(int ms) {
  if (ms > 0) QThread::msleep(static_cast<unsigned long>(ms));
}

void RealClock::pumpFor(int ms) {
  // Ends when the tick counter has moved on by ms. Timers and the event
  // dispatcher round to whole milliseconds, so the blocking wait for events is
  // armed to end about a millisecond early and the rest is slept precisely:
  // a timed step ends within a millisecond of its tick, without spinning.
  constexpr qint64 kMs = 1000000;
  const qint64 now = elapsed_.nsecsElapsed();
  const qint64 target = (now / kMs + qMax(ms, 0)) * kMs;
  const qint64 early = target - now - kMs;
  if (early >= kMs) {
    wake_->start(static_cast<int>(early / kMs));
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return;
  }
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  const qint64 rest = target - elapsed_.nsecsElapsed();
  if (rest > 0) std::this_thread::sleep_for(std::chrono::nanoseconds(rest));
}

void RealClock::waitHoldingInput(int ms) {
  const qint64 deadline = elapsed_.elapsed() + qMax(ms, 0);
  for (qint64 left = deadline - elapsed_.elapsed(); left > 0; left = deadline - elapsed_.elapsed()) {
    wake_->start(static_cast<int>(left));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
  }
}

namespace {

class RealTimer : public ClockTimer {
 public:
  explicit RealTimer(std::function<void()> timeout) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, std::move(timeout));
  }
  void start(int ms) override { timer_.start(qMax(ms, 0)); }
  void stop() override { timer_.stop(); }

 private:
  QTimer timer_;
};

class VirtualTimer : public ClockTimer {
 public:
  VirtualTimer(VirtualClock& clock, std::function<void()> timeout)
      : clock_(clock), state_(std::make_shared<State>(State{0, std::move(timeout)})) {}
  void start(int ms) override {
    const quint64 run = ++state_->started;
    std::weak_ptr<State> weak = state_;
    clock_.at(clock_.tickCount() + static_cast<quint32>(qMax(ms, 0)), [weak, run] {
      // Held while it runs: the timeout may destroy its timer.
      const std::shared_ptr<State> state = weak.lock();
      if (state && state->started == run) state->timeout();
    });
  }
  void stop() override { ++state_->started; }

 private:
  struct State {
    quint64 started;  // a wait fires only while it is the latest start
    std::function<void()> timeout;
  };
  VirtualClock& clock_;
  std::shared_ptr<State> state_;
};

}  // namespace

std::unique_ptr<ClockTimer> RealClock::timer(std::function<void()> timeout) {
  return std::make_unique<RealTimer>(std::move(timeout));
}

std::unique_ptr<ClockTimer> VirtualClock::timer(std::function<void()> timeout) {
  return std::make_unique<VirtualTimer>(*this, std::move(timeout));
}

void VirtualClock::at(quint32 tick, std::function<void()> action) {
  const quint32 delta = tick - now_;
  actions_.emplace(std::make_pair(waited_ + delta, scheduled_++), std::move(action));
}

void VirtualClock::runDue() {
  // One batch, as the event loop handles them: what falls due while these run
  // (a timer started again by its own timeout) waits for the next pump.
  const quint64 due = waited_;
  const quint64 end = scheduled_;
  while (!actions_.empty() && actions_.begin()->first.first <= due && actions_.begin()->first.second < end) {
    auto action = std::move(actions_.begin()->second);
    actions_.erase(actions_.begin());
    action();
  }
}

void VirtualClock::advance(int ms) {
  if (ms < 0) ms = 0;
  quint64 target = waited_ + static_cast<quint64>(ms);
  while (!actions_.empty() && actions_.begin()->first.first <= target) {
    const quint64 next = actions_.begin()->first.first;
    if (next > waited_) {
      now_ += static_cast<quint32>(next - waited_);
      waited_ = next;
    }
    runDue();
  }
  // An action that waits itself may have taken the clock past target.
  if (target <= waited_) return;
  now_ += static_cast<quint32>(target - waited_);
  waited_ = target;
}

void VirtualClock::pumpFor(int ms) {
  if (ms < 0) ms = 0;
  quint64 target = waited_ + static_cast<quint64>(ms);
  if (!actions_.empty() && actions_.begin()->first.first < target)
    target = qMax(actions_.begin()->first.first, waited_);
  now_ += static_cast<quint32>(target - waited_);
  waited_ = target;
  runDue();
  QCoreApplication::processEvents();
}

bool DeadlineWait::Timeout_Wait(quint32 ms, const std::function<bool()>& cancelled) {
  const quint32 deadline = Timeout_Set(ms);
  for (;;) {
    if (Timeout_Chk(deadline)) return true;
    if (cancelled && cancelled()) return false;
    const qint32 left = static_cast<qint32>(deadline - clock_.tickCount());
    clock_.pumpFor(left + 1);
  }
}

}  // namespace platform
