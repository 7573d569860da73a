#include "control/musicbox/tform8.h"
#include "control/shell/pelmora_app.h"
#include "control/shell/tform1.h"
#include "platform/colors.h"
#include "platform/textfile.h"
#include "support/test_context.h"

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace pelmora;
using testsupport::FakeHost;
using testsupport::TestContext;

namespace {

const QString kTen = QStringLiteral(
    "data \"_C_16\",\"_C_16\",\"_C_16\",\"_C_16\",\"_C_16\",\"_C_16\",\"_C_16\",\"_C_16\",\"_C_16\",\"_C_16\"");

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}

QByteArray golden(const char* name) { return fileBytes(QStringLiteral(MUSICBOX_GOLDEN_DIR "/") + QString::fromLatin1(name)); }

struct MusicBox {
  TestContext t;
  FakeHost host{t};
  TForm8 w{host};
  QString line(int n) const { return w.dataEdits[static_cast<size_t>(n)]->text(); }
};

// What the pupil sees of a note radio's cell: three points of the window's
// picture inside the cell, clear of the indicator and the caption.
std::string cellColours(TForm8& w, int slot) {
  QRadioButton* r = w.noteRadios[static_cast<size_t>(slot)];
  w.show();
  QApplication::processEvents();
  const QImage picture = w.grab().toImage();
  QStringList seen;
  for (const QPoint& p : {QPoint(r->width() - 3, 2), QPoint(r->width() - 3, r->height() - 3), QPoint(r->width() / 2, 1)})
    seen << picture.pixelColor(r->mapTo(&w, p)).name();
  return seen.join(' ').toStdString();
}

}  // namespace

TEST(MusicBoxWindow, KeysAppendTenCodesALineAndMoveTheCurrentLine) {
  MusicBox m;
  EXPECT_EQ(m.w.Edit1->text(), " C 16");
  EXPECT_EQ(m.w.edit131->text(), " C (ド)４分");
  EXPECT_EQ(m.line(1), " ");
  for (int i = 0; i < 10; ++i) m.w.buttons[8]->click();
  EXPECT_EQ(m.line(1), kTen);
  EXPECT_EQ(m.w.CurLine, 2);
  EXPECT_TRUE(m.w.lineSelectors[2]->isChecked());
  m.w.buttons[8]->click();
  EXPECT_EQ(m.line(2), "data \"_C_16\"");
  EXPECT_TRUE(m.t.prompts.texts().isEmpty());

  // Without 直接入力 a key only composes; ←追加 appends what Edit1 holds.
  m.w.CheckBox11->setChecked(false);
  EXPECT_TRUE(m.w.Panel3->isVisibleTo(&m.w));
  m.w.PanelClick(44);  // high A#
  EXPECT_EQ(m.w.Edit1->text(), "+A#16");
  EXPECT_EQ(m.line(2), "data \"_C_16\"");
  m.w.Edit1->setText(" E 08");
  m.w.Panel3->click();
  EXPECT_EQ(m.line(2), "data \"_C_16\",\"_E_08\"");
  m.w.Edit1->clear();
  m.w.Panel3->click();
  EXPECT_EQ(m.line(2), "data \"_C_16\",\"_E_08\"");

  // A rest button checks its length, which stays checked.
  m.w.CheckBox11->setChecked(true);
  m.w.buttons[35]->click();
  EXPECT_EQ(m.line(2), "data \"_C_16\",\"_E_08\",\"_K_16\"");
  m.w.buttons[33]->click();
  EXPECT_TRUE(m.w.RBf[1]->isChecked());
  EXPECT_EQ(m.w.edit131->text(), " K (休符)全");

  // The pupil picks line 5 by its selector.
  m.w.lineSelectors[5]->setChecked(true);
  m.w.buttons[1]->click();
  EXPECT_EQ(m.line(5), "data \"-C_64\"");
}

TEST(MusicBoxWindow, KeySignatureColoursAndChoosesTheKeys) {
  MusicBox m;
  const std::string yellow = "#ffff00 #ffff00 #ffff00";
  const std::string white = "#ffffff #ffffff #ffffff";
  EXPECT_EQ(cellColours(m.w, 8), yellow);   // C
  EXPECT_EQ(cellColours(m.w, 29), white);     // C#
  EXPECT_EQ(cellColours(m.w, 66), white);     // rest
  m.w.keyBoxes[2]->setChecked(true);  // C#
  for (int slot : {1, 8, 15}) EXPECT_EQ(cellColours(m.w, slot), white) << slot;
  for (int slot : {22, 29, 36}) EXPECT_EQ(cellColours(m.w, slot), yellow) << slot;
  EXPECT_EQ(cellColours(m.w, 9), yellow);   // D stays in the key
  m.w.keyBoxes[5]->setChecked(true);  // Bb
  EXPECT_EQ(cellColours(m.w, 56), yellow);
  EXPECT_EQ(cellColours(m.w, 14), white);
  m.w.keyBoxes[5]->setChecked(false);
  m.w.buttons[1]->click();
  m.w.buttons[8]->click();
  m.w.buttons[15]->click();
  EXPECT_EQ(m.line(1), "data \"-C#16\",\"_C#16\",\"+C#16\"");

  m.w.keyBoxes[4]->setChecked(true);  // D#
  m.w.keyBoxes[7]->setChecked(true);  // Db
  m.w.buttons[9]->click();
  m.w.PanelClick(35);
  EXPECT_EQ(m.line(1), "data \"-C#16\",\"_C#16\",\"+C#16\",\"_D#16\",\"_Db16\"");
  // Keys without a caption are named for a screen reader.
  QAccessibleInterface* key = QAccessible::queryAccessibleInterface(m.w.keyPanels[30]);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->text(QAccessible::Name), "-C# (ド)");
  // White key panels ignore the key signature.
  m.w.PanelClick(9);
  EXPECT_TRUE(m.line(1).endsWith(",\"-C_16\""));
}

TEST(MusicBoxWindow, LineOperationsNeverPushNotesPastTheLastLine) {
  MusicBox m;
  for (int n = 1; n <= 12; ++n) m.w.dataEdits[static_cast<size_t>(n)]->setText(QStringLiteral("data \"_C_%1\"").arg(n + 10));
  m.w.lineSelectors[3]->setChecked(true);
  m.w.Button51->click();
  EXPECT_EQ(m.line(2), "data \"_C_12\"");
  EXPECT_TRUE(m.line(3).isEmpty());
  EXPECT_EQ(m.line(13), "data \"_C_22\"");
  EXPECT_EQ(m.w.CurLine, 3);
  m.w.Button51->click();
  EXPECT_EQ(m.t.prompts.texts(), QStringList{"データが一杯です！"});
  EXPECT_TRUE(m.line(3).isEmpty());

  // Line 13 full: the next note is refused, not added.
  m.t.prompts.clear();
  m.w.dataEdits[13]->setText(kTen);
  m.w.lineSelectors[13]->setChecked(true);
  m.w.buttons[9]->click();
  EXPECT_EQ(m.line(13), kTen);
  EXPECT_EQ(m.t.prompts.texts(), QStringList{"データが一杯です！"});
  // Exactly 78 characters count as full.
  m.t.prompts.clear();
  const QString nine = kTen.left(kTen.size() - 8).replace("data ", "data   ");
  ASSERT_EQ(nine.size(), 78);
  m.w.dataEdits[13]->setText(nine);
  m.w.buttons[9]->click();
  EXPECT_EQ(m.line(13), nine);
  EXPECT_EQ(m.t.prompts.texts(), QStringList{"データが一杯です！"});

  m.w.Button52->click();
  EXPECT_EQ(m.line(1), "data \"_C_11\",\"_C_12\"");

  m.t.prompts.answerYesNo({false, true});
  m.w.PNLsakujo->click();
  EXPECT_FALSE(m.line(1).isEmpty());
  m.w.PNLsakujo->click();
  for (int n = 1; n <= 13; ++n) EXPECT_TRUE(m.line(n).isEmpty());
  EXPECT_EQ(m.w.Edit2->text(), "data 120");
}

TEST(MusicBoxWindow, SlotFilesSaveAndLoadAndFailuresAreReported) {
  MusicBox m;
  m.w.RBfile[3]->setChecked(true);
  EXPECT_EQ(m.w.EDTfile->text(), "org12_3");
  m.w.dataEdits[1]->setText("data \"_C_16\"");
  m.w.dataEdits[3]->setText("data \"_E_16\"");
  m.w.PNLhozon->click();
  const QString path = m.t.path("data/org12_3.dat");
  EXPECT_EQ(m.t.prompts.texts(), (QStringList{path + "にプログラムを保存しますか？", path + "に保存しました！"}));
  EXPECT_EQ(fileBytes(path), "data 120\r\ndata \"_C_16\"\r\ndata \"_E_16\"\r\n");

  m.w.dataEdits[5]->setText("data \"_G_16\"");
  m.w.PNLyobidasi->click();
  EXPECT_EQ(m.line(2), "data \"_E_16\"");
  EXPECT_TRUE(m.line(3).isEmpty());
  EXPECT_TRUE(m.line(5).isEmpty());

  // A missing slot and a name that would leave the data folder change nothing.
  m.t.prompts.clear();
  m.w.RBfile[9]->setChecked(true);
  m.w.PNLyobidasi->click();
  EXPECT_EQ(m.t.prompts.texts().last(), m.t.path("data/org12_9.dat") + "が有りません！");
  EXPECT_EQ(m.line(2), "data \"_E_16\"");
  m.w.EDTfile->setText("../org");
  m.w.PNLhozon->click();
  EXPECT_EQ(m.t.prompts.texts().last(), "ファイル名に使えない文字が含まれています！");

  // A failed write is reported and no success follows.
  m.t.prompts.clear();
  m.w.EDTfile->setText("org12_3");
  QDir(m.t.path("data")).removeRecursively();
  m.w.PNLhozon->click();
  ASSERT_EQ(m.t.prompts.texts().size(), 2);
  EXPECT_FALSE(m.t.prompts.texts()[1].contains("に保存しました！"));
}

TEST(MusicBoxWindow, LeavingSavesSlotOneAndShowsTheMenu) {
  MusicBox m;
  m.w.showAtStoredPosition();
  m.w.RBfile[5]->setChecked(true);
  m.w.dataEdits[1]->setText("data \"+B_32\"");
  m.w.Panel4->click();
  EXPECT_EQ(fileBytes(m.t.path("data/org12_1.dat")), "data 120\r\ndata \"+B_32\"\r\n");
  EXPECT_FALSE(QFile::exists(m.t.path("data/org12_5.dat")));
  EXPECT_FALSE(m.w.isVisible());
  EXPECT_EQ(m.host.menuShown, 1);
  EXPECT_EQ(m.host.positions[15], m.w.y());
  EXPECT_TRUE(m.t.prompts.texts().isEmpty());

  // A failed auto-save is reported; the melody stays in the window.
  QDir(m.t.path("data")).removeRecursively();
  m.w.showAtStoredPosition();
  m.w.Panel4->click();
  ASSERT_EQ(m.t.prompts.texts().size(), 1);
  EXPECT_TRUE(m.t.prompts.texts()[0].contains("org12_1.dat"));
  EXPECT_EQ(m.host.menuShown, 2);
  EXPECT_EQ(m.line(1), "data \"+B_32\"");
}

TEST(MusicBoxWindow, TextMelodyImportIsAllOrNothing) {
  MusicBox m;
  m.w.setDialogPanelsVisible(true);
  m.w.dataEdits[2]->setText("data \"_A_16\"");
  const QString good = m.t.path("data/song.EKM");
  ASSERT_TRUE(platform::textfile::writeLines(good, {"song", "tempo= 132 ", "O4C4", "O4D+8.", "O5B-16", "R2", "O3A1", "O4G1."}));
  m.t.prompts.answerFiles({good});
  m.w.PNLread->click();
  // The tempo text stands as the file gives it, blanks included.
  EXPECT_EQ(m.w.Edit2->text(), "data  132 ");
  EXPECT_EQ(m.line(1), "data \"_C_16\",\"_D#12\",\"+Bb04\",\"_K_32\",\"-A_64\",\"_G_96\"");
  EXPECT_TRUE(m.line(2).isEmpty());
  // The program takes that tempo line unchanged.
  QDir(m.t.dir.path()).mkdir("mirvotak");
  m.w.Panel1->click();
  EXPECT_TRUE(platform::splitLines(fileBytes(m.t.path("mirvotak/mirvotak.bas"))).contains("data  132 "));
  // A tempo no radio names survives the next note until a radio is picked.
  m.w.buttons[10]->click();
  EXPECT_EQ(m.w.Edit2->text(), "data  132 ");
  m.w.tempoRadios[2]->setChecked(true);
  m.w.buttons[10]->click();
  EXPECT_EQ(m.w.Edit2->text(), "data 70");
  m.w.dataEdits[1]->setText("data \"_C_16\",\"_D#12\",\"+Bb04\",\"_K_32\",\"-A_64\"");
  m.w.Edit2->setText("data 132");

  const QString bad = m.t.path("data/bad.ekm");
  ASSERT_TRUE(platform::textfile::writeLines(bad, {"song", "tempo=90", "O4C4", "O4X4"}));
  m.t.prompts.clear();
  m.t.prompts.answerFiles({bad});
  m.w.PNLread->click();
  EXPECT_EQ(m.t.prompts.texts().last(), bad + "の4行目「O4X4」は読み込めません！");
  EXPECT_EQ(m.w.Edit2->text(), "data 132");
  EXPECT_EQ(m.line(1), "data \"_C_16\",\"_D#12\",\"+Bb04\",\"_K_32\",\"-A_64\"");

  // 131 notes: 130 taken, the pupil told.
  QStringList longSong{"song", "=120"};
  for (int i = 0; i < 131; ++i) longSong << "O4E8";
  const QString longPath = m.t.path("data/long.ekm");
  ASSERT_TRUE(platform::textfile::writeLines(longPath, longSong));
  m.t.prompts.clear();
  m.t.prompts.answerFiles({longPath});
  m.w.PNLread->click();
  EXPECT_TRUE(m.t.prompts.texts().last().contains("130音"));
  EXPECT_EQ(m.line(13).count("\"_E_08\""), 10);

  // A melody file chosen with the dialog, upper-case extension.
  const QString dat = m.t.path("data/x.DAT");
  ASSERT_TRUE(platform::textfile::writeLines(dat, {"data 144", "data \"_F_16\""}));
  m.t.prompts.answerFiles({dat});
  m.w.PNLread->click();
  EXPECT_EQ(m.line(1), "data \"_F_16\"");
  EXPECT_TRUE(m.line(2).isEmpty());
  // The tempo radio follows, so the next note keeps the loaded tempo.
  m.w.buttons[10]->click();
  EXPECT_EQ(m.w.Edit2->text(), "data 144");
}

TEST(MusicBoxWindow, GeneratesBothProgramsAndUploadsOnlyAfterGoodWrites) {
  MusicBox m;
  QDir(m.t.dir.path()).mkdir("mirvotak");
  m.w.dataEdits[1]->setText(
      "data \"_C_16\",\"_D_16\",\"_E_16\",\"_F_16\",\"_G_16\",\"_A_16\",\"_B_16\",\"+C_16\",\"+Cb16\",\"_K_08\"");
  m.w.dataEdits[2]->setText("data ");
  m.w.Panel1->click();
  EXPECT_EQ(fileBytes(m.t.path("data/bascom.bas")), golden("default_bascom.bas"));
  EXPECT_EQ(fileBytes(m.t.path("mirvotak/mirvotak.bas")), golden("default_mirvotak.bas"));
  EXPECT_EQ(m.t.prompts.texts(),
            (QStringList{"マイコンの設定は良いですか？",
                         "「mirvotak」フォルダに「mirvotak.bas」として保存しました！\n\n（「data」フォルダに「bascom.bas」としても保存しました！）"}));
  EXPECT_EQ(m.host.uploads, 0);

  // Measuring board with an input condition on D3 at level 1.
  m.w.RBkairo3->setChecked(true);
  EXPECT_EQ(m.w.Label3->text(), "         Sound PortC.5,Mtw1,Mtw2");
  EXPECT_TRUE(m.w.RBavr2->isChecked());
  EXPECT_TRUE(m.w.CBcrystal->isChecked());
  m.w.CheckBox12->setChecked(true);
  EXPECT_TRUE(m.w.conditionPins[2]->isVisibleTo(&m.w));
  m.w.CheckBox13->setChecked(false);
  m.w.conditionPins[2]->setChecked(true);
  m.w.dataEdits[1]->setText("");
  m.w.dataEdits[2]->setText("data \"_C_16\"");
  m.w.dataEdits[6]->setText("data \"-A_64\",\"+G#08\"");
  m.w.Edit2->setText("data 96");
  m.host.douji = true;
  m.w.Panel1->click();
  EXPECT_EQ(fileBytes(m.t.path("data/bascom.bas")), golden("condition_measuring_board.bas"));
  EXPECT_EQ(fileBytes(m.t.path("mirvotak/mirvotak.bas")), golden("condition_measuring_board.bas"));
  EXPECT_EQ(m.host.uploads, 1);

  // The learning circuit hides PortC.5 and plays on PortD.1.
  m.w.RBkairo2->setChecked(true);
  EXPECT_FALSE(m.w.RBc5->isVisibleTo(&m.w));
  EXPECT_EQ(m.w.Label3->text(), "         Sound PortD.1,Mtw1,Mtw2");
  EXPECT_TRUE(m.w.RBavr1->isChecked());

  // A tempo the program cannot play is refused before anything is written.
  QFile::remove(m.t.path("data/bascom.bas"));
  for (const char* tempo : {"data 0", "data\u3000120"}) {
    m.t.prompts.clear();
    m.w.Edit2->setText(QString::fromUtf8(tempo));
    m.w.Panel1->click();
    EXPECT_EQ(m.t.prompts.texts(), QStringList{musicbox::kTempoRangeMessage}) << tempo;
    EXPECT_FALSE(QFile::exists(m.t.path("data/bascom.bas"))) << tempo;
  }

  // No compiler folder: the failure is reported and no upload starts.
  m.t.prompts.clear();
  m.w.Edit2->setText("data 120");
  QDir(m.t.path("mirvotak")).removeRecursively();
  m.w.Panel1->click();
  EXPECT_EQ(m.host.uploads, 1);
  ASSERT_EQ(m.t.prompts.texts().size(), 2);
  EXPECT_TRUE(m.t.prompts.texts()[1].contains("mirvotak.bas"));
  EXPECT_FALSE(m.t.prompts.texts()[1].contains("保存しました"));
}

TEST(MusicBoxWindow, MenuOpensTheMusicBoxWithSlotOne) {
  TestContext t;
  PelmoraWindows w(t.ctx);
  t.prompts.clear();
  w.form1->Edit1->setText("7");
  w.form1->RBkairo3->setChecked(true);
  TForm8& f = *w.form8;
  for (int n = 1; n <= 13; ++n) f.dataEdits[static_cast<size_t>(n)]->setText("data \"_G_16\"");
  const QString path = t.path("data/org7_1.dat");
  ASSERT_TRUE(platform::textfile::writeLines(path, {"data 100", "data \"_C_16\"", "", "data \"_D_16\"", "data \"_E_16\""}));

  w.form1->PNLmenu7Click();
  EXPECT_EQ(t.prompts.texts(), QStringList{path + "を読み込みますか？"});
  EXPECT_EQ(f.EDTfile->text(), "org7_1");
  EXPECT_EQ(f.Edit2->text(), "data 100");
  EXPECT_EQ(f.dataEdits[3]->text(), "data \"_E_16\"");
  for (int n = 4; n <= 13; ++n) EXPECT_TRUE(f.dataEdits[static_cast<size_t>(n)]->text().isEmpty()) << n;
  EXPECT_TRUE(f.RBkairo3->isChecked());
  EXPECT_TRUE(f.isVisible());
  EXPECT_FALSE(w.form1->isVisible());

  f.Panel4->click();
  EXPECT_TRUE(w.form1->isVisible());

  // No: nothing read. A missing file: reported, the window opens all the same.
  t.prompts.clear();
  f.dataEdits[1]->setText("data \"_A_16\"");
  t.prompts.answerYesNo({false});
  w.form1->PNLmenu7Click();
  EXPECT_EQ(f.dataEdits[1]->text(), "data \"_A_16\"");
  f.Panel4->click();
  w.form1->Edit1->setText("8");
  t.prompts.clear();
  w.form1->PNLmenu7Click();
  EXPECT_EQ(t.prompts.texts().last(), t.path("data/org8_1.dat") + "が有りません！");
  EXPECT_TRUE(f.isVisible());
}
