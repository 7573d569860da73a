#include "control/experiments/tform2.h"
#include "platform/board_library.h"
#include "platform/colors.h"
#include "support/standin_board.h"
#include "support/test_context.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

using namespace pelmora;
using platform::ScriptedPrompts;
using testsupport::FakeHost;
using testsupport::TestContext;

namespace {

const QStringList kDetected{"UsbInit(#)=0", "PortAddress(ddrb)", "PortAddress(portb)", "PortAddress(pinb)",
                            "PortAddress(pind)"};

struct Form2Fixture {
  TestContext t;
  FakeHost host{t};
  TForm2 w{host};
  bool shown(QWidget* c) { return c->isVisibleTo(&w); }
};

}  // namespace

TEST(TForm2, TickDetectsTheBoardAndRewritesThePort) {
  Form2Fixture f;
  f.w.startLinkTimer();
  EXPECT_TRUE(f.w.Timer2->isActive());
  EXPECT_EQ(f.w.Timer2->interval(), 100);

  f.w.Timer2Timer();
  EXPECT_EQ(f.t.board.log(), (kDetected + QStringList{"DDRB=255", "PORTB=255"}));
  EXPECT_EQ(f.w.Label4->text(), "HIDaspx-Pが接続されています!");
  EXPECT_TRUE(f.shown(f.w.IMGok));
  EXPECT_FALSE(f.shown(f.w.IMGtyuui));
  EXPECT_EQ(f.w.Edit1->text(), "0");
  EXPECT_TRUE(f.w.Timer2->isActive());

  // Unplugged: "#" answering -2 ends detection without "*"; the port is still
  // written, through the old handles.
  f.t.board.clearLog();
  f.t.board.unplug();
  f.t.board.setInitAnswer("#", -2);
  f.t.board.setInitAnswer("*", 0);
  f.w.Timer2Timer();
  EXPECT_EQ(f.t.board.log(), (QStringList{"UsbInit(#)=-2", "DDRB=255", "PORTB=255"}));
  EXPECT_EQ(f.w.Label4->text(), "HIDaspxの接続を確認して下さい！");
  EXPECT_FALSE(f.shown(f.w.IMGok));
  EXPECT_TRUE(f.shown(f.w.IMGtyuui));
  EXPECT_EQ(f.w.Edit1->text(), "-2");
  EXPECT_EQ(f.t.board.calls()[1].handle, platform::SimulatedBoard::kDdrb);
  EXPECT_TRUE(f.w.Timer2->isActive());
}

TEST(TForm2, TickWithoutAnyBoardWritesThroughZeroHandlesAndFindsTheSecondSelector) {
  Form2Fixture f;
  f.t.board.unplug();
  f.w.Timer2Timer();
  EXPECT_EQ(f.t.board.log(), (QStringList{"UsbInit(#)=-1", "UsbInit(*)=-1", "handle0=255", "handle0=255"}));
  EXPECT_EQ(f.w.Edit1->text(), "-1");

  f.t.board.clearLog();
  f.t.board.setInitAnswer("*", 0);
  f.w.Timer2Timer();
  EXPECT_EQ(f.t.board.log().mid(0, 3), (QStringList{"UsbInit(#)=-1", "UsbInit(*)=0", "PortAddress(ddrb)"}));
  EXPECT_EQ(f.w.Label4->text(), "HIDaspxが接続されています!");
}

TEST(TForm2, StartTakesOnlyANumberInRangeAndStopsPolling) {
  Form2Fixture f;
  f.w.Timer2Timer();

  f.t.board.clearLog();
  f.w.Edit2->setText("255");
  EXPECT_FALSE(f.w.Timer2->isActive());  // typing stops polling
  f.w.PNLstart->click();
  EXPECT_EQ(f.t.board.writes(), (QStringList{"DDRB=255", "PORTB=0"}));
  EXPECT_EQ(f.w.bbt->litValue(), 255);
  EXPECT_EQ(f.w.portb_value, 255);
  EXPECT_EQ(f.w.Edit2->text(), "255");
  EXPECT_FALSE(f.w.Timer2->isActive());

  // Too big: one Yes box, nothing written or redrawn, the number stays.
  f.t.board.clearLog();
  f.w.Edit2->setText("256");
  f.w.Timer2->start();
  f.w.PNLstart->click();
  ASSERT_EQ(f.t.prompts.shown().size(), 1);
  EXPECT_EQ(f.t.prompts.shown()[0].kind, ScriptedPrompts::Kind::Yes);
  EXPECT_EQ(f.t.prompts.shown()[0].text, "数値が大きすぎます！");
  EXPECT_TRUE(f.t.board.log().isEmpty());
  EXPECT_EQ(f.w.portb_value, 255);
  EXPECT_FALSE(f.w.Timer2->isActive());

  // Negative: nothing visible, polling stops.
  f.t.prompts.clear();
  f.w.Edit2->setText("-1");
  f.w.Timer2->start();
  f.w.PNLstart->click();
  EXPECT_TRUE(f.t.prompts.texts().isEmpty());
  EXPECT_TRUE(f.t.board.log().isEmpty());
  EXPECT_EQ(f.w.portb_value, 255);
  EXPECT_EQ(f.w.bbt->litValue(), 255);
  EXPECT_FALSE(f.w.Timer2->isActive());

  // Not a number: one message, and nothing changes, the timer included.
  f.w.Edit2->setText("abc");
  f.w.Timer2->start();
  f.w.PNLstart->click();
  EXPECT_EQ(f.t.prompts.texts(), QStringList{"「abc」は数値ではありません！"});
  EXPECT_TRUE(f.t.board.log().isEmpty());
  EXPECT_EQ(f.w.portb_value, 255);
  EXPECT_TRUE(f.w.Timer2->isActive());
}

TEST(TForm2, PanelsAndAllOnOffWriteTheComplement) {
  Form2Fixture f;
  f.w.Timer2Timer();
  f.w.Edit2->setText("x");  // stops polling; a panel click starts it again
  f.t.board.clearLog();

  f.w.bbt->panel(0)->click();
  EXPECT_EQ(f.t.board.writes(), (QStringList{"DDRB=255", "PORTB=254", "DDRB=255", "PORTB=254"}));
  EXPECT_TRUE(f.w.Timer2->isActive());
  f.w.bbt->panel(7)->click();
  EXPECT_EQ(f.w.portb_value, 129);
  EXPECT_EQ(f.t.board.portb(), 126);
  EXPECT_EQ(f.w.Edit2->text(), "129");
  EXPECT_EQ(f.w.bbt->panel(7)->colour(), platform::clRed);
  EXPECT_EQ(f.w.bbt->panel(6)->colour(), platform::clBlue);

  f.w.bbt->panel(7)->click();  // a lit panel goes dark
  EXPECT_EQ(f.w.portb_value, 1);
  EXPECT_EQ(f.t.board.portb(), 254);

  f.w.PNLzententou->click();
  EXPECT_EQ(f.t.board.portb(), 0);
  EXPECT_EQ(f.w.bbt->litValue(), 255);
  f.w.PNLzensyoutou->click();
  EXPECT_EQ(f.t.board.portb(), 255);
  EXPECT_EQ(f.w.bbt->litValue(), 0);
  EXPECT_EQ(f.w.Edit2->text(), "0");
}

TEST(TForm2, LeavingTurnsTheLedsOffClosesTheLinkAndStoresThePlace) {
  Form2Fixture f;
  f.w.startLinkTimer();
  f.w.showAtStoredPosition();
  f.w.move(40, 30);
  f.w.Timer2Timer();
  f.w.PNLzententou->click();
  f.t.board.clearLog();

  f.w.PNLsyuuryou->click();
  EXPECT_EQ(f.t.board.log(), (QStringList{"DDRB=255", "PORTB=255", "UsbExit"}));
  EXPECT_FALSE(f.w.Timer2->isActive());
  EXPECT_EQ(f.host.positions[3], f.w.y());
  EXPECT_EQ(f.host.positions[4], f.w.x());
  EXPECT_EQ(f.host.menuShown, 1);
  EXPECT_FALSE(f.w.isVisible());

  // Reopened: dark after the first tick.
  f.w.startLinkTimer();
  f.w.showAtStoredPosition();
  f.w.Timer2Timer();
  EXPECT_EQ(f.w.bbt->litValue(), 0);
  EXPECT_EQ(f.t.board.portb(), 255);
  EXPECT_EQ(f.w.Edit2->text(), "0");
}

TEST(TForm2, AWindowManagerCloseRunsTheLeavePanel) {
  Form2Fixture f;
  f.w.showAtStoredPosition();
  f.w.Timer2Timer();
  f.w.PNLzententou->click();
  f.t.board.clearLog();

  EXPECT_FALSE(f.w.close());
  EXPECT_EQ(f.t.board.log(), (QStringList{"DDRB=255", "PORTB=255", "UsbExit"}));
  EXPECT_FALSE(f.w.Timer2->isActive());
  EXPECT_FALSE(f.w.isVisible());
  EXPECT_EQ(f.host.menuShown, 1);
}

TEST(TForm2, DrivesTheSchoolsBoardLibraryFromTheProgramFolder) {
  TestContext t;
  ASSERT_TRUE(testsupport::placeStandInBoard(testsupport::builtStandInBoard(), t.ctx.appDir));
  std::unique_ptr<platform::Board> board =
      platform::openBoard(platform::boardLibraryPlaces(t.ctx.appDir), QStringLiteral("pelmora"), stderr);
  auto* library = dynamic_cast<platform::LibraryBoard*>(board.get());
  ASSERT_NE(library, nullptr);
  testsupport::StandInBoard standIn(library->path());
  standIn.setInit("*", 7);
  platform::AppContext ctx{t.ctx.appDir, *board, t.prompts, t.processes, t.clock};
  struct Host : FakeHost {
    Host(TestContext& t, const platform::AppContext& c) : FakeHost(t), ctx(c) {}
    const platform::AppContext& context() const override { return ctx; }
    const platform::AppContext& ctx;
  } host(t, ctx);
  TForm2 w(host);

  w.Timer2Timer();
  EXPECT_EQ(w.Label4->text(), "HIDaspxが接続されています!");
  EXPECT_EQ(w.Edit1->text(), "7");
  w.PNLzententou->click();
  w.PNLsyuuryou->click();
  EXPECT_EQ(standIn.calls(),
            (QStringList{"UsbInit(#)=-1", "UsbInit(*)=7", "PortAddress(ddrb)=101", "PortAddress(portb)=102",
                         "PortAddress(pinb)=103", "PortAddress(pind)=104", "UsbPoke(101,0,255,0)",
                         "UsbPoke(102,0,255,0)", "UsbPoke(101,0,255,0)", "UsbPoke(102,0,0,0)",
                         "UsbPoke(101,0,255,0)", "UsbPoke(102,0,255,0)", "UsbExit()"}));
}
