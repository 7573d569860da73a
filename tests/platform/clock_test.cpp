#include "platform/clock.h"

#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>
#include <ctime>

using namespace platform;

namespace {
// Milliseconds this thread has waited for a CPU. On a busy machine a real wait
// ends that much late through no fault of the clock; 0 where it is not counted.
qint64 queuedMs() {
  QFile f(QStringLiteral("/proc/thread-self/schedstat"));
  if (!f.open(QIODevice::ReadOnly)) return 0;
  return f.readAll().split(' ').value(1).toLongLong() / 1000000;
}
}  // namespace

TEST(DeadlineWait, SurvivesTickCounterWrap) {
  VirtualClock clock(0xFFFFFF00u);
  DeadlineWait wait(clock);
  const quint32 deadline = wait.Timeout_Set(300);
  EXPECT_LT(deadline, 0x100u);  // wrapped
  EXPECT_FALSE(wait.Timeout_Chk(deadline));
  clock.advance(300);
  EXPECT_FALSE(wait.Timeout_Chk(deadline));
  clock.advance(1);
  EXPECT_TRUE(wait.Timeout_Chk(deadline));

  EXPECT_TRUE(wait.Timeout_Wait(300));
  EXPECT_GE(clock.waited(), 601u);
  EXPECT_LE(clock.waited(), 603u);
}

TEST(DeadlineWait, StopsEarlyWhenCancelledDuringTheWait) {
  VirtualClock clock;
  DeadlineWait wait(clock);
  bool stop = false;
  clock.at(1000, [&] { stop = true; });
  EXPECT_FALSE(wait.Timeout_Wait(60000, [&] { return stop; }));
  EXPECT_LT(clock.waited(), 1100u);
}

TEST(DeadlineWait, RealWaitHandlesEventsWithoutSpinning) {
  RealClock clock;
  DeadlineWait wait(clock);
  bool fired = false;
  QTimer::singleShot(10, [&] { fired = true; });
  const std::clock_t cpu0 = std::clock();
  const qint64 queued0 = queuedMs();
  const quint32 t0 = clock.tickCount();
  EXPECT_TRUE(wait.Timeout_Wait(100));
  const quint32 elapsed = clock.tickCount() - t0;
  const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC;
  EXPECT_TRUE(fired);
  EXPECT_GE(elapsed, 100u);
  EXPECT_LT(elapsed - (queuedMs() - queued0), 150);
  EXPECT_LT(cpuMs, 30.0);
}

TEST(Clock, WaitHoldingInputLetsTimersRunAndTakesItsTime) {
  RealClock clock;
  bool fired = false;
  QTimer::singleShot(10, [&] { fired = true; });
  const std::clock_t cpu0 = std::clock();
  const qint64 queued0 = queuedMs();
  const quint32 t0 = clock.tickCount();
  clock.waitHoldingInput(60);
  const quint32 elapsed = clock.tickCount() - t0;
  EXPECT_TRUE(fired);
  EXPECT_GE(elapsed, 60u);
  EXPECT_LT(elapsed - (queuedMs() - queued0), 120);
  EXPECT_LT(1000.0 * static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC, 30.0);

  VirtualClock virtualClock;
  virtualClock.waitHoldingInput(2000);
  EXPECT_EQ(virtualClock.waited(), 2000u);
}

TEST(VirtualClock, AnActionThatWaitsNeverTurnsTimeBack) {
  VirtualClock clock;
  clock.at(100, [&] { clock.sleep(500); });
  clock.advance(200);
  EXPECT_EQ(clock.tickCount(), 600u);
  EXPECT_EQ(clock.waited(), 600u);
}

TEST(VirtualClock, TimerFiresOnceForItsLastStartAndNotOnceDestroyed) {
  VirtualClock clock;
  int fired = 0;
  auto timer = clock.timer([&] { ++fired; });
  timer->start(100);
  timer->start(300);
  clock.advance(299);
  EXPECT_EQ(fired, 0);
  clock.advance(1);
  EXPECT_EQ(fired, 1);
  timer->start(100);
  timer.reset();
  clock.advance(200);
  EXPECT_EQ(fired, 1);

  // Started again with 0 ms by its own timeout, it fires in the next pump, not
  // in the same one (the cap keeps a fault from hanging the test).
  int again = 0;
  std::unique_ptr<ClockTimer> restarting;
  restarting = clock.timer([&] {
    if (++again < 1000) restarting->start(0);
  });
  restarting->start(0);
  clock.pumpFor(10);
  EXPECT_EQ(again, 1);
}
