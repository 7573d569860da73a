#include "control/experiments/tform4.h"
#include "support/test_context.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

using namespace pelmora;
using testsupport::FakeHost;
using testsupport::TestContext;

namespace {

struct Form4Fixture {
  TestContext t;
  FakeHost host{t};
  TForm4 w{host};

  bool shown(QWidget* c) { return c->isVisibleTo(&w); }
  // The texts of a label family, bit 7 first.
  QString row(const TForm4::Row& labels) {
    QString s;
    for (int k = 7; k >= 0; --k) s += labels[static_cast<size_t>(k)]->text();
    return s;
  }
  // Which of a family show, bit 7 first.
  QString visible(const TForm4::Row& labels) {
    QString s;
    for (int k = 7; k >= 0; --k) s += shown(labels[static_cast<size_t>(k)]) ? QLatin1Char('x') : QLatin1Char('.');
    return s;
  }
  QString visible(const std::array<QLabel*, 7>& labels) {
    QString s;
    for (int k = 6; k >= 0; --k) s += shown(labels[static_cast<size_t>(k)]) ? QLatin1Char('x') : QLatin1Char('.');
    return s;
  }
  QString halving() {
    QStringList out;
    for (int k = 7; k >= 0; --k) out << w.Labelbb[static_cast<size_t>(k)]->text();
    return out.join(' ');
  }
  void convert(const QString& text) {
    w.Edit2->setText(text);
    w.PNLhenkan->click();
  }
};

}  // namespace

TEST(TForm4, TickOnlyDetectsAndThePicturesStartPollingAgain) {
  Form4Fixture f;
  f.w.startLinkTimer();
  f.w.Timer2Timer();
  EXPECT_EQ(f.t.board.log(), (QStringList{"UsbInit(#)=0", "PortAddress(ddrb)", "PortAddress(portb)",
                                          "PortAddress(pinb)", "PortAddress(pind)"}));
  EXPECT_TRUE(f.shown(f.w.IMGok));
  f.t.board.clearLog();
  f.t.board.unplug();
  f.t.board.setInitAnswer("#", -2);
  f.w.Timer2Timer();
  EXPECT_EQ(f.t.board.log(), QStringList{"UsbInit(#)=-2"});
  EXPECT_TRUE(f.shown(f.w.IMGtyuui));
  EXPECT_EQ(f.w.Label4->text(), "HIDaspxの接続を確認して下さい！");

  // Typing does not stop polling in this window.
  f.w.Edit2->setText("12");
  EXPECT_TRUE(f.w.Timer2->isActive());
  f.w.Timer2->stop();
  f.w.IMGtyuuiClick();
  EXPECT_TRUE(f.w.Timer2->isActive());
  f.w.Timer2->stop();
  f.w.IMGokClick();
  EXPECT_TRUE(f.w.Timer2->isActive());
}

TEST(TForm4, ZeroAndTwoHundredShowEveryBreakdown) {
  Form4Fixture f;
  f.w.Timer2Timer();
  f.convert("0");
  EXPECT_EQ(f.row(f.w.Labelb), "00000000");
  EXPECT_EQ(f.row(f.w.Labelb1x), "00000000");
  EXPECT_EQ(f.row(f.w.Labelb2x), "00000000");
  EXPECT_EQ(f.row(f.w.Labelb3x), "00000000");
  EXPECT_EQ(f.row(f.w.Labelb5x), "00000000");
  EXPECT_EQ(f.visible(f.w.Labeln), "........");
  EXPECT_EQ(f.visible(f.w.Labelp), ".......");
  EXPECT_EQ(f.visible(f.w.Labelp1x), ".......");
  EXPECT_EQ(f.visible(f.w.Labeln1x), "........");
  EXPECT_EQ(f.row(f.w.Labeln1x), "00000000");
  EXPECT_EQ(f.w.Labelnn->text(), "0");
  EXPECT_EQ(f.w.Labelnn16->text(), "&H00");
  EXPECT_EQ(f.halving(), "0 0 0 0 0 0 0 0");
  EXPECT_EQ(f.visible(f.w.Lblb), ".......x");

  // 200: panels 7, 6 and 3.
  f.convert("200");
  EXPECT_EQ(f.w.bbt->litValue(), 200);
  EXPECT_EQ(f.row(f.w.Labelb), "11001000");
  EXPECT_EQ(f.row(f.w.Labelb5x), "11001000");
  EXPECT_EQ(f.row(f.w.Lblb), "11001000");
  EXPECT_EQ(f.visible(f.w.Labeln), "xx..x...");
  EXPECT_EQ(f.w.Labeln[7]->text(), "128");
  EXPECT_EQ(f.visible(f.w.Labelp), "x..x...");
  EXPECT_EQ(f.row(f.w.Labeln1x), "84008000");
  EXPECT_EQ(f.visible(f.w.Labeln1x), "xx..x...");
  EXPECT_EQ(f.w.Labelnn->text(), "200");
  EXPECT_EQ(f.w.Labelnn1->text(), "&HC");
  EXPECT_EQ(f.w.Labelnn2->text(), "&H8");
  EXPECT_EQ(f.w.Labelnn16->text(), "&HC8");
  EXPECT_EQ(f.halving(), "200 100 50 25 12 6 3 1");
  EXPECT_EQ(f.visible(f.w.Lblb), "xxxxxxxx");

  f.convert("15");
  EXPECT_EQ(f.visible(f.w.Lblb), "....xxxx");
  EXPECT_EQ(f.w.Labelnn16->text(), "&H0F");
}

TEST(TForm4, ConvertWritesThePortAndClampsWhatIsOutOfRange) {
  Form4Fixture f;
  f.w.Timer2Timer();
  f.t.board.clearLog();
  f.convert("129");
  // The old level first, then the panels' number twice.
  EXPECT_EQ(f.t.board.writes(),
            (QStringList{"DDRB=255", "PORTB=255", "DDRB=255", "PORTB=126", "DDRB=255", "PORTB=126"}));
  EXPECT_EQ(f.w.Edit2->text(), "129");

  f.convert("300");
  EXPECT_EQ(f.w.bbt->litValue(), 255);
  EXPECT_EQ(f.w.Edit2->text(), "255");
  EXPECT_EQ(f.w.Labelnn->text(), "255");
  EXPECT_EQ(f.t.board.portb(), 0);

  f.convert("-4");
  EXPECT_EQ(f.w.bbt->litValue(), 0);
  EXPECT_EQ(f.w.Edit2->text(), "0");
  EXPECT_EQ(f.w.Labelnn16->text(), "&H00");
  EXPECT_EQ(f.t.board.portb(), 255);

  // Not a number: one message, nothing written or redrawn.
  f.convert("200");
  f.t.board.clearLog();
  f.convert("12x");
  EXPECT_EQ(f.t.prompts.texts(), QStringList{"「12x」は数値ではありません！"});
  EXPECT_TRUE(f.t.board.log().isEmpty());
  EXPECT_EQ(f.w.portb_value, 200);
  EXPECT_EQ(f.w.Labelnn->text(), "200");
  EXPECT_EQ(f.w.bbt->litValue(), 200);
}

TEST(TForm4, PanelClicksTakeTheNumberFromThePanels) {
  Form4Fixture f;
  f.w.Timer2Timer();
  f.w.bbt->panel(0)->click();
  f.w.bbt->panel(7)->click();
  EXPECT_EQ(f.w.portb_value, 129);
  EXPECT_EQ(f.t.board.portb(), 126);
  EXPECT_EQ(f.w.Edit2->text(), "129");
  EXPECT_EQ(f.w.Labelnn16->text(), "&H81");
  f.w.bbt->panel(7)->click();
  EXPECT_EQ(f.w.Labelnn->text(), "1");
}

TEST(TForm4, LeavingTurnsTheLedsOffAndStoresEntriesSevenAndEight) {
  Form4Fixture f;
  f.w.startLinkTimer();
  f.w.showAtStoredPosition();
  f.w.move(70, 50);
  f.w.Timer2Timer();
  f.convert("77");
  f.t.board.clearLog();

  f.w.PNLsyuuryou->click();
  EXPECT_EQ(f.t.board.log(), (QStringList{"DDRB=255", "PORTB=255", "UsbExit"}));
  EXPECT_FALSE(f.w.Timer2->isActive());
  EXPECT_EQ(f.w.bbt->litValue(), 0);
  EXPECT_EQ(f.host.positions[7], f.w.y());
  EXPECT_EQ(f.host.positions[8], f.w.x());
  EXPECT_EQ(f.host.menuShown, 1);

  f.w.showAtStoredPosition();
  f.t.board.clearLog();
  EXPECT_FALSE(f.w.close());
  EXPECT_EQ(f.t.board.log(), (QStringList{"DDRB=255", "PORTB=255", "UsbExit"}));
  EXPECT_FALSE(f.w.isVisible());
}
