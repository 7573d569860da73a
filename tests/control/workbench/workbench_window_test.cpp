#include "control/shell/pelmora_app.h"
#include "control/shell/tform1.h"
#include "control/workbench/program_file.h"
#include "control/workbench/tform6.h"
#include "control/workbench/tform6_parts.h"
#include "platform/colors.h"
#include "support/test_context.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPaintEngine>
#include <QPdfWriter>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace pelmora;
using testsupport::FakeHost;
using testsupport::TestContext;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace {

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// A workbench window as the menu leaves it for pupil 12.
struct Bench {
  Bench() : host(t), form(host) {
    form.syusseki_bangou = "12";
    for (int n = 0; n < 10; ++n) form.RDBfile[static_cast<size_t>(n)]->setText(QStringLiteral("12-%1.bas").arg(n));
    form.LBLfile->setText("12-0.bas");
    form.CurrentFilePath = t.path("data/12-0.bas");
  }
  QString data(const QString& name) const { return t.path("data/" + name); }
  TestContext t;
  FakeHost host;
  TForm6 form;
};

// A file at path that exists but cannot be opened for reading: no read bit.
// Root reads it anyway, so while this lives the thread sets aside root's
// right to pass over file modes.
class UnreadableFile {
 public:
  explicit UnreadableFile(const QString& path) : path_(path) {
    writeBytes(path, "'x\r\nDo\r\n");
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    syscall(SYS_capget, &header_, saved_);
    __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
    lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    syscall(SYS_capset, &header_, lowered);
  }
  ~UnreadableFile() { syscall(SYS_capset, &header_, saved_); }
  bool unreadable() const {
    QFile check(path_);
    return QFileInfo(path_).isFile() && !check.open(QIODevice::ReadOnly);
  }

 private:
  QString path_;
  __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct saved_[2]{};
};

// What a printer was given: each line of text with its page and place.
struct PrintedLine {
  int page;
  int x;
  int baseline;
  QString text;
};

// A printer that keeps the text it is given instead of drawing it; pieces
// drawn on one baseline join into one line.
class RecordingPrinter : public QPdfWriter {
 public:
  explicit RecordingPrinter(QList<PrintedLine>& out) : QPdfWriter(QString()), engine_(*this), out_(out) {
    setResolution(300);
    setPageSize(QPageSize(QPageSize::A4));
    setPageMargins(QMarginsF(0, 0, 0, 0));
  }
  bool newPage() override {
    ++page_;
    return true;
  }

 protected:
  QPaintEngine* paintEngine() const override { return &engine_; }

 private:
  class Engine : public QPaintEngine {
   public:
    explicit Engine(RecordingPrinter& printer) : printer_(printer) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF& at, const QTextItem& item) override {
      QList<PrintedLine>& lines = printer_.out_;
      const int baseline = qRound(at.y());
      if (!lines.isEmpty() && lines.last().page == printer_.page_ && lines.last().baseline == baseline)
        lines.last().text += item.text();
      else
        lines.append({printer_.page_, qRound(at.x()), baseline, item.text()});
    }
    Type type() const override { return QPaintEngine::User; }

   private:
    RecordingPrinter& printer_;
  };
  mutable Engine engine_;
  QList<PrintedLine>& out_;
  int page_ = 0;
};

void selectRows(QListWidget* list, std::initializer_list<int> rows) {
  list->clearSelection();
  for (int r : rows) list->item(r)->setSelected(true);
}

}  // namespace

TEST(WorkbenchBoard, DetectionReportsWhichBoardAnswered) {
  Bench b;
  b.form.Timer2Timer();
  EXPECT_EQ(b.form.Label4->text(), "HIDaspx-Pが接続されています!");
  EXPECT_EQ(b.form.Edit1->text(), "0");
  EXPECT_FALSE(b.form.IMGok->isHidden());
  EXPECT_TRUE(b.form.IMGtyuui->isHidden());
  EXPECT_EQ(b.t.board.log(), QStringList({"UsbInit(#)=0", "PortAddress(ddrb)", "PortAddress(portb)",
                                          "PortAddress(pinb)", "PortAddress(pind)"}));

  b.t.board.unplug();
  b.t.board.setInitAnswer("*", 0);
  b.form.Timer2Timer();
  EXPECT_EQ(b.form.Label4->text(), "HIDaspxが接続されています!");

  b.t.board.setInitAnswer("*", -4);
  b.form.Timer2Timer();
  EXPECT_EQ(b.form.Label4->text(), "HIDaspxの接続を確認して下さい！");
  EXPECT_EQ(b.form.Edit1->text(), "-4");
  EXPECT_TRUE(b.form.IMGok->isHidden());
  EXPECT_FALSE(b.form.IMGtyuui->isHidden());

  // Only "#" answering -1 exactly leads to "*".
  b.t.board.clearLog();
  b.t.board.unplug();
  b.t.board.setInitAnswer("#", -2);
  b.form.Timer2Timer();
  EXPECT_EQ(b.t.board.log(), QStringList({"UsbInit(#)=-2"}));

  // A click on the picture starts detection again.
  b.form.Timer2->stop();
  b.form.IMGtyuui->clicked();
  EXPECT_TRUE(b.form.Timer2->isActive());
  b.form.Timer2->stop();
}

// Each status text stands on one line, in room of its own on the port panel.
TEST(WorkbenchBoard, StatusLineShowsEachTextOnOneLine) {
  Bench b;
  QLabel* status = b.form.Label4;
  const QFontMetrics metrics(status->font());
  auto checkFits = [&] {
    SCOPED_TRACE(status->text().toStdString());
    const QRect room = status->contentsRect();
    EXPECT_LE(metrics.horizontalAdvance(status->text()), room.width());
    EXPECT_GE(room.height(), metrics.height());
  };
  checkFits();  // the caution text at start
  b.form.Timer2Timer();
  checkFits();
  b.t.board.unplug();
  b.t.board.setInitAnswer("*", 0);
  b.form.Timer2Timer();
  checkFits();

  EXPECT_TRUE(b.form.PNLport->rect().contains(status->geometry()));
  for (QObject* o : b.form.PNLport->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w == status || w == b.form.Edit1) continue;
    EXPECT_FALSE(w->geometry().intersects(status->geometry())) << w->metaObject()->className() << " "
                                                               << w->objectName().toStdString();
  }
}

TEST(WorkbenchBoard, LedRowComposesTheInstructionAndOutputStateDrivesTheBoard) {
  Bench b;
  b.form.Timer2Timer();
  b.t.board.clearLog();
  b.form.bbt[0]->click();
  b.form.bbt[2]->click();
  EXPECT_EQ(b.form.portb_value, 5);
  EXPECT_EQ(b.form.LBLportb->text(), "portB=5,300");
  EXPECT_EQ(b.form.PNLportb->caption(), "portB=5,300");
  EXPECT_EQ(b.form.EDTpro->text(), "portB=5,300");
  EXPECT_TRUE(b.t.board.log().isEmpty());
  b.form.bbt[2]->click();
  EXPECT_EQ(b.form.portb_value, 1);

  b.form.Label7->clicked();
  EXPECT_EQ(b.form.portb_value, 255);
  EXPECT_EQ(b.t.board.writes(), QStringList({"DDRB=255", "PORTB=0"}));
  for (int bit = 0; bit < 8; ++bit) EXPECT_EQ(b.form.bbt[static_cast<size_t>(bit)]->colour(), platform::clRed);
  EXPECT_EQ(b.form.EDTpro->text(), "portB=255,300");
  b.form.Label7->clicked();
  EXPECT_EQ(b.form.portb_value, 0);
  EXPECT_EQ(b.t.board.writes().last(), "PORTB=255");

  // The slider's time follows in the composed instruction.
  b.form.bbt[1]->click();
  b.form.SCBjikan->setValue(500);
  EXPECT_EQ(b.form.EDTpro->text(), "portB=2,500");
  EXPECT_EQ(b.form.LBLportb->text(), "portB=2,500");
  EXPECT_EQ(b.form.RDBms->text(), "500m秒");
  b.form.SCBjikan->setValue(300);
  b.form.SCBjikan->setValue(800);
  b.form.Label16->clicked();
  EXPECT_EQ(b.form.out_time, 300);
  EXPECT_EQ(b.form.SCBjikan->value(), 300);
  EXPECT_EQ(b.form.EDTpro->text(), "portB=2,300");
}

TEST(WorkbenchBoard, DirectionsAndInputs) {
  Bench b;
  b.form.Timer2Timer();
  b.t.board.clearLog();
  b.form.IMGb[3]->click();
  EXPECT_TRUE(b.form.bbt[3]->isHidden());
  EXPECT_TRUE(b.form.IMGb[3]->isHidden());
  EXPECT_FALSE(b.form.IMGinb[3]->isHidden());
  EXPECT_FALSE(b.form.LBLb[3]->isHidden());
  EXPECT_EQ(b.form.ddrb_value, 247);
  EXPECT_EQ(b.form.LBLddrb->text(), "ddrB=247");
  EXPECT_EQ(b.form.PNLddrb->caption(), "ddrB=247");
  EXPECT_EQ(b.form.EDTpro->text(), "ddrB=247");
  EXPECT_EQ(b.t.board.writes(), QStringList({"DDRB=247"}));

  // A second click on a picture that is already hidden changes nothing.
  b.form.IMGb[3]->click();
  EXPECT_EQ(b.form.ddrb_value, 247);
  b.form.IMGinb[3]->click();
  EXPECT_EQ(b.form.ddrb_value, 255);
  EXPECT_FALSE(b.form.bbt[3]->isHidden());
  EXPECT_TRUE(b.form.LBLb[3]->isHidden());

  b.form.IMGb[0]->click();
  b.form.IMGb[7]->click();
  EXPECT_EQ(b.form.ddrb_value, 126);
  b.form.Label8->clicked();
  EXPECT_EQ(b.form.ddrb_value, 255);
  EXPECT_TRUE(b.form.LBLb[0]->isHidden());
  EXPECT_EQ(b.t.board.writes().last(), "DDRB=255");

  // The pictures and captions are buttons to assistive technology as well.
  QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(b.form.IMGb[5]);
  ASSERT_TRUE(picture && picture->actionInterface());
  EXPECT_EQ(picture->role(), QAccessible::Button);
  picture->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(b.form.ddrb_value, 255 - 32);
  QAccessibleInterface* caption = QAccessible::queryAccessibleInterface(b.form.Label8);
  ASSERT_TRUE(caption && caption->actionInterface());
  EXPECT_EQ(caption->text(QAccessible::Name), "入出力設定");
  caption->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(b.form.ddrb_value, 255);

  b.t.board.setPind(0x43);
  b.form.pinddat_hantei();
  EXPECT_EQ(b.form.LBLd6->text(), "１");
  EXPECT_EQ(b.form.LBLd1->text(), "１");
  EXPECT_EQ(b.form.LBLd0->text(), "１");
  EXPECT_EQ(b.form.pind_bits[6], 1);
  b.t.board.setPind(0x3C);
  b.form.pinddat_hantei();
  EXPECT_EQ(b.form.LBLd6->text(), "０");
  EXPECT_EQ(b.form.LBLd1->text(), "０");
  EXPECT_EQ(b.form.LBLd0->text(), "０");
  EXPECT_EQ(b.form.pind_bits[2], 0);

  b.t.board.setPinb(0xA5);
  b.form.pinbdat_hantei();
  EXPECT_EQ(b.form.pinb_value, 0xA5);
  EXPECT_EQ(b.form.LBLpinb->text(), "pinB=165");
  EXPECT_EQ(b.form.LBLb[7]->text(), "１");
  EXPECT_EQ(b.form.LBLb[6]->text(), "０");
  EXPECT_EQ(b.form.pinb_bits[0], 1);
  EXPECT_EQ(b.form.pinb_bits[1], 0);
}

TEST(WorkbenchBoard, LeavingSwitchesTheLedsOffBeforeClosingTheLink) {
  Bench b;
  b.form.show();
  b.form.startLinkTimer();
  b.form.Timer2Timer();
  b.form.portb_value = 9;
  b.form.ddrb_value = 15;
  b.t.board.clearLog();
  b.form.PNLsyuuryou->click();
  EXPECT_EQ(b.t.board.log(), QStringList({"DDRB=15", "PORTB=255", "UsbExit"}));
  EXPECT_FALSE(b.form.Timer2->isActive());
  EXPECT_FALSE(b.form.isVisible());
  EXPECT_EQ(b.host.menuShown, 1);
  EXPECT_EQ(b.host.positions[11], b.form.y());
  EXPECT_EQ(b.host.positions[12], b.form.x());
}

TEST(WorkbenchEditor, PanelsFillTheInstructionBoxAndTheRadiosRewriteThem) {
  Bench b;
  b.form.PNLdo->click();
  EXPECT_EQ(b.form.EDTpro->text(), "Do");
  b.form.RDBj->setChecked(true);
  b.form.RDBms->setChecked(false);
  b.form.RDBwt1->setChecked(true);
  EXPECT_FALSE(b.form.PNLwt1->isHidden());
  EXPECT_EQ(b.form.PNLwt1->caption(), "wt1=300");
  b.form.RDBms->setChecked(true);
  EXPECT_TRUE(b.form.PNLwt1->isHidden());
  EXPECT_EQ(b.form.PNLportb2hi->caption(), "portB=2^i,300");
  EXPECT_EQ(b.form.PNLfor->caption(), "For j=0 To 7");
  b.form.RadioButton4->setChecked(true);
  b.form.RDBdainari->setChecked(true);
  EXPECT_EQ(b.form.PNLifa->caption(), "If k>0 Then");
  b.form.PNLifa->click();
  EXPECT_EQ(b.form.EDTpro->text(), "If k>0 Then");
  b.form.CMBsub->setEditText("mae");
  EXPECT_EQ(b.form.PNLgosub->caption(), "Gosub mae");
  b.form.Edit3->setText("Hi");
  EXPECT_EQ(b.form.PNLlcd->caption(), "Lcd \"Hi\"");

  // Display Off carries the indentation level.
  b.form.jisage_level = 2;
  b.form.PNLdisplayoff->click();
  EXPECT_EQ(b.form.EDTpro->text(), "      Display Off");
  b.form.PNLdisplayon->click();
  EXPECT_EQ(b.form.EDTpro->text(), "Display On");
}

TEST(WorkbenchEditor, BoardAndTimeChangesSurviveARepaintOfThePanels) {
  Bench b;
  // The direction pictures and 入出力設定: the panel keeps the new direction
  // through a repaint by a comparison or variable radio, and inserts it.
  b.form.IMGb[7]->click();
  EXPECT_EQ(b.form.PNLddrb->caption(), "ddrB=127");
  b.form.RDBdainari->setChecked(true);
  EXPECT_EQ(b.form.PNLddrb->caption(), "ddrB=127");
  b.form.EDTpro->clear();
  b.form.PNLddrb->click();
  EXPECT_EQ(b.form.EDTpro->text(), "ddrB=127");
  b.form.IMGinb[7]->click();
  b.form.IMGb[0]->click();
  b.form.RadioButton3->setChecked(true);
  EXPECT_EQ(b.form.PNLddrb->caption(), "ddrB=254");
  b.form.Label8->clicked();
  b.form.RDBhitosii->setChecked(true);
  EXPECT_EQ(b.form.PNLddrb->caption(), "ddrB=255");

  // The LED row: the composed port number stays in the portB panel.
  b.form.bbt[0]->click();
  b.form.bbt[2]->click();
  b.form.RadioButton4->setChecked(true);
  EXPECT_EQ(b.form.PNLportb->caption(), "portB=5,300");
  b.form.EDTpro->clear();
  b.form.PNLportb->click();
  EXPECT_EQ(b.form.EDTpro->text(), "portB=5,300");
  b.form.Label7->clicked();
  b.form.RDBsyounari->setChecked(true);
  EXPECT_EQ(b.form.PNLportb->caption(), "portB=255,300");

  // The output time, and the port number with it.
  b.form.SCBjikan->setValue(500);
  b.form.RadioButton1->setChecked(true);
  EXPECT_EQ(b.form.PNLportb->caption(), "portB=255,500");
  EXPECT_EQ(b.form.PNLportba->caption(), "portB=a,500");
  EXPECT_EQ(b.form.PNLportb2h7i->caption(), "portB=2^(7-i),500");
  EXPECT_EQ(b.form.RDBms->text(), "500m秒");
}

TEST(WorkbenchEditor, ModesShowTheirGroupsAndSwitchTheRun) {
  Bench b;
  EXPECT_TRUE(b.form.RDBsyokyuu->isChecked());
  EXPECT_TRUE(b.form.PNLformenu->isHidden());
  EXPECT_TRUE(b.form.PNLexitdo->isHidden());
  EXPECT_FALSE(b.form.PNLdo->isHidden());
  b.form.RDBtyuukyuu->setChecked(true);
  EXPECT_FALSE(b.form.PNLformenu->isHidden());
  EXPECT_TRUE(b.form.PNLif->isHidden());
  b.form.RDBjoukyuu->setChecked(true);
  EXPECT_FALSE(b.form.PNLif->isHidden());
  EXPECT_FALSE(b.form.PNLportba->isHidden());
  b.form.RDBlcd->setChecked(true);
  EXPECT_FALSE(b.form.PNLlcdmenu->isHidden());
  EXPECT_FALSE(b.form.PNLa->isHidden());
  EXPECT_FALSE(b.form.PNLjikkou->isEnabled());
  b.form.RDBsound->setChecked(true);
  EXPECT_FALSE(b.form.PNLsoundmenu->isHidden());
  EXPECT_FALSE(b.form.PNLjikkou->isEnabled());
  b.form.RDBsyokyuu->setChecked(true);
  EXPECT_TRUE(b.form.PNLsoundmenu->isHidden());
  EXPECT_TRUE(b.form.PNLlcdmenu->isHidden());
  EXPECT_TRUE(b.form.PNLjikkou->isEnabled());
}

TEST(WorkbenchEditor, ListEditingIndentationAndClipboard) {
  Bench b;
  b.form.EDTpro->setText("  Loop ");
  b.form.PNLtuikaClick();
  b.form.EDTpro->setText("Do");
  b.form.PNLtuikaClick();
  b.form.EDTpro->setText("portB=1,300");
  b.form.PNLtuikaClick();
  EXPECT_EQ(b.form.programLines(), QStringList({"Loop", "Do", "portB=1,300"}));
  EXPECT_EQ(b.form.sel_index, 2);
  EXPECT_TRUE(b.form.LSTpro->item(2)->isSelected());
  EXPECT_FALSE(b.form.LSTpro->item(1)->isSelected());

  // Indenting lines 0 and 2 marks 0-2.
  selectRows(b.form.LSTpro, {0, 2});
  b.form.RDBjisage[2]->setChecked(true);
  EXPECT_FALSE(b.form.RDBjisage[2]->isChecked());
  EXPECT_EQ(b.form.jisage_level, 2);
  EXPECT_EQ(b.form.programLines(), QStringList({"      Loop", "Do", "      portB=1,300"}));
  for (int r = 0; r < 3; ++r) EXPECT_TRUE(b.form.LSTpro->item(r)->isSelected());

  // Clicking or moving with the keys chooses the line the panels act on.
  b.form.show();
  QTest::mouseClick(b.form.LSTpro->viewport(), Qt::LeftButton, {},
                    b.form.LSTpro->visualItemRect(b.form.LSTpro->item(1)).center());
  QCoreApplication::processEvents();
  EXPECT_EQ(b.form.sel_index, 1);
  QTest::keyClick(b.form.LSTpro, Qt::Key_Down);
  QCoreApplication::processEvents();
  EXPECT_EQ(b.form.sel_index, 2);
  b.form.hide();

  // A double click copies the line with its blanks.
  b.form.LSTpro->setCurrentRow(2);
  b.form.LSTproDBLClick();
  EXPECT_EQ(b.form.sel_index, 2);
  EXPECT_EQ(b.form.EDTpro->text(), "      portB=1,300");

  selectRows(b.form.LSTpro, {1, 2});
  b.form.PNLcopyClick();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "Do\r\n      portB=1,300\r\n");
  QGuiApplication::clipboard()->setText("A\nB");
  b.form.sel_index = 1;
  b.form.PNLpasteClick();
  EXPECT_EQ(b.form.programLines(), QStringList({"      Loop", "A", "B", "Do", "      portB=1,300"}));
  EXPECT_EQ(b.form.sel_index, 1);

  // 訂正 on an empty list changes nothing; 挿入 puts the line at the end.
  b.t.prompts.answerYesNo({false});
  b.form.PNLzensakujoClick();
  EXPECT_EQ(b.form.programLines().size(), 5);
  b.form.EDTfile->setText("memo");
  b.form.PNLzensakujoClick();
  EXPECT_TRUE(b.form.programLines().isEmpty());
  EXPECT_TRUE(b.form.EDTpro->text().isEmpty());
  EXPECT_TRUE(b.form.EDTfile->text().isEmpty());
  EXPECT_EQ(b.t.prompts.texts(), QStringList({"プログラムを全て消しますか?", "プログラムを全て消しますか?"}));
  b.form.EDTpro->setText("Do");
  b.form.sel_index = 5;
  b.form.PNLteiseiClick();
  EXPECT_TRUE(b.form.programLines().isEmpty());
  b.form.PNLsounyuuClick();
  EXPECT_EQ(b.form.programLines(), QStringList({"Do"}));

  b.form.ScrollBar3->setValue(14);
  EXPECT_EQ(b.form.LSTpro->font().pointSize(), 14);
}

TEST(WorkbenchFiles, SlotSaveAndLoadRoundTrip) {
  Bench b;
  b.form.setProgramLines({"Do", "   portB=1,300", "Loop"});
  b.form.EDTfile->setText("test");
  b.form.RDBfile[3]->setChecked(true);
  EXPECT_EQ(b.form.LBLfile->text(), "12-3.bas");
  EXPECT_EQ(b.form.CurrentFilePath, b.data("12-3.bas"));
  EXPECT_TRUE(b.form.EDTfile->text().isEmpty());
  EXPECT_FALSE(b.form.PNLhozon->isHidden());
  b.form.EDTfile->setText("test");
  b.form.PNLhozon->click();
  EXPECT_EQ(fileBytes(b.data("12-3.bas")), QByteArray("'test\r\nDo\r\n   portB=1,300\r\nLoop\r\n\r\n"));
  EXPECT_EQ(b.t.prompts.texts(), QStringList({b.data("12-3.bas") + "にプログラムを保存しますか？",
                                              b.data("12-3.bas") + "に保存しました！"}));
  EXPECT_EQ(b.form.programLines(), QStringList({"Do", "   portB=1,300", "Loop"}));

  // No: nothing written.
  b.t.prompts.clear();
  b.form.EDTfile->setText("other");
  b.t.prompts.answerYesNo({false});
  b.form.PNLhozonClick();
  EXPECT_EQ(b.t.prompts.texts().size(), 1);
  EXPECT_TRUE(fileBytes(b.data("12-3.bas")).startsWith("'test"));

  // Slot 0 hides the save panel when the list has lines.
  b.form.RDBfile[0]->setChecked(true);
  EXPECT_TRUE(b.form.PNLhozon->isHidden());
  b.form.setProgramLines({});
  b.form.RDBfile[5]->setChecked(true);
  EXPECT_TRUE(b.form.PNLhozon->isHidden());

  // Loading brings back the list and the comment; empty lines vanish.
  writeBytes(b.data("12-5.bas"), "\r\n'test\r\nDo\r\n\r\n   portB=1,300\r\nLoop\r\n\r\n");
  b.t.prompts.clear();
  b.form.PNLyomikomiClick();
  EXPECT_EQ(b.form.programLines(), QStringList({"Do", "   portB=1,300", "Loop"}));
  EXPECT_EQ(b.form.EDTfile->text(), "test");
  EXPECT_EQ(b.t.prompts.texts(), QStringList({b.data("12-5.bas") + "を読み込みますか？"}));

  // Missing and empty files.
  b.form.RDBfile[6]->setChecked(true);
  b.t.prompts.clear();
  b.form.PNLyomikomiClick();
  EXPECT_EQ(b.t.prompts.texts().last(), b.data("12-6.bas") + "が有りません！");
  EXPECT_EQ(b.form.programLines().size(), 3);
  writeBytes(b.data("12-6.bas"), "\r\n\r\n");
  b.form.PNLyomikomiClick();
  EXPECT_EQ(b.t.prompts.texts().last(), b.data("12-6.bas") + "のプログラムが有りません！");
  EXPECT_TRUE(b.form.programLines().isEmpty());
}

TEST(WorkbenchFiles, SlotZeroNeverOffersTheSave) {
  Bench b;
  b.form.setProgramLines({"Do"});
  b.form.RDBfile[3]->setChecked(true);
  ASSERT_FALSE(b.form.PNLhozon->isHidden());
  // Slot 0 chosen while the list is empty, then a line added.
  b.form.PNLzensakujoClick();
  b.form.RDBfile[0]->setChecked(true);
  EXPECT_TRUE(b.form.PNLhozon->isHidden());
  b.form.EDTpro->setText("Loop");
  b.form.PNLtuikaClick();
  EXPECT_TRUE(b.form.PNLhozon->isHidden());
  // Any other slot chosen with an empty list leaves the panel as it was.
  b.form.PNLzensakujoClick();
  b.form.RDBfile[4]->setChecked(true);
  EXPECT_TRUE(b.form.PNLhozon->isHidden());
}

TEST(WorkbenchFiles, SlotZeroFromTheMenuNeverOffersTheSave) {
  TestContext t;
  PelmoraWindows w(t.ctx);
  w.form1->Edit1->setText("12");
  w.form1->PNLmenu5Click();
  TForm6& f = *w.form6;
  f.setProgramLines({"Do"});
  f.RDBfile[3]->setChecked(true);
  ASSERT_FALSE(f.PNLhozon->isHidden());
  f.PNLsyuuryou->click();
  // The menu opens the window on slot 0 again.
  w.form1->PNLmenu5Click();
  EXPECT_TRUE(f.RDBfile[0]->isChecked());
  EXPECT_TRUE(f.PNLhozon->isHidden());
  f.PNLsyuuryou->click();
}

TEST(WorkbenchFiles, AFileThatCannotBeReadIsReportedAndLeavesTheList) {
  Bench b;
  const UnreadableFile locked(b.data("12-7.bas"));
  ASSERT_TRUE(locked.unreadable());
  b.form.setProgramLines({"Do", "Loop"});
  b.form.EDTfile->setText("keep");
  b.form.RDBfile[7]->setChecked(true);
  b.form.EDTfile->setText("keep");
  b.t.prompts.clear();
  b.form.PNLyomikomiClick();
  EXPECT_EQ(b.t.prompts.texts(),
            QStringList({b.data("12-7.bas") + "を読み込みますか？", b.data("12-7.bas") + "を読み込めません！"}));
  EXPECT_EQ(b.form.programLines(), QStringList({"Do", "Loop"}));
  EXPECT_EQ(b.form.EDTfile->text(), "keep");

  // The same through "R".
  b.form.setDialogPanelsVisible(true);
  b.t.prompts.clear();
  b.t.prompts.answerFiles({b.data("12-7.bas")});
  b.form.PNLreadClick();
  EXPECT_EQ(b.t.prompts.texts().last(), b.data("12-7.bas") + "を読み込めません！");
  EXPECT_EQ(b.form.programLines(), QStringList({"Do", "Loop"}));
  EXPECT_EQ(b.form.EDTfile->text(), "keep");
}

TEST(WorkbenchFiles, FailedSaveIsReportedWithoutSuccessAndKeepsTheOldFile) {
  Bench b;
  writeBytes(b.data("12-2.bas"), "'old\r\nDo\r\n\r\n");
  b.form.setProgramLines({"Do", QStringLiteral("Lcd \"\U0001F600\"")});
  b.form.RDBfile[2]->setChecked(true);
  b.t.prompts.clear();
  b.form.PNLhozonClick();
  ASSERT_EQ(b.t.prompts.texts().size(), 2);
  EXPECT_FALSE(b.t.prompts.texts()[1].contains("保存しました"));
  EXPECT_EQ(fileBytes(b.data("12-2.bas")), QByteArray("'old\r\nDo\r\n\r\n"));

  // The auto-save reports its failure too and says so to the caller.
  b.t.prompts.clear();
  EXPECT_FALSE(b.form.autoSave());
  EXPECT_EQ(b.t.prompts.texts().size(), 1);
  b.form.setProgramLines({"Do", "Loop"});
  b.form.EDTfile->setText("auto");
  b.t.prompts.clear();
  EXPECT_TRUE(b.form.autoSave());
  EXPECT_TRUE(b.t.prompts.texts().isEmpty());
  EXPECT_EQ(fileBytes(b.data("12-0.bas")), QByteArray("'auto\r\nDo\r\nLoop\r\n\r\n"));
  EXPECT_EQ(b.form.programLines(), QStringList({"Do", "Loop"}));
}

TEST(WorkbenchFiles, ExampleSlots) {
  Bench b;
  b.form.setProgramLines({"Do", "Loop"});
  // A missing example file is created empty; a pupil may not save over it.
  b.form.RDBrei[4]->setChecked(true);
  EXPECT_EQ(b.form.LBLfile->text(), "例-4.bas");
  EXPECT_TRUE(QFile::exists(b.data("例-4.bas")));
  EXPECT_TRUE(fileBytes(b.data("例-4.bas")).isEmpty());
  EXPECT_TRUE(b.form.PNLhozon->isHidden());
  // A FIFO in a slot's place is not made into a file: the pupil is told why.
  ASSERT_EQ(::mkfifo(QFile::encodeName(b.data("例-5.bas")).constData(), 0666), 0);
  b.t.prompts.clear();
  b.form.RDBrei[5]->setChecked(true);
  EXPECT_EQ(b.t.prompts.texts(), QStringList{b.data("例-5.bas") + "に書き込めません（通常のファイルではありません）"});

  ASSERT_TRUE(pelmora::workbench::program_file::write(b.data("例-1.bas"), QStringLiteral("点滅"), {"Do"}));
  b.form.RDBrei[1]->setChecked(true);
  EXPECT_EQ(b.form.EDTfile->text(), "点滅");
  EXPECT_EQ(b.form.programLines(), QStringList({"Do", "Loop"}));

  // The teacher number may.
  b.form.syusseki_bangou = "0000";
  b.form.RDBrei[2]->setChecked(true);
  EXPECT_FALSE(b.form.PNLhozon->isHidden());
  b.form.setProgramLines({});
  b.form.RDBrei[3]->setChecked(true);
  EXPECT_TRUE(b.form.PNLhozon->isHidden());
}

TEST(WorkbenchFiles, DialogReadAndSave) {
  Bench b;
  b.form.setDialogPanelsVisible(true);
  EXPECT_FALSE(b.form.PNLread->isHidden());
  b.form.setProgramLines({"Do"});

  // Cancel does nothing at all.
  b.form.PNLreadClick();
  b.form.PNLsaveClick();
  EXPECT_EQ(b.t.prompts.shown().size(), 2);
  EXPECT_EQ(b.form.programLines(), QStringList({"Do"}));

  // Saving adds the extension.
  b.form.EDTfile->setText("d");
  b.t.prompts.clear();
  b.t.prompts.answerFiles({b.data("mine")});
  b.form.PNLsaveClick();
  EXPECT_EQ(b.t.prompts.texts().last(), b.data("mine.bas") + "に保存しました！");
  EXPECT_EQ(fileBytes(b.data("mine.bas")), QByteArray("'d\r\nDo\r\n\r\n"));

  // Not in the saved form: the first line stays a program line.
  writeBytes(b.data("other.bas"), "Do\r\n\r\nLoop\r\n");
  b.t.prompts.answerFiles({b.data("other.bas")});
  b.t.prompts.answerYesNo({true, false});
  b.form.PNLreadClick();
  EXPECT_EQ(b.form.programLines(), QStringList({"Do", "Loop"}));
  EXPECT_TRUE(b.form.EDTfile->text().isEmpty());
  b.t.prompts.answerFiles({b.data("other.bas")});
  b.t.prompts.answerYesNo({true, true});
  b.form.PNLreadClick();
  EXPECT_EQ(b.form.programLines(), QStringList({"Loop"}));
  EXPECT_EQ(b.form.EDTfile->text(), "o");
  EXPECT_EQ(b.form.LBLfile->text(), "12-0.bas");

  b.t.prompts.clear();
  b.t.prompts.answerFiles({b.data("nothing.bas")});
  b.form.PNLreadClick();
  EXPECT_EQ(b.t.prompts.texts().last(), b.data("nothing.bas") + "が有りません！");
}

TEST(WorkbenchFiles, EightyLinesPrintOnTwoPages) {
  Bench b;
  QStringList lines;
  for (int n = 0; n < 80; ++n) lines << QStringLiteral("portB=%1,300").arg(n);
  b.form.setProgramLines(lines);
  const QString pdf = b.t.path("list.pdf");
  b.form.printerFactory = [pdf] {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(pdf);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setResolution(300);
    return std::unique_ptr<QPagedPaintDevice>(std::move(printer));
  };
  b.t.prompts.answerYesNo({false});
  b.form.PNLinsatuClick();
  EXPECT_FALSE(QFile::exists(pdf));
  b.form.PNLinsatuClick();
  const QByteArray bytes = fileBytes(pdf);
  const auto pages = QString::fromLatin1(bytes).count(QRegularExpression("/Type\\s*/Page[^s]"));
  EXPECT_EQ(pages, 2);
  EXPECT_EQ(b.t.prompts.texts(), QStringList({"プリンタは接続されていますか？", "プリンタは接続されていますか？"}));

  // A printer that cannot be opened is reported.
  b.form.printerFactory = [pdf] {
    auto printer = std::make_unique<QPrinter>();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName("/nonexistent-folder/x.pdf");
    return std::unique_ptr<QPagedPaintDevice>(std::move(printer));
  };
  b.t.prompts.clear();
  b.form.PNLinsatuClick();
  EXPECT_EQ(b.t.prompts.texts().size(), 2);
}

TEST(WorkbenchFiles, PrintedPagesHoldTheListingInOrder) {
  Bench b;
  QStringList lines;
  for (int n = 0; n < 80; ++n) lines << QStringLiteral("%1portB=%2,300").arg(n % 2 ? "   " : "").arg(n);
  b.form.setProgramLines(lines);
  b.form.EDTfile->setText("not printed");
  QList<PrintedLine> printed;
  b.form.printerFactory = [&printed] { return std::unique_ptr<QPagedPaintDevice>(new RecordingPrinter(printed)); };
  b.form.PNLinsatuClick();
  EXPECT_EQ(b.t.prompts.texts(), QStringList({"プリンタは接続されていますか？"}));

  // The title and the heading, then every program line in order, blanks
  // included, 50 pixels apart from 300 on; a line that would pass the
  // bottom margin of the 3508-pixel page starts the next page at 100.
  ASSERT_EQ(printed.size(), 82);
  auto at = [](const PrintedLine& l, int page, int x, int top) {
    return l.page == page && l.x == x && l.baseline > top && l.baseline < top + 50;
  };
  EXPECT_EQ(printed[0].text, "Ｔｅｓｋ制御　ペルモラ");
  EXPECT_TRUE(at(printed[0], 0, 100, 100)) << printed[0].baseline;
  EXPECT_EQ(printed[1].text, "出席番号" + b.data("12-0.bas") + "のプログラムリスト");
  EXPECT_TRUE(at(printed[1], 0, 150, 200)) << printed[1].baseline;
  for (int n = 0; n < 80; ++n) {
    const PrintedLine& l = printed[n + 2];
    EXPECT_EQ(l.text, lines[n]) << n;
    const bool first = n < 62;
    EXPECT_TRUE(at(l, first ? 0 : 1, 200, first ? 300 + 50 * n : 100 + 50 * (n - 62)))
        << n << " page " << l.page << " x " << l.x << " baseline " << l.baseline;
  }
}

TEST(WorkbenchOpener, MenuLoadsSlotZeroWithItsMessages) {
  TestContext t;
  PelmoraWindows w(t.ctx);
  t.prompts.clear();
  const QString path = t.path("data/12-0.bas");

  w.form1->Edit1->setText("12");
  w.form1->PNLmenu5Click();
  TForm6& f = *w.form6;
  EXPECT_EQ(t.prompts.texts(), QStringList({path + "が有りません"}));
  EXPECT_TRUE(f.isVisible());
  EXPECT_TRUE(f.Timer2->isActive());
  EXPECT_EQ(f.RDBfile[9]->text(), "12-9.bas");
  EXPECT_EQ(f.LBLfile->text(), "12-0.bas");
  EXPECT_EQ(f.Label10->text(), "12");
  EXPECT_EQ(f.syusseki_bangou, "12");
  EXPECT_TRUE(f.RDBlcd->isHidden());
  EXPECT_TRUE(f.PNLbascom->isHidden());
  f.PNLsyuuryou->click();

  // Only empty lines: opened, then no program; the comment stays.
  writeBytes(path, "\r\n\r\n");
  f.EDTfile->setText("keep");
  f.setProgramLines({"old"});
  w.form1->CBmaikon->setChecked(true);
  t.prompts.clear();
  w.form1->PNLmenu5Click();
  EXPECT_EQ(t.prompts.texts(), QStringList({path + "を開きます", path + "にプログラムが有りません！"}));
  EXPECT_EQ(f.EDTfile->text(), "keep");
  EXPECT_TRUE(f.programLines().isEmpty());
  EXPECT_FALSE(f.RDBlcd->isHidden());
  EXPECT_FALSE(f.BTsettei->isHidden());
  f.PNLsyuuryou->click();

  // A program: the comment and the lines.
  writeBytes(path, "'blink\r\nDo\r\n\r\n   portB=1,300\r\nLoop\r\n\r\n");
  f.RDBfile[4]->setChecked(true);
  t.prompts.clear();
  w.form1->PNLmenu5Click();
  EXPECT_EQ(t.prompts.texts(), QStringList({path + "を開きます"}));
  EXPECT_EQ(f.EDTfile->text(), "blink");
  EXPECT_EQ(f.programLines(), QStringList({"Do", "   portB=1,300", "Loop"}));
  EXPECT_TRUE(f.RDBfile[0]->isChecked());
  EXPECT_EQ(f.CurrentFilePath, path);

  // Closing the settings without the microcontroller menus hides LCD mode.
  f.PNLsyuuryou->click();
  w.form1->PNLsetteiClick();
  w.form1->CBmaikon->setChecked(false);
  w.form1->CBdialog->setChecked(true);
  w.form1->PNLtojiruClick();
  EXPECT_TRUE(f.RDBlcd->isHidden());
  EXPECT_FALSE(f.PNLread->isHidden());

  // No pupil number: only the request for one.
  w.form1->Edit1->clear();
  t.prompts.clear();
  w.form1->PNLmenu5Click();
  EXPECT_EQ(t.prompts.texts(), QStringList({"出席番号を入力してください！"}));
  EXPECT_FALSE(f.isVisible());
}
