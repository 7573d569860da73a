#include "platform/board.h"
#include "platform/serial_frame.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(BoardLink, DetectsInTheFixedOrder) {
  SimulatedBoard board;
  BoardLink link(board);
  EXPECT_EQ(link.detect(), 0);
  EXPECT_EQ(board.log(), (QStringList{"UsbInit(#)=0", "PortAddress(ddrb)", "PortAddress(portb)", "PortAddress(pinb)",
                                      "PortAddress(pind)"}));
  EXPECT_EQ(link.statusText(), QStringLiteral("HIDaspx-Pが接続されています!"));

  board.clearLog();
  board.unplug();
  board.setInitAnswer("*", 3);
  EXPECT_EQ(link.detect(), 3);
  EXPECT_EQ(board.log().mid(0, 2), (QStringList{"UsbInit(#)=-1", "UsbInit(*)=3"}));
  EXPECT_EQ(link.statusText(), QStringLiteral("HIDaspxが接続されています!"));

  // Any other negative answer to "#" ends detection: no board.
  board.clearLog();
  board.unplug();
  board.setInitAnswer("#", -2);
  board.setInitAnswer("*", 0);
  EXPECT_EQ(link.detect(), -2);
  EXPECT_EQ(board.log(), (QStringList{"UsbInit(#)=-2"}));
  EXPECT_FALSE(link.connected());
  EXPECT_EQ(link.statusText(), kLinkCaution);
  // Old handles stay; writes through them do no harm.
  link.writePortB(255, 126);
  EXPECT_EQ(board.writes(), (QStringList{"DDRB=255", "PORTB=126"}));
}

TEST(BoardLink, ReadsInputsAndIdlesWithoutABoard) {
  SimulatedBoard board;
  BoardLink link(board);
  EXPECT_EQ(link.readPinb(), SimulatedBoard::kIdleByte);  // handle 0, link closed
  link.detect();
  board.setPind(0xC3);
  board.queuePinb({1, 2});
  EXPECT_EQ(link.readPind(), 0xC3);
  EXPECT_EQ(link.readPinb(), 1);
  EXPECT_EQ(link.readPinb(), 2);
  EXPECT_EQ(link.readPinb(), 2);
  link.exit();
  EXPECT_EQ(link.readPind(), SimulatedBoard::kIdleByte);
}

// A board left running all day keeps only its newest calls, in order.
TEST(SimulatedBoard, LogStaysBoundedOverADayOfCalls) {
  SimulatedBoard board;
  for (int i = 0; i < 100000; ++i) board.UsbPoke(SimulatedBoard::kPortb, 0, i, 0);
  EXPECT_LE(board.calls().size(), 1000);
  EXPECT_EQ(board.log().last(2), (QStringList{"PORTB=158", "PORTB=159"}));
}

TEST(SerialFrame, DecodesMostSignificantBitFirst) {
  FrameDecoder d;
  // Start with bit 6 set, then 0,1,0,1,0,1,0.
  const int levels[] = {0x60, 0x00, 0x40, 0x00, 0x40, 0x00, 0x40};
  for (int v : levels) EXPECT_FALSE(d.feed(v));
  EXPECT_EQ(d.feed(0x00 | 0x01), std::optional<int>(170));
  // A first read equal to the start level is no change.
  FrameDecoder e;
  EXPECT_FALSE(e.feed(0x7B));
  EXPECT_EQ(e.counter(), 0);
}

TEST(SerialFrame, RestartsAtASecondStartMarkAndSimulatedBoardPlaysFrames) {
  FrameDecoder d;
  d.feed(0x60);
  d.feed(0x40);
  d.feed(0x20);  // restart, value 0
  EXPECT_EQ(d.counter(), 1);
  EXPECT_EQ(d.value(), 0);

  SimulatedBoard board;
  BoardLink link(board);
  link.detect();
  board.queueFrame(0xA5);
  board.queueFrame(0x3C);
  FrameDecoder f;
  QList<int> got;
  for (int i = 0; i < 16; ++i) {
    if (auto b = f.feed(link.readPinb())) got << *b;
  }
  EXPECT_EQ(got, (QList<int>{0xA5, 0x3C}));

  // Strict start ignores changes before the first start mark.
  FrameDecoder strict(0);
  strict.setStrictStart(true);
  for (int v : {0x40, 0x00, 0x40, 0x00}) EXPECT_FALSE(strict.feed(v));
  EXPECT_EQ(strict.counter(), 0);
}
