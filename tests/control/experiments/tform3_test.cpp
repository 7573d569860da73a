#include "control/experiments/tform3.h"
#include "control/widgets/tplbutton.h"
#include "platform/colors.h"
#include "support/test_context.h"

#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <climits>

using namespace pelmora;
using testsupport::FakeHost;
using testsupport::TestContext;

namespace {

struct Form3Fixture {
  Form3Fixture() {
    // Every PORTB write with the tick at which it happened.
    t.board.onChange = [this] {
      const auto& last = t.board.calls().last();
      if (last.op == QStringLiteral("UsbPoke") && last.handle == platform::SimulatedBoard::kPortb) {
        portWrites << last.value;
        ticks << t.clock.tickCount();
        if (onPortWrite) onPortWrite(static_cast<int>(portWrites.size()));
      }
    };
    w.Timer2Timer();
    t.board.clearLog();
  }
  // A Do-Loop that a broken STOP would never end stops after ten minutes.
  void guardAgainstEndlessRun() {
    t.clock.at(t.clock.tickCount() + 600000, [this] { w.pnlstopClick(); });
  }
  QStringList lines() const {
    QStringList out;
    for (int i = 0; i < w.LSTpro->count(); ++i) out << w.LSTpro->item(i)->text();
    return out;
  }
  // Milliseconds between consecutive PORTB writes.
  QList<quint32> gaps() const {
    QList<quint32> out;
    for (qsizetype i = 1; i < ticks.size(); ++i) out << ticks[i] - ticks[i - 1];
    return out;
  }
  bool idle() const {
    return !w.running() && w.Panel2->isEnabled() && w.PNLsyuuryou->isEnabled() && !w.PNLstop->isVisibleTo(&w);
  }

  TestContext t;
  FakeHost host{t};
  TForm3 w{host};
  QList<int> portWrites;
  QList<quint32> ticks;
  std::function<void(int)> onPortWrite;
};

}  // namespace

TEST(TForm3, OnceProgramStepsThroughTheBitsAndEndsDark) {
  Form3Fixture f;
  // Start just before the tick counter wraps: every step still waits its time.
  f.t.clock.advance(INT_MAX);
  f.t.clock.advance(INT_MAX);
  ASSERT_GT(f.t.clock.tickCount(), 0xFFFFFF00u);

  bool lockedDuringRun = true;
  f.onPortWrite = [&](int) {
    lockedDuringRun = lockedDuringRun && f.w.running() && !f.w.Panel2->isEnabled() && !f.w.PNLsyuuryou->isEnabled();
  };
  f.w.PNLpro(TForm3::Once, 4)->click();
  f.onPortWrite = nullptr;

  EXPECT_EQ(f.portWrites, (QList<int>{254, 253, 251, 247, 239, 223, 191, 127, 255}));
  EXPECT_EQ(f.lines(), (QStringList{"portB 1,300", "portB 2,300", "portB 4,300", "portB 8,300", "portB 16,300",
                                    "portB 32,300", "portB 64,300", "portB 128,300"}));
  // Eight waits of 300 ms: each step is held at least 300 and at most 302 ms.
  const QList<quint32> gaps = f.gaps();
  ASSERT_EQ(gaps.size(), 8);
  for (quint32 g : gaps) {
    EXPECT_GE(g, 300u);
    EXPECT_LE(g, 302u);
  }
  EXPECT_TRUE(lockedDuringRun);
  EXPECT_TRUE(f.idle());
  EXPECT_EQ(f.w.bbt->litValue(), 0);
  EXPECT_EQ(f.w.LBLportb->text(), "portB=0,300");
  // DDRB goes before every PORTB write.
  const QStringList writes = f.t.board.writes();
  for (qsizetype i = 0; i < writes.size(); i += 2) EXPECT_EQ(writes[i], "DDRB=255");
}

TEST(TForm3, StopEndsDoLoopAfterTheCurrentPassAndNothingElseGetsInMeanwhile) {
  Form3Fixture f;
  f.w.show();
  f.w.startLinkTimer();
  bool stopShown = false, timerOff = false, closedOrLeft = false, secondProgram = false;
  // 100 ms into the first step of the pass: try everything a pupil could.
  f.t.clock.at(f.t.clock.tickCount() + 100, [&] {
    stopShown = f.w.PNLstop->isVisible();
    timerOff = !f.w.Timer2->isActive();
    f.w.PNLstop->click();
    f.w.PNLpro(TForm3::Once, 1)->click();
    f.w.PNLproClick(TForm3::Once, 2);
    secondProgram = f.w.LSTpro->count() != 1 || f.portWrites.size() != 1;
    f.w.PNLsyuuryou->click();
    f.w.pnlsyuuryouClick();
    f.w.close();
    closedOrLeft = !f.w.isVisible() || f.host.menuShown != 0;
  });
  f.guardAgainstEndlessRun();
  f.w.PNLpro(TForm3::DoLoop, 5)->click();

  EXPECT_TRUE(stopShown);
  EXPECT_TRUE(timerOff);
  EXPECT_FALSE(secondProgram);
  EXPECT_FALSE(closedOrLeft);
  // The whole pass B7 ... B0, then all off.
  EXPECT_EQ(f.portWrites, (QList<int>{127, 191, 223, 239, 247, 251, 253, 254, 255}));
  EXPECT_EQ(f.lines().size(), 8);
  EXPECT_TRUE(f.idle());
  EXPECT_EQ(f.w.stop_request, 0);
  EXPECT_TRUE(f.w.Timer2->isActive());
  EXPECT_TRUE(f.w.isVisible());
  EXPECT_EQ(f.host.menuShown, 0);
  EXPECT_FALSE(f.t.board.log().contains("UsbExit"));
}

TEST(TForm3, DoLoopLogNeverHoldsMoreThanElevenLines) {
  Form3Fixture f;
  int most = 0;
  QObject::connect(f.w.LSTpro->model(), &QAbstractItemModel::rowsInserted,
                   [&] { most = std::max(most, f.w.LSTpro->count()); });
  f.onPortWrite = [&](int n) {
    if (n == 25) f.w.pnlstopClick();
  };
  f.guardAgainstEndlessRun();
  f.w.PNLpro(TForm3::DoLoop, 1)->click();

  EXPECT_EQ(most, 11);
  // 26 steps (the pass of the 25th runs out): the list was cleared before
  // steps 12 and 23 and ends with steps 23-26.
  EXPECT_EQ(f.portWrites.size(), 27);
  EXPECT_EQ(f.lines(), (QStringList{"portB 255,300", "portB 0,300", "portB 255,300", "portB 0,300"}));
  for (qsizetype i = 0; i + 1 < f.portWrites.size(); ++i) EXPECT_EQ(f.portWrites[i], i % 2 == 0 ? 0 : 255);
  EXPECT_TRUE(f.idle());
}

TEST(TForm3, ForNextRunsTheChosenNumberOfPasses) {
  Form3Fixture f;
  f.w.startLinkTimer();
  bool timerOff = true;
  f.onPortWrite = [&](int n) {
    if (n <= 6) timerOff = timerOff && !f.w.Timer2->isActive();
  };
  f.w.PNLpro(TForm3::ForNext, 2)->click();
  EXPECT_EQ(f.portWrites, (QList<int>{170, 85, 170, 85, 170, 85, 255}));
  EXPECT_EQ(f.lines().size(), 6);
  EXPECT_TRUE(timerOff);
  EXPECT_TRUE(f.w.Timer2->isActive());
  EXPECT_TRUE(f.idle());

  // The count follows the arrows and stays within 1-10.
  for (int i = 0; i < 5; ++i) f.w.UpDown1->down->click();
  EXPECT_EQ(f.w.LBLkai->text(), "1");
  for (int i = 0; i < 12; ++i) f.w.UpDown1->up->click();
  EXPECT_EQ(f.w.LBLkai->text(), "10");
  f.portWrites.clear();
  f.w.PNLpro(TForm3::ForNext, 3)->click();
  EXPECT_EQ(f.portWrites.size(), 21);
  // Cleared before the twelfth step: of twenty, the last nine remain.
  EXPECT_EQ(f.lines().size(), 9);
}

TEST(TForm3, StepTimeBarShowsItsValueButProgramsStepAt300) {
  Form3Fixture f;
  f.w.SCBjikan->setValue(50);
  EXPECT_EQ(f.w.LBLportb->text(), "portB=0,50");
  EXPECT_EQ(f.w.out_time, 50);
  f.w.PNLpro(TForm3::Once, 1)->click();
  EXPECT_EQ(f.lines(), (QStringList{"portB 255,300", "portB 0,300"}));
  for (quint32 g : f.gaps()) EXPECT_GE(g, 300u);
  EXPECT_EQ(f.w.LBLportb->text(), "portB=0,300");
}

TEST(TForm3, LedPanelsWriteTheirNumberAndStayUsableDuringARun) {
  Form3Fixture f;
  f.w.bbt->panel(0)->click();
  f.w.bbt->panel(7)->click();
  EXPECT_EQ(f.portWrites, (QList<int>{254, 126}));
  EXPECT_EQ(f.w.LBLportb->text(), "portB=129,300");

  // A click during a step (all lit: B3 goes dark) shows at once; the next
  // step overwrites it.
  f.portWrites.clear();
  f.t.clock.at(f.t.clock.tickCount() + 100, [&] { f.w.bbt->panel(3)->click(); });
  f.w.PNLpro(TForm3::Once, 1)->click();
  EXPECT_EQ(f.portWrites, (QList<int>{0, 8, 255, 255}));
}

TEST(TForm3, LinkTickAndLeaving) {
  Form3Fixture f;
  f.w.startLinkTimer();
  EXPECT_EQ(f.w.Timer2->interval(), 1000);
  EXPECT_TRUE(f.w.Timer2->isActive());
  f.w.Timer2Timer();
  // Detection only: no port write follows a tick here.
  EXPECT_EQ(f.t.board.log(), (QStringList{"UsbInit(#)=0", "PortAddress(ddrb)", "PortAddress(portb)",
                                          "PortAddress(pinb)", "PortAddress(pind)"}));
  EXPECT_EQ(f.w.Label4->text(), "HIDaspx-Pが接続されています!");
  EXPECT_TRUE(f.w.IMGok->isVisibleTo(&f.w));

  f.w.Timer2->stop();
  Q_EMIT f.w.IMGok->clicked();
  EXPECT_TRUE(f.w.Timer2->isActive());

  // Leaving: LEDs off, link closed, polling stopped, place stored, menu shown.
  f.w.show();
  f.w.move(40, 30);
  f.w.bbt->panel(2)->click();
  f.t.board.clearLog();
  f.w.PNLsyuuryou->click();
  EXPECT_EQ(f.t.board.log(), (QStringList{"DDRB=255", "PORTB=255", "UsbExit"}));
  EXPECT_FALSE(f.w.Timer2->isActive());
  EXPECT_EQ(f.host.menuShown, 1);
  EXPECT_FALSE(f.w.isVisible());
  EXPECT_EQ(f.host.positions[5], f.w.y());
  EXPECT_EQ(f.host.positions[6], f.w.x());
  EXPECT_EQ(f.w.bbt->litValue(), 0);

  // A close request from the window manager while idle runs the same leave.
  f.w.show();
  f.t.board.clearLog();
  f.w.close();
  EXPECT_EQ(f.host.menuShown, 2);
  EXPECT_TRUE(f.t.board.log().contains("UsbExit"));
}

TEST(TForm3, DecorativeGradientButtonsCarryTheirCaption) {
  Form3Fixture f;
  for (TplButton* b : {f.w.plButton6, f.w.plButton12, f.w.plButton18}) {
    EXPECT_EQ(b->CaptionA().Caption(), "B0→B7");
    EXPECT_FALSE(b->Gradation());
    EXPECT_EQ(b->GradBeginColor(), platform::clRed);
    EXPECT_EQ(b->GradEndColor(), platform::clRed);
    EXPECT_TRUE(f.w.Panel2->isAncestorOf(b));
  }
  EXPECT_EQ(f.w.plButton6->objectName(), "plButton6");
  EXPECT_EQ(f.w.plButton18->objectName(), "plButton18");
}
