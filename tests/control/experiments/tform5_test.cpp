#include "control/experiments/pin_sign.h"
#include "control/experiments/tform5.h"
#include "support/test_context.h"

#include <QAccessible>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

using namespace pelmora;
using testsupport::FakeHost;
using testsupport::TestContext;

namespace {

const QStringList kDetected{"UsbInit(#)=0", "PortAddress(ddrb)", "PortAddress(portb)", "PortAddress(pinb)",
                            "PortAddress(pind)"};

struct Form5Fixture {
  TestContext t;
  FakeHost host{t};
  TForm5 w{host};

  bool shown(QWidget* c) { return c->isVisibleTo(&w); }
  // The input digits of the pins that are inputs, bit 7 first; "-" for outputs.
  QString inputs() {
    QString s;
    for (int k = 7; k >= 0; --k) s += shown(w.LBLb[static_cast<size_t>(k)]) ? w.LBLb[static_cast<size_t>(k)]->text() : "-";
    return s;
  }
  QString portD() { return w.LBLd6->text() + w.LBLd1->text() + w.LBLd0->text(); }
};

}  // namespace

TEST(TForm5, OpensWithEveryPinAnOutput) {
  Form5Fixture f;
  for (int k = 0; k < 8; ++k) {
    EXPECT_TRUE(f.shown(f.w.IMGb[static_cast<size_t>(k)]));
    EXPECT_TRUE(f.shown(f.w.bbt->panel(k)));
  }
  EXPECT_EQ(f.inputs(), "--------");
  EXPECT_EQ(f.w.LBLddrb->text(), "ddrB=255");
  EXPECT_EQ(f.w.LBLportb->text(), "portB=0");
  EXPECT_EQ(f.w.LBLpinb->text(), "pinB=255");
  EXPECT_EQ(f.w.IMGb[7]->accessibleName(), "B7 出力");
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(f.w.IMGinb[3]);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::Button);
}

TEST(TForm5, TickReadsBothInputsThenRewritesThePort) {
  Form5Fixture f;
  f.w.startLinkTimer();
  EXPECT_EQ(f.w.Timer2->interval(), 100);
  f.t.board.setPinb(0xA5);
  f.t.board.setPind(0xC3);
  f.w.Timer2Timer();
  EXPECT_EQ(f.t.board.log(), (kDetected + QStringList{"DDRB=255", "PINB?", "PIND?", "DDRB=255", "PORTB=255"}));
  EXPECT_EQ(f.w.LBLpinb->text(), "pinB=165");
  EXPECT_EQ(f.portD(), "１１１");
  EXPECT_EQ(f.w.LBLportb->text(), "portB=0");

  f.t.board.setPind(0x3C);
  f.w.Timer2Timer();
  EXPECT_EQ(f.portD(), "０００");
  f.t.board.setPind(0xBD);  // bit 7 is not shown; bits 6, 1 and 0 are 0, 0, 1
  f.w.Timer2Timer();
  EXPECT_EQ(f.portD(), "００１");

  // Without a board nothing is read or written and the labels keep their values.
  f.t.board.clearLog();
  f.t.board.unplug();
  f.t.board.setInitAnswer("#", -2);
  f.t.board.setPind(0);
  f.w.Timer2Timer();
  EXPECT_EQ(f.t.board.log(), QStringList{"UsbInit(#)=-2"});
  EXPECT_EQ(f.portD(), "００１");
  EXPECT_EQ(f.w.LBLpinb->text(), "pinB=165");
  EXPECT_TRUE(f.shown(f.w.IMGtyuui));
  EXPECT_TRUE(f.w.Timer2->isActive());

  f.w.Timer2->stop();
  f.w.IMGtyuuiClick();
  EXPECT_TRUE(f.w.Timer2->isActive());
  f.w.Timer2->stop();
  f.w.IMGokClick();
  EXPECT_TRUE(f.w.Timer2->isActive());
}

TEST(TForm5, DirectionClicksSetAndClearOneBit) {
  Form5Fixture f;
  f.w.Timer2Timer();
  f.t.board.clearLog();

  f.w.IMGb[7]->click();
  EXPECT_EQ(f.w.ddrb_value, 127);
  EXPECT_EQ(f.w.LBLddrb->text(), "ddrB=127");
  EXPECT_EQ(f.w.Label11->text(), "127");
  EXPECT_FALSE(f.shown(f.w.bbt->panel(7)));
  EXPECT_FALSE(f.shown(f.w.IMGb[7]));
  EXPECT_TRUE(f.shown(f.w.IMGinb[7]));
  EXPECT_EQ(f.inputs(), "１-------");
  EXPECT_EQ(f.t.board.writes(), QStringList{"DDRB=127"});

  f.w.IMGinb[7]->click();
  EXPECT_EQ(f.w.ddrb_value, 255);
  EXPECT_TRUE(f.shown(f.w.bbt->panel(7)));
  EXPECT_EQ(f.inputs(), "--------");
  EXPECT_EQ(f.t.board.writes(), (QStringList{"DDRB=127", "DDRB=255"}));

  // Repeated clicks on the same sign keep the byte within 0-255.
  f.w.IMGbClick(2);
  f.w.IMGbClick(2);
  EXPECT_EQ(f.w.ddrb_value, 251);
  f.w.IMGinbClick(2);
  f.w.IMGinbClick(2);
  EXPECT_EQ(f.w.ddrb_value, 255);

  for (int bit = 0; bit < 4; ++bit) f.w.IMGb[static_cast<size_t>(bit)]->click();
  EXPECT_EQ(f.w.LBLddrb->text(), "ddrB=240");
  f.t.board.setPinb(5);
  f.w.Timer2Timer();
  EXPECT_EQ(f.w.LBLpinb->text(), "pinB=5");
  EXPECT_EQ(f.inputs(), "----０１０１");
  EXPECT_EQ(f.t.board.ddrb(), 240);

  f.t.board.clearLog();
  f.w.Label8->click();
  EXPECT_EQ(f.w.ddrb_value, 255);
  EXPECT_EQ(f.inputs(), "--------");
  EXPECT_EQ(f.t.board.writes(), QStringList{"DDRB=255"});
}

TEST(TForm5, OutputsFollowThePanelsAndTheAllOnOffCaption) {
  Form5Fixture f;
  f.w.Timer2Timer();
  f.t.board.clearLog();
  f.w.bbt->panel(0)->click();
  f.w.bbt->panel(7)->click();
  EXPECT_EQ(f.w.LBLportb->text(), "portB=129");
  EXPECT_EQ(f.t.board.writes(), (QStringList{"DDRB=255", "PORTB=254", "DDRB=255", "PORTB=126"}));

  // A pin made an input keeps its panel's colour in the number.
  f.w.IMGb[7]->click();
  f.w.Timer2Timer();
  EXPECT_EQ(f.w.LBLportb->text(), "portB=129");
  EXPECT_EQ(f.t.board.ddrb(), 127);
  EXPECT_EQ(f.t.board.portb(), 126);

  f.w.Label8->click();
  f.w.bbt->panel(0)->click();
  f.w.bbt->panel(7)->click();  // n back to 0
  f.w.Label7->click();
  EXPECT_EQ(f.w.bbt->litValue(), 255);
  EXPECT_EQ(f.t.board.portb(), 0);
  f.w.Label7->click();
  EXPECT_EQ(f.w.bbt->litValue(), 0);
  EXPECT_EQ(f.t.board.portb(), 255);
}

TEST(TForm5, LeavingTurnsTheLedsOffKeepsTheDirectionAndStoresEntriesNineAndTen) {
  Form5Fixture f;
  f.w.startLinkTimer();
  f.w.showAtStoredPosition();
  f.w.move(90, 60);
  f.w.Timer2Timer();
  f.w.IMGb[1]->click();
  f.w.Label7->click();
  f.t.board.clearLog();

  f.w.PNLsyuuryou->click();
  EXPECT_EQ(f.t.board.log(), (QStringList{"DDRB=253", "PORTB=255", "UsbExit"}));
  EXPECT_FALSE(f.w.Timer2->isActive());
  EXPECT_EQ(f.host.positions[9], f.w.y());
  EXPECT_EQ(f.host.positions[10], f.w.x());
  EXPECT_EQ(f.w.ddrb_value, 253);
  EXPECT_EQ(f.host.menuShown, 1);

  f.w.showAtStoredPosition();
  f.t.board.clearLog();
  EXPECT_FALSE(f.w.close());
  EXPECT_EQ(f.t.board.log(), (QStringList{"DDRB=253", "PORTB=255", "UsbExit"}));
  EXPECT_FALSE(f.w.isVisible());
}
