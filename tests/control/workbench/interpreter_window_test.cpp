#include "control/workbench/interpreter.h"
#include "control/workbench/tform6.h"
#include "platform/textfile.h"
#include "support/test_context.h"

#include "platform/colors.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct Workbench {
  Workbench() : host(t), form(host) {
    form.RDBfile[0]->setText(QStringLiteral("12-0.bas"));
    form.Timer2Timer();
    t.board.clearLog();
  }
  // Runs action once the virtual clock is ms further on (inside the run's waits).
  void after(int ms, std::function<void()> action) { t.clock.at(t.clock.tickCount() + ms, std::move(action)); }

  testsupport::TestContext t;
  testsupport::FakeHost host;
  pelmora::TForm6 form;
};

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(WorkbenchRun, RunLocksTheWindowAndShowsItsProgress) {
  Workbench w;
  pelmora::TForm6& f = w.form;
  f.setProgramLines({QStringLiteral("For i=0 To 2"), QStringLiteral("   portB=i,300"), QStringLiteral("Next i")});
  f.EDTfile->setText(QStringLiteral("テスト"));
  f.Edit3->setEnabled(false);  // disabled before the run, so it stays disabled after it

  bool checked = false;
  w.after(100, [&] {
    checked = true;
    EXPECT_TRUE(f.isRunning());
    EXPECT_FALSE(f.PNLsyuuryou->isEnabled());
    EXPECT_FALSE(f.PNLtuika->isEnabled());
    EXPECT_FALSE(f.PNLyomikomi->isEnabled());
    EXPECT_FALSE(f.GRBmode->isEnabled());
    EXPECT_FALSE(f.bbt[0]->isEnabled());
    EXPECT_FALSE(f.Edit4->isEnabled());
    EXPECT_TRUE(f.PNLstop->isEnabled());
    EXPECT_TRUE(f.PNLtyuudan->isVisibleTo(&f));
    EXPECT_FALSE(f.PNLjikkou->isVisibleTo(&f));
    EXPECT_FALSE(f.Timer2->isActive());
    EXPECT_TRUE(f.EDTpro->isReadOnly());
    EXPECT_EQ(f.EDTpro->text(), QStringLiteral("   portB=i,300"));
    EXPECT_EQ(f.LSTpro->selectedItems().size(), 1);
    EXPECT_EQ(f.LSTpro->row(f.LSTpro->selectedItems().value(0)), 1);
    EXPECT_EQ(f.LBLportb->text(), QStringLiteral("portB=0,300"));
    // A close request from the window manager does not leave a running program.
    f.close();
    EXPECT_EQ(w.host.menuShown, 0);
  });
  f.PNLjikkou->click();
  EXPECT_TRUE(checked);

  // Saved into slot 0 first, without a question.
  EXPECT_EQ(fileBytes(w.t.path(QStringLiteral("data/12-0.bas"))),
            platform::cp932::encode(QStringLiteral("'テスト\r\nFor i=0 To 2\r\n   portB=i,300\r\nNext i\r\n\r\n")).value_or(""));
  EXPECT_TRUE(w.t.prompts.texts().isEmpty());
  EXPECT_EQ(f.LBLi->text(), QStringLiteral("i=2"));
  EXPECT_EQ(f.LBLportb->text(), QStringLiteral("portB=2,300"));
  EXPECT_EQ(w.t.board.writes().mid(0, 4), (QStringList{QStringLiteral("DDRB=255"), QStringLiteral("PORTB=255"),
                                                       QStringLiteral("DDRB=255"), QStringLiteral("PORTB=255")}));
  EXPECT_EQ(w.t.board.writes().last(2), (QStringList{QStringLiteral("DDRB=255"), QStringLiteral("PORTB=255")}));
  EXPECT_EQ(f.portb_value, 0);
  EXPECT_EQ(f.bbt[1]->colour(), platform::clBlue);

  // Everything usable again, except what was off before.
  EXPECT_FALSE(f.isRunning());
  EXPECT_TRUE(f.PNLsyuuryou->isEnabled());
  EXPECT_TRUE(f.PNLtuika->isEnabled());
  EXPECT_TRUE(f.GRBmode->isEnabled());
  EXPECT_TRUE(f.bbt[0]->isEnabled());
  EXPECT_FALSE(f.Edit3->isEnabled());
  EXPECT_TRUE(f.PNLjikkou->isVisibleTo(&f));
  EXPECT_FALSE(f.PNLtyuudan->isVisibleTo(&f));
  EXPECT_TRUE(f.Timer2->isActive());
  EXPECT_FALSE(f.EDTpro->isReadOnly());
  EXPECT_EQ(f.LSTpro->selectionMode(), QAbstractItemView::ExtendedSelection);
}

TEST(WorkbenchRun, StopPauseAndMessages) {
  {
    Workbench w;
    pelmora::TForm6& f = w.form;
    f.setProgramLines({QStringLiteral("portB=1,60000"), QStringLiteral("portB=2,300"), QStringLiteral("a=1")});
    w.after(1000, [&] { f.PNLstop->click(); });
    f.PNLjikkou->click();
    EXPECT_FALSE(f.isRunning());
    EXPECT_LT(w.t.clock.waited(), 1100u);
    EXPECT_EQ(f.LSTpro->row(f.LSTpro->selectedItems().value(0)), 2);
    EXPECT_FALSE(w.t.board.writes().contains(QStringLiteral("PORTB=253")));
  }
  {
    // 中断 pauses after the line; 実行 goes on at the next line.
    Workbench w;
    pelmora::TForm6& f = w.form;
    f.jisage_level = 1;
    f.setProgramLines({QStringLiteral("portB=1,300"), QStringLiteral("   portB=2,300"), QStringLiteral("portB=4,300")});
    w.after(400, [&] { f.PNLtyuudan->click(); });
    f.PNLjikkou->click();
    EXPECT_TRUE(f.interpreter().isPaused());
    EXPECT_EQ(f.EDTpro->text(), QStringLiteral("   portB=2,300"));
    EXPECT_EQ(f.LSTpro->row(f.LSTpro->selectedItems().value(0)), 1);
    EXPECT_TRUE(f.PNLjikkou->isVisibleTo(&f));
    EXPECT_TRUE(f.PNLsyuuryou->isEnabled());
    w.t.board.clearLog();
    f.PNLjikkou->click();
    EXPECT_EQ(w.t.board.writes().mid(2, 2), (QStringList{QStringLiteral("DDRB=255"), QStringLiteral("PORTB=251")}));
    EXPECT_FALSE(f.interpreter().isPaused());
  }
  {
    Workbench w;
    pelmora::TForm6& f = w.form;
    f.setProgramLines({QStringLiteral("Do"), QStringLiteral("Loop")});
    f.PNLjikkou->click();
    EXPECT_EQ(w.t.prompts.texts(), QStringList{QStringLiteral("DoとLoopの間に命令がないと暴走します！")});
    EXPECT_TRUE(f.PNLsyuuryou->isEnabled());
  }
}

TEST(WorkbenchRun, TheRunsTimeIsCarriedIntoThePanelTexts) {
  Workbench w;
  pelmora::TForm6& f = w.form;
  f.RadioButton4->setChecked(true);  // the variable k in the portB=a panel
  f.setProgramLines({QStringLiteral("portB=3,70")});
  f.PNLjikkou->click();
  EXPECT_EQ(f.out_time, 70);
  EXPECT_EQ(f.PNLportb->caption(), QStringLiteral("portB=0,70"));
  EXPECT_EQ(f.PNLportba->caption(), QStringLiteral("portB=k,70"));
  EXPECT_EQ(f.PNLportb2hi->caption(), QStringLiteral("portB=2^i,70"));
  EXPECT_EQ(f.RDBms->text(), QStringLiteral("70m秒"));
  // A repaint of the panels keeps it; the portB panel inserts it.
  f.RDBdainari->setChecked(true);
  EXPECT_EQ(f.PNLportb2h7i->caption(), QStringLiteral("portB=2^(7-i),70"));
  f.PNLportb->click();
  EXPECT_EQ(f.EDTpro->text(), QStringLiteral("portB=0,70"));

  // With a wt time chosen the panels keep the name; the wt panel takes the time.
  f.RDBwt1->setChecked(true);
  f.setProgramLines({QStringLiteral("portB=1,40")});
  f.PNLjikkou->click();
  EXPECT_EQ(f.PNLportb->caption(), QStringLiteral("portB=0,wt1"));
  EXPECT_EQ(f.PNLportba->caption(), QStringLiteral("portB=a,wt1"));
  EXPECT_EQ(f.PNLwt1->caption(), QStringLiteral("wt1=40"));
  f.RDBhitosii->setChecked(true);
  EXPECT_EQ(f.PNLwt1->caption(), QStringLiteral("wt1=40"));
}
