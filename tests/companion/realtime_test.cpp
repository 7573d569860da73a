#include "companion/bremilo_app.h"
#include "companion/realtime.h"

#include <gtest/gtest.h>

using namespace bremilo;
using Outcome = SerialFrameWait::Outcome;

namespace {

struct Rig {
  Rig() { link.detect(); board.clearLog(); }
  platform::SimulatedBoard board{platform::SimulatedBoard::kWholeLog};
  platform::BoardLink link{board};
  platform::VirtualClock clock{1000};
};

}  // namespace

TEST(SerialFrameWait, DecodesFramesAndIgnoresLevelsBeforeTheStartMark) {
  Rig r;
  SerialFrameWait wait(r.link, r.clock);
  // Start with bit 6 set, then 0,1,0,1,0,1,0: 128 + 32 + 8 + 2.
  r.board.queuePinb({0x60, 0x00, 0x40, 0x00, 0x40, 0x00, 0x40, 0x00});
  EXPECT_EQ(wait.wait(3000).value, 170);

  // Changes before any start mark add nothing and do not count.
  r.board.queuePinb({0x40, 0x00, 0x40, 0x01, 0x41});
  r.board.queueFrame(5);
  auto res = wait.wait(3000);
  EXPECT_EQ(res.outcome, Outcome::Value);
  EXPECT_EQ(res.value, 5);

  // A second start mark in the middle restarts the frame.
  r.board.queuePinb({0x60, 0x40, 0x00});
  r.board.queueFrame(200);
  EXPECT_EQ(wait.wait(3000).value, 200);

  // A first read equal to 0x7B is no change; the same level twice is one change.
  r.board.queuePinb({0x7B, 0x7B, 0x20, 0x20, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x46});
  EXPECT_EQ(wait.wait(3000).value, 1);
}

TEST(SerialFrameWait, EndsAtItsTimeLimitOrWhenStopped) {
  // No board: every read gives the idle byte, the line never changes.
  platform::SimulatedBoard board;
  board.unplug();
  platform::BoardLink link(board);
  link.detect();
  platform::VirtualClock clock;
  SerialFrameWait wait(link, clock);
  auto res = wait.wait(3000);
  EXPECT_EQ(res.outcome, Outcome::TimedOut);
  EXPECT_GE(clock.waited(), 3000u);
  EXPECT_LE(clock.waited(), 3010u);

  int asked = 0;
  res = wait.wait(3000, [&] { return ++asked > 5; });
  EXPECT_EQ(res.outcome, Outcome::Stopped);
  EXPECT_LT(clock.waited(), 3100u);

  // A line that keeps changing without ever a start mark still ends in time.
  Rig r;
  SerialFrameWait noisy(r.link, r.clock);
  QList<int> noise;
  for (int i = 0; i < 100000; ++i) noise << (i & 0x0F);
  r.board.queuePinb(noise);
  EXPECT_EQ(noisy.wait(500).outcome, Outcome::TimedOut);
}

TEST(RealTimeMeasurement, StepWritesOutputsOffThenThresholdLevels) {
  Rig r;
  RealTimeMeasurement m(r.link, r.clock);
  const QList<int> values{30, 31, 61, 45};
  const QList<int> levels{250, 249, 245, 249};
  for (int i = 0; i < values.size(); ++i) {
    r.board.clearLog();
    r.board.queueFrame(values[i]);
    const auto res = m.step(30, 60);
    ASSERT_EQ(res.outcome, Outcome::Value);
    EXPECT_EQ(res.value, values[i]);
    EXPECT_EQ(r.board.writes(), (QStringList{"DDRB=31", "PORTB=255", QStringLiteral("PORTB=%1").arg(levels[i])}));
  }
  EXPECT_EQ(m.buffer().count(), 4);
  EXPECT_EQ(m.buffer().y(3), 61);
  EXPECT_EQ(m.receivedValue(), 45);
  EXPECT_EQ(r.board.portb(), 249);
}

TEST(RealTimeMeasurement, NoFrameStoresNothingAndLeavesOutputsOff) {
  Rig r;
  RealTimeMeasurement m(r.link, r.clock);
  r.board.queueFrame(40);
  m.step(30, 60);
  r.board.clearLog();
  r.board.setPinb(0x10);
  const auto res = m.step(30, 60);
  EXPECT_EQ(res.outcome, Outcome::TimedOut);
  EXPECT_EQ(m.buffer().count(), 1);
  EXPECT_EQ(m.receivedValue(), 40);
  EXPECT_EQ(r.board.writes(), (QStringList{"DDRB=31", "PORTB=255"}));
}

TEST(RealTimeMeasurement, SimulatedMeasuringBoardSendsASlowlyChangingValue) {
  Rig r;
  qint64 ms = 0;
  r.board.setFrameSource([&] { return simulatedMeasurement(ms); });
  RealTimeMeasurement m(r.link, r.clock);
  int previous = simulatedMeasurement(0);
  for (int i = 0; i < 60; ++i) {
    ms = i * 1500;
    const auto res = m.step(30, 60);
    ASSERT_EQ(res.outcome, Outcome::Value);
    EXPECT_EQ(res.value, simulatedMeasurement(ms));
    EXPECT_GE(res.value, 10);
    EXPECT_LE(res.value, 30);
    EXPECT_LE(std::abs(res.value - previous), 2);
    previous = res.value;
  }
  EXPECT_EQ(m.buffer().count(), 49);
}

TEST(StepTimer, AnIntervalOfZeroStepsEveryMillisecond) {
  platform::VirtualClock clock;
  int steps = 0;
  StepTimer timer(clock, 0, [&] { ++steps; });
  ASSERT_EQ(timer.interval(), 1);
  timer.start();
  // The steps come by the clock, not by real time.
  clock.advance(1);
  EXPECT_EQ(steps, 1);
  EXPECT_EQ(timer.msToNextStep(), 1);
}
