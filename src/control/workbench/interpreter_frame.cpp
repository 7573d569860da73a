#include "control/workbench/interpreter_frame.h"

#include "platform/serial_frame.h"

namespace pelmora::workbench {

FrameResult zarimudat_read(platform::BoardLink& link, platform::DeadlineWait& wait,
                           const std::function<bool()>& cancelled, int limitMs) {
  if (!link.connected()) return {FrameOutcome::NoBoard, 0};
  link.poke(link.ddrb_adr, kFrameDirection);
  platform::FrameDecoder decoder(kFrameStartLevel);
  platform::Clock& clock = wait.clock();
  const quint32 deadline = wait.Timeout_Set(static_cast<quint32>(limitMs));
  quint32 lastPump = clock.tickCount();
  for (;;) {
    if (auto byte = decoder.feed(link.readPinb())) return {FrameOutcome::Received, *byte};
    // Reads go on without pause; events are let through every few ms so
    // STOP and repainting keep working while the board is silent.
    if (static_cast<qint32>(clock.tickCount() - lastPump) >= kFramePumpEveryMs) {
      clock.pumpFor(0);
      lastPump = clock.tickCount();
    }
    if (cancelled && cancelled()) return {FrameOutcome::Cancelled, 0};
    if (wait.Timeout_Chk(deadline)) return {FrameOutcome::TimedOut, 0};
  }
}

}  // namespace pelmora::workbench
