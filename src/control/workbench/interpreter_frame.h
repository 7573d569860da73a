#pragma once
// Receiving one byte from the measuring board in the serial frame: DDRB set
// for reception, then PINB read as fast as the link answers until a frame is
// complete. The wait is bounded and can be called off, and window events are
// handled meanwhile, so a board that never sends cannot freeze the window.

#include "platform/board.h"
#include "platform/clock.h"

#include <functional>

namespace pelmora::workbench {

enum class FrameOutcome { Received, TimedOut, Cancelled, NoBoard };

struct FrameResult {
  FrameOutcome outcome = FrameOutcome::NoBoard;
  int value = 0;
};

inline constexpr int kFrameDirection = 0x1F;     // bits 0-4 out, 5-7 in
inline constexpr int kFrameStartLevel = 0x7B;    // the level taken as seen before the first read
inline constexpr int kFrameWaitMs = 10000;
inline constexpr int kFramePumpEveryMs = 15;

// The messages of a frame wait that ended without a byte.
inline const QString kFrameTimeoutMessage = QStringLiteral("測定ボードからデータが届きません！");

FrameResult zarimudat_read(platform::BoardLink& link, platform::DeadlineWait& wait,
                           const std::function<bool()>& cancelled, int limitMs = kFrameWaitMs);

}  // namespace pelmora::workbench
