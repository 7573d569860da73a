#include "companion/bremilo_app.h"
#include "companion/menu.h"
#include "companion/sireal.h"
#include "platform/textfile.h"
#include "support/test_context.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

using namespace bremilo;
using testsupport::TestContext;

namespace {

struct Measuring {
  Measuring() {
    w.form7->setWallClock([] { return QDateTime(QDate(2026, 12, 9), QTime(8, 30, 0)); });
    w.form1->show();
    w.form1->Panel1Click();
    w.form7->Timer2Timer();
    t.prompts.clear();
  }
  TForm7& f() { return *w.form7; }
  // The test clock moves on to the next tick, where the window's timer runs a step.
  void step() { t.clock.advance(f().Timer1->msToNextStep()); }
  // One measuring step that receives value.
  void measure(int value) {
    t.board.queueFrame(value);
    step();
  }
  TestContext t;
  BremiloWindows w{t.ctx};
};

QStringList tableFile(const QString& path) { return platform::textfile::readLines(path).value_or(QStringList{"missing"}); }

}  // namespace

TEST(RealTimeWindow, MeasuringShowsValuesDrivesOutputsAndDrawsTheGraph) {
  Measuring m;
  EXPECT_EQ(m.f().Label6->text(), "HIDaspx-Pが接続されています!");
  m.f().PNLsokuteikaisiClick();
  EXPECT_TRUE(m.f().Timer1->isActive());
  EXPECT_FALSE(m.f().Timer2->isActive());
  EXPECT_FALSE(m.f().PNLsyuuryou->isVisibleTo(&m.f()));
  EXPECT_FALSE(m.f().PNLhozon->isVisibleTo(&m.f()));
  EXPECT_FALSE(m.f().PNLsyokika->isVisibleTo(&m.f()));
  EXPECT_FALSE(m.f().PNLsokuteikaisi->isVisibleTo(&m.f()));
  EXPECT_TRUE(m.f().PNLrenzoku->isVisibleTo(&m.f()));

  m.t.board.clearLog();
  const quint64 tick = m.t.clock.waited() + m.f().Timer1->msToNextStep();
  // The bar moved 100 ms into the pause changes the next pause, not this one.
  m.t.board.onChange = [&m] {
    const auto& c = m.t.board.calls().last();
    if (c.handle == platform::SimulatedBoard::kPortb && c.value != 255)
      m.t.clock.at(m.t.clock.tickCount() + 100, [&m] { m.f().ScrollBar1->setValue(100); });
  };
  m.measure(25);
  m.t.board.onChange = {};
  EXPECT_EQ(m.f().Label8->text(), "25");
  EXPECT_EQ(m.t.board.writes(), (QStringList{"DDRB=31", "PORTB=255", "PORTB=250"}));
  // The pause after a value is the measuring interval.
  EXPECT_GE(m.t.clock.waited() - tick, 500u);
  m.measure(15);
  m.f().ScrollBar4->setValue(40);
  EXPECT_EQ(m.f().lbl01->text(), "40");
  m.t.board.clearLog();
  m.measure(50);
  EXPECT_EQ(m.t.board.writes().last(), "PORTB=249");
  // The green line runs through the samples at 10 pixels a step.
  const QImage& img = m.f().Image1->image();
  const QColor green(0, 128, 0);
  EXPECT_EQ(img.pixelColor(0, 50), green);    // 25 at 10 pixels a unit above 20
  EXPECT_EQ(img.pixelColor(5, 100), green);   // halfway to 15
  EXPECT_EQ(img.pixelColor(10, 150), green);  // 15
  EXPECT_EQ(img.pixelColor(14, 2), green);    // 50 lies above the picture; the line leaves at the top
  EXPECT_NE(img.pixelColor(300, 100), green);
  EXPECT_EQ(m.f().Label11->text(), "目盛間隔2");

  m.f().PNLsokuteiowariClick();
  EXPECT_TRUE(m.f().Timer2->isActive());
  EXPECT_FALSE(m.f().Timer1->isActive());
  EXPECT_TRUE(m.f().PNLsyuuryou->isVisibleTo(&m.f()));
  EXPECT_TRUE(m.f().PNLsyokika->isVisibleTo(&m.f()));
  EXPECT_TRUE(m.f().PNLhozon->isVisibleTo(&m.f()));
}

namespace {

// A measuring board whose frames come at set times. A frame is read only when
// the window already waits for one as it comes; a frame that comes while the
// window shows a value or pauses is lost.
struct PacedBoard {
  enum class Sender { EverySecond, AfterWaitBegins };
  PacedBoard(Measuring& m, Sender sender, int phaseMs) : m(m), sender(sender), phase(phaseMs) {
    auto& board = m.t.board;
    board.onChange = [this, &board] {
      const auto& last = board.calls().last();
      if (last.handle != platform::SimulatedBoard::kPortb) return;
      if (last.value == 255 && board.ddrb() == 0x1F) {
        waiting = true;
        queued = false;
        waitStart = now();
      } else if (last.value != 255) {
        waiting = false;
        taken << QPair<quint32, int>(now() - firstTick, this->m.f().measurement().receivedValue());
      }
    };
    board.onPeek = [this, &board] {
      if (!waiting || queued) return;
      if (this->sender == Sender::AfterWaitBegins) {
        if (now() - waitStart >= static_cast<quint32>(phase)) {
          board.queueFrame(10 + frame++);
          queued = true;
        }
        return;
      }
      // Frame k comes phase ms after tick k of the window's timer.
      auto frameTime = [this](int k) { return firstTick + static_cast<quint32>(phase + 1000 * k); };
      while (static_cast<qint32>(frameTime(frame) - waitStart) < 0) ++frame;
      if (static_cast<qint32>(now() - frameTime(frame)) >= 0) {
        board.queueFrame(10 + frame++);
        queued = true;
      }
    };
  }
  ~PacedBoard() {
    m.t.board.onChange = {};
    m.t.board.onPeek = {};
  }
  quint32 now() const { return m.t.clock.tickCount(); }
  // Starts measuring and lets the test clock run the window's timer until
  // `values` values are taken.
  void measure(int p1, int values) {
    m.f().ScrollBar1->setValue(p1);
    m.f().PNLsokuteikaisiClick();
    firstTick = now() + 1000;
    for (int spins = 0; taken.size() < values && spins < 1000; ++spins) m.step();
    m.f().PNLsokuteiowariClick();
  }
  Measuring& m;
  Sender sender;
  int phase;
  quint32 firstTick = 0;
  quint32 waitStart = 0;
  bool waiting = false;
  bool queued = false;
  int frame = 0;
  // Milliseconds after the first tick at which each value was taken, and the value.
  QList<QPair<quint32, int>> taken;
};

}  // namespace

TEST(RealTimeWindow, NextStepStartsAtTheNextTickOrAtOnceWhenTheTickCameDuringTheStep) {
  using Sender = PacedBoard::Sender;
  using Taken = QList<QPair<quint32, int>>;
  struct Case {
    Sender sender;
    int phase;
    int p1;
    Taken expected;
  };
  const QList<Case> cases{
      // A board sending one frame a second: with the default interval every
      // frame is read, whatever the phase.
      {Sender::EverySecond, 200, 500, {{200, 10}, {1200, 11}, {2200, 12}, {3200, 13}}},
      {Sender::EverySecond, 700, 500, {{700, 10}, {1700, 11}, {2700, 12}, {3700, 13}}},
      {Sender::EverySecond, 200, 1500, {{200, 10}, {2200, 12}, {4200, 14}, {6200, 16}}},
      {Sender::EverySecond, 700, 1500, {{700, 10}, {2700, 12}, {4700, 14}, {6700, 16}}},
      // A frame that comes a set time after the wait begins: a value every
      // tick while a step fits in a tick, otherwise every wait plus interval.
      {Sender::AfterWaitBegins, 200, 500, {{200, 10}, {1200, 11}, {2200, 12}, {3200, 13}}},
      {Sender::AfterWaitBegins, 700, 500, {{700, 10}, {1900, 11}, {3100, 12}, {4300, 13}}},
      {Sender::AfterWaitBegins, 200, 1000, {{200, 10}, {1400, 11}, {2600, 12}, {3800, 13}}},
      {Sender::AfterWaitBegins, 700, 1000, {{700, 10}, {2400, 11}, {4100, 12}, {5800, 13}}},
      {Sender::AfterWaitBegins, 200, 1500, {{200, 10}, {1900, 11}, {3600, 12}, {5300, 13}}},
      {Sender::AfterWaitBegins, 700, 1500, {{700, 10}, {2900, 11}, {5100, 12}, {7300, 13}}},
  };
  for (const Case& c : cases) {
    Measuring m;
    m.t.board.clearLog();
    PacedBoard board(m, c.sender, c.phase);
    board.measure(c.p1, 4);
    const std::string name = (c.sender == Sender::EverySecond ? "every second, phase " : "after the wait, ") +
                             std::to_string(c.phase) + ", P1 " + std::to_string(c.p1);
    EXPECT_EQ(board.taken, c.expected) << name;
    // One step at a time: outputs off, the frame, the outputs; never a step inside another.
    const QStringList writes = m.t.board.writes();
    for (qsizetype i = 0; i + 2 < writes.size(); i += 3) {
      EXPECT_EQ(writes[i], "DDRB=31") << name;
      EXPECT_EQ(writes[i + 1], "PORTB=255") << name;
      EXPECT_NE(writes[i + 2], "PORTB=255") << name;
    }
  }
}

TEST(RealTimeWindow, WithoutBoardTheStepEndsAndSaysSoAndStopEndsTheWait) {
  Measuring m;
  m.t.board.unplug();
  m.f().Timer2Timer();
  EXPECT_EQ(m.f().Label6->text(), "HIDaspxの接続を確認して下さい！");
  m.f().PNLsokuteikaisiClick();
  const quint64 tick = m.t.clock.waited() + m.f().Timer1->msToNextStep();
  m.step();
  EXPECT_EQ(m.f().Label6->text(), TForm7::noSignalText());
  EXPECT_LE(m.t.clock.waited() - tick, 3100u);
  EXPECT_EQ(m.f().measurement().buffer().count(), 0);
  EXPECT_TRUE(m.t.prompts.texts().isEmpty());

  // 測定 終了 during the wait ends it at once.
  const quint64 start = m.t.clock.waited();
  m.t.clock.at(m.t.clock.tickCount() + 400, [&] { m.f().PNLsokuteiowariClick(); });
  m.step();
  EXPECT_LT(m.t.clock.waited() - start, 500u);
  EXPECT_FALSE(m.f().measuring());
  EXPECT_EQ(m.f().measurement().buffer().count(), 0);
}

TEST(RealTimeWindow, SnapshotAndContinuousLogReadBackLineByLine) {
  Measuring m;
  m.f().PNLhozonClick();
  EXPECT_EQ(m.t.prompts.texts(), QStringList{"data3.csvに保存しました！"});
  auto lines = tableFile(m.t.path("data3.csv"));
  ASSERT_EQ(lines.size(), 52);
  EXPECT_EQ(lines[0], "読取日時 : 2026/12/09 8:30:00");
  EXPECT_EQ(lines[1], "回,経過時間,温度");
  EXPECT_EQ(lines[2], "1,,-20");
  EXPECT_EQ(lines[51], "50,,-20");

  m.f().PNLsokuteikaisiClick();
  m.f().PNLrenzokuClick();
  EXPECT_FALSE(m.f().PNLrenzoku->isVisibleTo(&m.f()));
  EXPECT_TRUE(m.f().PNLrennzokuowari->isVisibleTo(&m.f()));
  m.measure(21);
  m.measure(22);
  m.measure(23);
  m.f().PNLrennzokuowariClick();
  EXPECT_TRUE(m.f().PNLrenzoku->isVisibleTo(&m.f()));
  lines = tableFile(m.t.path("data4.csv"));
  ASSERT_EQ(lines.size(), 5);
  EXPECT_EQ(lines[2], "1,0,21");
  // Each time is when the value came, counted from the first one.
  EXPECT_EQ(lines[3], "2,1,22");
  EXPECT_EQ(lines[4], "3,2,23");
  m.measure(24);
  EXPECT_EQ(tableFile(m.t.path("data4.csv")).size(), 5);

  m.f().PNLsokuteiowariClick();
  m.t.prompts.clear();
  m.f().PNLhozonClick();
  lines = tableFile(m.t.path("data3.csv"));
  ASSERT_EQ(lines.size(), 52);
  EXPECT_EQ(lines[2], "1,0,21");
  EXPECT_TRUE(lines[5].endsWith(",24"));
  EXPECT_EQ(lines[6], "5,,-20");
}

TEST(RealTimeWindow, LogThatCannotBeOpenedGivesOneMessageAndStaysOff) {
  Measuring m;
  QDir(m.t.dir.path()).mkdir("data4.csv");
  m.f().PNLrenzokuClick();
  ASSERT_EQ(m.t.prompts.texts().size(), 1);
  EXPECT_TRUE(m.t.prompts.texts()[0].startsWith(m.t.path("data4.csv")));
  EXPECT_TRUE(m.f().PNLrenzoku->isVisibleTo(&m.f()));
  EXPECT_FALSE(m.f().continuousLog().isOn());
}

TEST(RealTimeWindow, ClearingAsksFirstAndEmptiesTheBuffer) {
  Measuring m;
  m.f().PNLsokuteikaisiClick();
  m.measure(30);
  m.f().PNLsokuteiowariClick();
  m.t.prompts.answerYesNo({false, true});
  m.f().PNLsyokikaClick();
  EXPECT_EQ(m.f().measurement().buffer().count(), 1);
  m.f().PNLsyokikaClick();
  EXPECT_EQ(m.t.prompts.texts(), (QStringList{"データを初期化しますか？", "データを初期化しますか？"}));
  EXPECT_EQ(m.f().measurement().buffer().count(), 0);
  EXPECT_EQ(m.f().Label8->text(), "");
  EXPECT_EQ(m.f().Image1->image(), GraphImage::grid());
}

TEST(RealTimeWindow, ScaleLabelsFollowTheScrollBarsAndTheTableChoice) {
  Measuring m;
  EXPECT_EQ(m.f().LBLnaka->text(), "20");
  EXPECT_EQ(m.f().LBLue->text(), "30");
  EXPECT_EQ(m.f().LBLsita->text(), "10");
  m.f().ScrollBar3->setValue(7);
  EXPECT_EQ(m.f().Label11->text(), "目盛間隔3");
  EXPECT_EQ(m.f().LBLue->text(), "35");
  EXPECT_EQ(m.f().LBLsita->text(), "5");
  m.f().ScrollBar1->setValue(100);
  EXPECT_EQ(m.f().Label10->text(), "目盛間隔（200m秒)　測定間隔（100m秒）");

  m.f().RadioButton2->setChecked(true);
  EXPECT_EQ(m.f().ScrollBar2->value(), 30);
  EXPECT_EQ(m.f().LBLnaka->text(), "70");
  EXPECT_EQ(m.f().GroupBox1->title(), "ただ今の照度計測値は");
  EXPECT_EQ(m.f().Label14->text(), "");
  EXPECT_TRUE(m.f().GRD->isVisibleTo(&m.f()));
  EXPECT_FALSE(m.f().grd2->isVisibleTo(&m.f()));
  m.f().RadioButton1->setChecked(true);
  EXPECT_EQ(m.f().ScrollBar2->value(), 80);
  EXPECT_EQ(m.f().GroupBox1->title(), "ただ今の温度計測値は");
  EXPECT_EQ(m.f().Label14->text(), "℃");
}

TEST(RealTimeWindow, TablesLoadShiftTheVisibleOneAndAreWrittenOnLeaving) {
  TestContext t;
  QStringList ondo;
  for (int i = 1; i <= 100; ++i) ondo << QString::number(i);
  ASSERT_TRUE(platform::textfile::writeLines(t.path("bremelo_ondo.dat"), ondo));
  ASSERT_TRUE(platform::textfile::writeLines(t.path("bremelo_syoudo.dat"), {"10ルクス", "20"}));
  BremiloWindows w(t.ctx);
  EXPECT_EQ(t.prompts.texts(), QStringList{"bremelo_san.iniが有りません！"});
  TForm7& f = *w.form7;
  EXPECT_EQ(f.grd2->item(0, 0)->text(), "0");
  EXPECT_EQ(f.grd2->item(99, 0)->text(), "99");
  EXPECT_EQ(f.grd2->item(0, 1)->text(), "1");
  EXPECT_EQ(f.GRD->item(0, 1)->text(), "10ルクス");
  EXPECT_EQ(f.GRD->item(2, 1)->text(), "");
  EXPECT_EQ(f.grd2->horizontalHeaderItem(1)->text(), "補正値");
  EXPECT_EQ(f.GRD->horizontalHeaderItem(1)->text(), "lx概算値");
  for (QTableWidget* grid : {f.grd2, f.GRD}) {
    EXPECT_EQ(grid->columnWidth(0), 18);
    EXPECT_EQ(grid->columnWidth(1), 60);
    EXPECT_EQ(grid->rowHeight(5), 20);
  }

  f.PNLueClick();
  EXPECT_EQ(f.grd2->item(0, 1)->text(), "2");
  EXPECT_EQ(f.grd2->item(99, 1)->text(), "100");
  EXPECT_EQ(f.GRD->item(0, 1)->text(), "10ルクス");
  f.RadioButton2->setChecked(true);
  f.PNLsitaClick();
  EXPECT_EQ(f.GRD->item(1, 1)->text(), "10ルクス");
  EXPECT_EQ(f.GRD->item(2, 1)->text(), "20");
  // ↑ moves the illuminance table now, and the temperature table stays.
  f.PNLueClick();
  f.PNLueClick();
  EXPECT_EQ(f.GRD->item(0, 1)->text(), "20");
  EXPECT_EQ(f.GRD->item(1, 1)->text(), "");
  EXPECT_EQ(f.grd2->item(0, 1)->text(), "2");
  f.PNLsitaClick();
  f.PNLsitaClick();

  w.form1->show();
  w.form1->Panel1Click();
  f.PNLsyuuryouClick();
  QStringList expectedOndo = ondo.mid(1);
  expectedOndo << "100";
  EXPECT_EQ(tableFile(t.path("bremelo_ondo.dat")), expectedOndo);
  const QStringList syoudo = tableFile(t.path("bremelo_syoudo.dat"));
  ASSERT_EQ(syoudo.size(), 100);
  EXPECT_EQ(syoudo.mid(0, 4), (QStringList{"20", "20", "20", ""}));
}

TEST(RealTimeWindow, WithoutTableFilesLeavingCreatesBothWithHundredEmptyLines) {
  Measuring m;
  m.f().PNLsyuuryouClick();
  for (const char* name : {"bremelo_ondo.dat", "bremelo_syoudo.dat"}) {
    QFile file(m.t.path(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    EXPECT_EQ(file.readAll(), QByteArray(100 * 2, '\r').replace("\r\r", "\r\n")) << name;
  }
  EXPECT_TRUE(m.w.form1->isVisible());
}

TEST(RealTimeWindow, LogOutlivesLeavingTheWindowAndIsWholeWhenTheProgramEnds) {
  TestContext t;
  {
    BremiloWindows w(t.ctx);
    TForm7& f = *w.form7;
    f.setWallClock([] { return QDateTime(QDate(2026, 12, 9), QTime(8, 30, 0)); });
    w.form1->show();
    w.form1->Panel1Click();
    f.Timer2Timer();
    f.PNLrenzokuClick();
    f.PNLsokuteikaisiClick();
    t.board.queueFrame(19);
    t.clock.advance(f.Timer1->msToNextStep());
    f.PNLsokuteiowariClick();
    f.PNLsyuuryouClick();
    EXPECT_TRUE(f.continuousLog().isOn());
    w.form1->Panel1Click();
    f.Timer2Timer();
    f.PNLsokuteikaisiClick();
    t.board.queueFrame(18);
    t.clock.advance(f.Timer1->msToNextStep());
    f.PNLsokuteiowariClick();
  }
  QFile file(t.path("data4.csv"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_EQ(bytes.count("\r\n"), 4);
  EXPECT_TRUE(bytes.contains("\r\n1,0,19\r\n2,"));
  EXPECT_TRUE(bytes.endsWith(",18\r\n"));
}
