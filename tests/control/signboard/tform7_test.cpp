#include "control/shell/pelmora_app.h"
#include "control/shell/tform1.h"
#include "control/signboard/lcd_palette.h"
#include "control/signboard/tform7.h"
#include "platform/colors.h"
#include "platform/textfile.h"
#include "support/test_context.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <gtest/gtest.h>

// Readable failure output for texts.
void PrintTo(const QString& s, std::ostream* os) { *os << s.toStdString(); }

using namespace pelmora;
using testsupport::FakeHost;
using testsupport::TestContext;

namespace {

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

QByteArray message(const QByteArray& start) { return (start + QByteArray(160, ' ')).left(160); }

quint32 colourOf(const TForm7& w, int cell) { return w.cell_panel[static_cast<size_t>(cell - 1)]->colour(); }

void press(TForm7& w, int key) { w.char_button[static_cast<size_t>(key - 1)]->click(); }

struct Window {
  explicit Window(int circuit = 1) : host(t) {
    host.circuit = circuit;
    form = std::make_unique<TForm7>(host);
  }
  TestContext t;
  FakeHost host;
  std::unique_ptr<TForm7> form;
};

}  // namespace

TEST(SignWindow, PaletteWritesUnderTheYellowCursorAndMovesOn) {
  Window w;
  TForm7& f = *w.form;
  EXPECT_EQ(colourOf(f, 1), platform::clYellow);
  EXPECT_EQ(colourOf(f, 17), 0xFFFFDDu);
  EXPECT_EQ(colourOf(f, 16), platform::clWhite);
  EXPECT_EQ(f.char_button[6]->text(), "&&");  // shown as one ampersand

  f.cell_panel[39]->click();  // cell 40
  EXPECT_EQ(colourOf(f, 1), platform::clWhite);
  press(f, 34);
  EXPECT_EQ(f.design().cell(40), "A");
  EXPECT_EQ(f.cell_panel[39]->caption(), "A");
  EXPECT_EQ(f.cursor_cell(), 41);
  EXPECT_EQ(colourOf(f, 40), 0xFFFFDDu);
  EXPECT_EQ(colourOf(f, 41), platform::clYellow);

  f.cell_panel[79]->click();
  press(f, 114);  // ｱ
  EXPECT_EQ(f.design().cell(80), "\xB1");
  EXPECT_EQ(f.cell_panel[79]->caption(), QString::fromUtf8("ｱ"));
  EXPECT_EQ(f.cursor_cell(), 1);
  EXPECT_EQ(colourOf(f, 1), platform::clYellow);

  // Clicking the cursor cell again keeps it yellow.
  f.cell_panel[0]->click();
  EXPECT_EQ(colourOf(f, 1), platform::clYellow);
  EXPECT_EQ(f.cursor_cell(), 1);

  f.PNLsakujo->click();
  EXPECT_EQ(f.design().cell(40), "");
  EXPECT_EQ(f.cell_panel[39]->caption(), "");
  EXPECT_EQ(colourOf(f, 1), platform::clYellow);
}

TEST(SignWindow, SwitchBoxesChooseTheConditionShown) {
  Window w;
  TForm7& f = *w.form;
  press(f, 34);
  f.CBjouken2->setChecked(true);
  EXPECT_EQ(f.LBLjouken->text(), "1");
  EXPECT_EQ(f.design().cell(1), "");
  press(f, 35);  // B into condition 1
  f.CBjouken2->setChecked(false);
  EXPECT_EQ(f.LBLjouken->text(), "0");
  EXPECT_EQ(f.design().cell(1), "A");
  EXPECT_EQ(f.design().message(1).left(4), "   B");

  f.CBjouken4->setChecked(true);
  f.CBjouken3->setChecked(true);
  f.CBjouken2->setChecked(true);
  EXPECT_EQ(f.jouken_no(), 7);
  EXPECT_EQ(f.cursor_cell(), 3);

  f.PNLzensakujo->click();
  f.CBjouken3->setChecked(false);
  f.CBjouken4->setChecked(false);
  EXPECT_EQ(f.design().cell(2), "");
  EXPECT_EQ(f.jouken_no(), 1);
}

TEST(SignWindow, CircuitSetsMicrocontrollerCrystalAndPins) {
  {
    Window w(3);  // copied from the menu at creation
    TForm7& f = *w.form;
    EXPECT_TRUE(f.RBkairo3->isChecked());
    EXPECT_TRUE(f.RBavr2->isChecked());
    EXPECT_TRUE(f.CBcrystal->isChecked());
    EXPECT_EQ(f.CBjouken2->text(), "pinC.1");
    f.CBjouken->setChecked(true);
    EXPECT_EQ(f.CBjouken2->text(), "pinC.2");
    EXPECT_EQ(f.CBjouken4->text(), "pinC.4");
  }
  Window w;
  TForm7& f = *w.form;
  EXPECT_TRUE(f.RBavr1->isChecked());
  EXPECT_FALSE(f.CBcrystal->isChecked());
  f.CBjouken->setChecked(true);
  EXPECT_EQ(f.CBjouken2->text(), "pinD.2");
  f.CBjouken2->setChecked(true);
  f.selectCircuit(2);
  EXPECT_TRUE(f.RBavr1->isChecked());
  EXPECT_TRUE(f.CBcrystal->isChecked());
  EXPECT_FALSE(f.CBjouken->isChecked());
  EXPECT_EQ(f.CBjouken2->text(), "pinD.0");
  EXPECT_EQ(f.CBjouken4->text(), "pinD.6");
  EXPECT_TRUE(f.CBjouken2->isChecked());  // the switch boxes keep their ticks
  EXPECT_EQ(f.jouken_no(), 1);
  f.CBjouken->setChecked(true);
  EXPECT_EQ(f.CBjouken2->text(), "pinD.2");

  f.RadioButton17->setChecked(true);
  EXPECT_EQ(f.ScrollBar1->value(), 100);
  f.ScrollBar1->setValue(700);
  EXPECT_TRUE(f.RadioButton17->isChecked());
  f.RadioButton19->setChecked(true);
  EXPECT_EQ(f.ScrollBar1->value(), 500);
}

TEST(SignWindow, GlyphEditorDefinesAndShowsCustomCharacters) {
  Window w;
  TForm7& f = *w.form;
  f.PNLkakutei->click();
  EXPECT_EQ(f.glyph_label[0]->text(), "0,31,31,31,31,31,31,31,31");

  f.glyph_radio[5]->setChecked(true);
  f.PNLsiro->click();
  f.dot_panel[0]->click();
  f.PNLkakutei->click();
  EXPECT_EQ(f.design().glyph(5), "5,16,0,0,0,0,0,0,0");
  EXPECT_EQ(f.glyph_label[5]->text(), "5,16,0,0,0,0,0,0,0");
  f.PNLhanten->click();
  f.PNLhanten->click();
  EXPECT_EQ(f.dot_panel[0]->colour(), platform::clBlack);
  EXPECT_EQ(f.dot_panel[1]->colour(), platform::clWhite);
  // A screen reader names each dot and tells whether it is lit.
  platform::ui::installAccessibility();
  QAccessibleInterface* dot = QAccessible::queryAccessibleInterface(f.dot_panel[1]);
  ASSERT_NE(dot, nullptr);
  EXPECT_EQ(dot->text(QAccessible::Name), "ドット 1行2列");
  EXPECT_EQ(dot->text(QAccessible::Description), "白");

  QList<QByteArray> lines(8);
  lines << "0,0" << "1,0" << "2,40" << "" << "4,5";
  ASSERT_TRUE(f.loadSignFile("x.dat", lines));
  EXPECT_EQ(f.glyph_label[3]->text(), "");
  f.glyph_radio[2]->setChecked(true);
  EXPECT_EQ(f.dots().definition(2), "2,31,31,31,31,31,31,31,31");
  f.glyph_radio[4]->setChecked(true);
  EXPECT_EQ(f.dots().definition(4), "4,5,5,5,5,5,5,5,5");
  // An empty definition cannot be drawn: one message, the grid unchanged.
  w.t.prompts.clear();
  f.glyph_radio[3]->setChecked(true);
  EXPECT_EQ(w.t.prompts.texts(), QStringList{"'' は整数ではありません"});
  EXPECT_EQ(f.dots().definition(4), "4,5,5,5,5,5,5,5,5");
}

TEST(SignWindow, SaveAndLoadAskFirstAndReportFailures) {
  Window w;
  TForm7& f = *w.form;
  auto& prompts = w.t.prompts;
  const QString path = w.t.path("data/lcd1.dat");
  press(f, 34);

  prompts.answerYesNo({false});
  f.PNLhozon->click();
  EXPECT_EQ(prompts.texts(), QStringList{path + "にプログラムを保存しますか？"});
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_EQ(f.design().message(0).left(2), " A");  // stored before the question

  prompts.clear();
  f.PNLhozon->click();
  EXPECT_EQ(prompts.texts(), (QStringList{path + "にプログラムを保存しますか？", path + "に保存しました！"}));
  const QByteArray saved = fileBytes(path);
  EXPECT_EQ(platform::splitLines(saved).size(), 16);

  // 呼出 brings the saved design back.
  f.PNLzensakujo->click();
  prompts.clear();
  f.PNLyobidasi->click();
  EXPECT_EQ(prompts.texts(), QStringList{path + "を読み込みますか？"});
  EXPECT_EQ(f.design().cell(1), "A");

  // Slots name the pupil's files; a missing one is reported.
  f.file_radio[2]->setChecked(true);
  EXPECT_EQ(f.EDTfile->text(), "lcd12_3");
  prompts.clear();
  f.PNLyobidasi->click();
  EXPECT_EQ(prompts.texts().last(), w.t.path("data/lcd12_3.dat") + "が有りません！");

  // A name that leaves the data folder is refused before anything is asked.
  f.EDTfile->setText("../lcd");
  prompts.clear();
  f.PNLhozon->click();
  f.PNLyobidasi->click();
  ASSERT_EQ(prompts.texts().size(), 2);
  EXPECT_EQ(prompts.shown()[0].kind, platform::ScriptedPrompts::Kind::Message);
  EXPECT_FALSE(QFile::exists(w.t.path("lcd.dat")));

  // A file with a malformed line changes nothing.
  f.EDTfile->setText("bad");
  ASSERT_TRUE(platform::textfile::writeRawLines(w.t.path("data/bad.dat"), {message(" Z"), message("") + "x"}));
  prompts.clear();
  f.PNLyobidasi->click();
  EXPECT_EQ(prompts.texts().last(), w.t.path("data/bad.dat") + "の2行目は電光掲示板のデータではありません！");
  EXPECT_EQ(f.design().cell(1), "A");

  // A failed write is reported and never followed by the success message.
  f.EDTfile->setText("lcd1");
  ASSERT_TRUE(QDir(w.t.path("data")).removeRecursively());
  prompts.clear();
  f.PNLhozon->click();
  ASSERT_EQ(prompts.texts().size(), 2);
  EXPECT_TRUE(prompts.texts()[1].startsWith(path + "に書き込めません"));
}

// Key 96 (code 0x7F, a left arrow on the LCD) writes the two bytes of "←";
// its second byte alone is the katakana key ｩ (0xA9), so the cell must keep
// both bytes together through the file.
TEST(SignWindow, TheArrowKeyKeepsItsCaptionThroughSaveAndLoad) {
  Window w;
  TForm7& f = *w.form;
  const QByteArray arrow("\x81\xA9", 2);
  EXPECT_EQ(signboard::keyCaption(96), arrow);
  EXPECT_EQ(f.char_button[95]->text(), "←");
  press(f, 96);
  press(f, 106);  // ｩ
  press(f, 96);
  EXPECT_EQ(f.design().cell(1), arrow);
  EXPECT_EQ(f.cell_panel[0]->caption(), "←");

  f.PNLhozon->click();
  const QList<QByteArray> lines = platform::splitLines(fileBytes(w.t.path("data/lcd1.dat")));
  ASSERT_EQ(lines.size(), 16);
  EXPECT_EQ(lines[0], message(arrow + " \xA9" + arrow));

  f.PNLzensakujo->click();
  ASSERT_EQ(f.design().cell(1), "");
  f.PNLyobidasi->click();
  EXPECT_EQ(f.design().cell(1), arrow);
  EXPECT_EQ(f.design().cell(2), "\xA9");
  EXPECT_EQ(f.design().cell(3), arrow);
  EXPECT_EQ(f.cell_panel[0]->caption(), "←");
  EXPECT_EQ(f.cell_panel[1]->caption(), QString::fromUtf8("ｩ"));

  // The loaded cells find their own keys again.
  QDir(w.t.dir.path()).mkdir("mirvotak");
  f.PNLbascom->click();
  EXPECT_TRUE(fileBytes(w.t.path("data/bascom.bas")).contains("\r\nBdata0:\r\ndata &H7F\r\ndata &HA9\r\ndata &H7F\r\ndata &H80\r\n"));
}

TEST(SignWindow, DialogPanelsAskOnlyAboutAChosenFile) {
  Window w;
  TForm7& f = *w.form;
  auto& prompts = w.t.prompts;
  f.setDialogPanelsVisible(true);
  EXPECT_FALSE(f.PNLread->isHidden());

  f.PNLread->click();
  f.PNLsave->click();
  EXPECT_TRUE(prompts.texts().isEmpty());  // only the two dialogs
  ASSERT_EQ(prompts.shown().size(), 2);
  EXPECT_EQ(prompts.shown()[0].kind, platform::ScriptedPrompts::Kind::OpenFile);

  const QString chosen = w.t.path("mine");
  prompts.clear();
  prompts.answerFiles({chosen});
  press(f, 35);
  f.PNLsave->click();
  EXPECT_EQ(prompts.texts().last(), chosen + ".dat" + "に保存しました！");
  EXPECT_EQ(platform::splitLines(fileBytes(chosen + ".dat"))[0].left(2), " B");

  f.PNLzensakujo->click();
  prompts.clear();
  prompts.answerFiles({chosen + ".dat"});
  f.PNLread->click();
  EXPECT_EQ(f.design().cell(1), "B");
  // A cancelled dialog asks about the last choice again; No ends it.
  prompts.clear();
  prompts.answerYesNo({false});
  f.PNLread->click();
  EXPECT_EQ(prompts.texts().last(), chosen + ".dat" + "を読み込みますか？");
}

TEST(SignWindow, LeavingSavesTheWorkingSlotAndShowsTheMenu) {
  Window w;
  TForm7& f = *w.form;
  f.showAtStoredPosition();
  press(f, 36);
  f.move(30, 40);
  f.PNLsyuuryou->click();
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(w.host.menuShown, 1);
  EXPECT_EQ(w.host.positions[13], f.y());
  EXPECT_EQ(w.host.positions[14], f.x());
  EXPECT_TRUE(w.t.prompts.texts().isEmpty());
  EXPECT_EQ(platform::splitLines(fileBytes(w.t.path("data/lcd12_1.dat")))[0].left(2), " C");

  w.host.pupil.clear();
  f.PNLsyuuryou->click();
  EXPECT_TRUE(QFile::exists(w.t.path("data/lcd_1.dat")));

  // A failed auto-save is reported; the window is left all the same.
  ASSERT_TRUE(QDir(w.t.path("data")).removeRecursively());
  f.show();
  f.PNLsyuuryou->click();
  ASSERT_EQ(w.t.prompts.texts().size(), 1);
  EXPECT_TRUE(w.t.prompts.texts()[0].contains("に書き込めません"));
  EXPECT_EQ(w.host.menuShown, 3);
}

TEST(SignWindow, UploadWritesBothFilesAndUploadsOnlyAfterBothWrites) {
  Window w;
  TForm7& f = *w.form;
  auto& prompts = w.t.prompts;
  QDir(w.t.dir.path()).mkdir("mirvotak");
  press(f, 34);

  prompts.answerYesNo({false});
  f.PNLbascom->click();
  EXPECT_FALSE(QFile::exists(w.t.path("data/bascom.bas")));
  EXPECT_EQ(prompts.texts(), QStringList{"マイコンの設定は良いですか？"});

  f.RBhidari->setChecked(true);
  f.ScrollBar1->setValue(1000);
  f.CBXkai->setCurrentText("10回");
  f.CBXjikan->setCurrentText("100m秒");
  prompts.clear();
  f.PNLbascom->click();
  EXPECT_EQ(prompts.texts().size(), 1);
  EXPECT_EQ(w.host.uploads, 0);
  const QByteArray bytes = fileBytes(w.t.path("data/bascom.bas"));
  EXPECT_EQ(fileBytes(w.t.path("mirvotak/mirvotak.bas")), bytes);
  EXPECT_TRUE(bytes.endsWith("data &H80\r\n\r\n"));
  EXPECT_TRUE(bytes.contains("\r\n   next I\r\n   For I=1 To 40\r\n      shiftlcd left\r\n      Waitms 1000\r\n"));
  EXPECT_TRUE(bytes.contains("\r\nBdata0:\r\ndata &H41\r\n"));

  const auto in = f.basicInput();
  ASSERT_TRUE(in);
  EXPECT_EQ(in->blinkCount, "1");
  EXPECT_EQ(in->blinkMs, "100");

  w.host.douji = true;
  f.PNLbascom->click();
  EXPECT_EQ(w.host.uploads, 1);

  // Without the compiler folder the write fails: reported, and no upload.
  ASSERT_TRUE(QDir(w.t.path("mirvotak")).removeRecursively());
  prompts.clear();
  f.PNLbascom->click();
  ASSERT_EQ(prompts.texts().size(), 2);
  EXPECT_TRUE(prompts.texts()[1].contains("mirvotak.bas"));
  EXPECT_EQ(w.host.uploads, 1);
}

TEST(SignWindow, MenuOffersTheWorkingSlotWhenOpening) {
  TestContext t;
  PelmoraWindows w(t.ctx);
  t.prompts.clear();
  w.form1->Edit1->setText("12");
  const QString path = t.ctx.appDir + "data/lcd12_1.dat";
  ASSERT_TRUE(platform::textfile::writeRawLines(path, {message(" Q"), message(" R")}));

  // No: nothing is read.
  t.prompts.answerYesNo({false});
  w.form1->PNLmenu6Click();
  EXPECT_EQ(t.prompts.texts(), QStringList{path + "を読み込みますか？"});
  EXPECT_EQ(w.form7->EDTfile->text(), "lcd12_1");
  EXPECT_EQ(w.form7->design().cell(1), "");
  EXPECT_TRUE(w.form7->isVisible());
  EXPECT_FALSE(w.form1->isVisible());
  w.form7->PNLsyuuryou->click();
  EXPECT_TRUE(w.form1->isVisible());

  // The leave just saved an empty design over it; write the file again.
  ASSERT_TRUE(platform::textfile::writeRawLines(path, {message(" Q"), message(" R")}));
  t.prompts.clear();
  w.form1->PNLmenu6Click();
  EXPECT_EQ(t.prompts.texts(), QStringList{path + "を読み込みますか？"});
  EXPECT_EQ(w.form7->design().cell(1), "Q");
  EXPECT_EQ(signboard::messageCell(w.form7->design().message(1), 1), "R");
  EXPECT_EQ(w.form1->CurrentFilePath, path);
  w.form7->PNLsyuuryou->click();

  // A missing file is reported; the window opens all the same.
  w.form1->Edit1->setText("");
  t.prompts.clear();
  w.form1->RBkairo3->setChecked(true);
  w.form1->PNLmenu6Click();
  const QString missing = t.ctx.appDir + "data/lcd_1.dat";
  EXPECT_EQ(t.prompts.texts(), (QStringList{missing + "を読み込みますか？", missing + "が有りません！"}));
  EXPECT_TRUE(w.form7->isVisible());
  EXPECT_TRUE(w.form7->RBkairo3->isChecked());
}
