#include "control/workbench/basic_files.h"
#include "control/workbench/basic_settings_box.h"
#include "control/workbench/sound_panel.h"
#include "platform/ui/widgets.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pelmora::workbench;

TEST(BascomSettingsBox, CircuitChoosesMicrocontrollerAndCrystal) {
  BascomSettingsBox box;
  EXPECT_TRUE(box.isHidden());
  QSignalSpy crystal(&box, &BascomSettingsBox::crystalChanged);
  box.selectCircuit(3);
  EXPECT_TRUE(box.RBkairo3->isChecked());
  EXPECT_TRUE(box.RBavr2->isChecked());
  EXPECT_TRUE(box.CBcrystal->isChecked());
  EXPECT_EQ(crystal.count(), 1);

  box.RBkairo2->setChecked(true);
  EXPECT_TRUE(box.RBavr1->isChecked());
  EXPECT_TRUE(box.CBcrystal->isChecked());
  EXPECT_EQ(crystal.count(), 1);  // unchanged: no second click action

  box.RBkairo1->setChecked(true);
  EXPECT_FALSE(box.CBcrystal->isChecked());
  EXPECT_EQ(crystal.count(), 2);

  box.bccb3->setChecked(false);
  box.bccb6->setChecked(false);
  box.RBavr2->setChecked(true);
  const BascomSettings s = box.settings();
  EXPECT_TRUE(s.mega168);
  EXPECT_FALSE(s.crystal12MHz);
  EXPECT_FALSE(s.lcd);
  EXPECT_FALSE(s.variablesIJK);
  EXPECT_TRUE(s.variableA && s.variablesWt && s.portDInput);
}

TEST(SoundPanel, NoteTableBarsAndInstruction) {
  SoundPanel p;
  EXPECT_EQ(p.PNLsound->caption(), "Sound portB.0,335,319");
  EXPECT_EQ(p.nagasa->text(), "16");
  EXPECT_EQ(p.tempo->text(), "120");
  EXPECT_EQ(p.StringGrid1->item(0, 16)->text(), "ド");
  EXPECT_EQ(p.StringGrid1->columnWidth(0), 0);
  EXPECT_EQ(p.StringGrid1->columnWidth(2), 8);
  EXPECT_EQ(p.StringGrid1->columnWidth(3), 18);
  EXPECT_EQ(p.StringGrid1->item(2, 1)->text(), "141");
  EXPECT_EQ(p.StringGrid1->item(3, 20)->text(), "126");

  p.StringGrid1Click(16);
  EXPECT_EQ(p.SBs1->value(), 335);
  EXPECT_EQ(p.sbs2->value(), 159);
  EXPECT_EQ(p.PNLsound->caption(), "Sound portB.0,335,159");

  p.RDBd6->setChecked(true);
  EXPECT_EQ(p.PNLsound->caption(), "Sound portD.6,335,159");

  QSignalSpy chosen(&p, &SoundPanel::instructionChosen);
  p.PNLsound->click();
  ASSERT_EQ(chosen.count(), 1);
  EXPECT_EQ(chosen[0][0].toString(), "Sound portD.6,335,159");

  // Length 64 at tempo 60: the count passes the bar's end and stops at 1000.
  p.ScrollBar1->setValue(11);
  p.ScrollBar2->setValue(1);
  EXPECT_EQ(p.nagasa->text(), "64");
  EXPECT_EQ(p.Label20->text(), "全音符");
  EXPECT_EQ(p.tempo->text(), "60");
  EXPECT_EQ(p.StringGrid1->item(2, 20)->text(), "3375");
  p.StringGrid1Click(20);
  EXPECT_EQ(p.SBs1->value(), 1000);
  EXPECT_EQ(p.LBLs1->text(), "1000");
  EXPECT_EQ(p.PNLsound->caption(), "Sound portD.6,1000,126");
}

TEST(SoundPanel, CrystalDefaults) {
  SoundPanel p;
  p.CBcrystalClick(true);
  EXPECT_EQ(p.sbs2->maximum(), 6000);
  EXPECT_EQ(p.sbs2->value(), 3822);
  EXPECT_EQ(p.PNLsound->caption(), "Sound portB.0,335,3822");

  p.SBs1->setValue(500);
  p.CBcrystalClick(false);
  EXPECT_EQ(p.sbs2->maximum(), 1000);
  EXPECT_EQ(p.sbs2->value(), 319);
  EXPECT_EQ(p.SBs1->value(), 335);
  EXPECT_EQ(p.LBLs2->text(), "319");
  EXPECT_EQ(p.PNLsound->caption(), "Sound portB.0,335,319");
}

TEST(BascomFiles, BothFilesSameBytesAndFailuresReported) {
  QTemporaryDir dir;
  const QString app = dir.path() + "/";
  QDir(app).mkdir("data");
  const QStringList lines{"$regfile = \"Attiny2313.dat\"", "End"};

  // Without the compiler folder the second file cannot be written.
  BascomWrite w = writeBascomFiles(app, lines);
  EXPECT_FALSE(w.ok);
  EXPECT_TRUE(w.message.contains("mirvotak.bas"));
  EXPECT_FALSE(w.message.contains("bascom.bas"));

  QDir(app).mkdir("mirvotak");
  w = writeBascomFiles(app, lines);
  EXPECT_TRUE(w.ok);
  for (const char* f : {"data/bascom.bas", "mirvotak/mirvotak.bas"}) {
    QFile file(app + f);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "$regfile = \"Attiny2313.dat\"\r\nEnd\r\n\r\n");
  }

  w = writeBascomFiles(app, {"Lcd \"\u00e9\""});
  EXPECT_FALSE(w.ok);
  EXPECT_TRUE(w.message.contains("é"));
}

TEST(BascomFiles, ABadNumberWritesNothing) {
  QTemporaryDir dir;
  const QString app = dir.path() + "/";
  QDir(app).mkdir("data");
  QDir(app).mkdir("mirvotak");
  BascomSettings s;
  BascomStep step = generateBascomFiles({QString::fromUtf16(u"　ddrB=1"), "Do", "  ddrB=x", "Loop"}, s, app);
  EXPECT_FALSE(step.ok);
  EXPECT_EQ(step.message, "3行目「ddrB=x」の数値が正しくありません！");
  EXPECT_EQ(step.program[0], " ddrB=1");
  EXPECT_FALSE(QFile::exists(app + "data/bascom.bas"));
  EXPECT_FALSE(QFile::exists(app + "mirvotak/mirvotak.bas"));

  step = generateBascomFiles({"ddrB=1", "End"}, s, app);
  EXPECT_TRUE(step.ok);
  EXPECT_TRUE(QFile::exists(app + "mirvotak/mirvotak.bas"));
}
