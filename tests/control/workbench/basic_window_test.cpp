#include "control/shell/pelmora_app.h"
#include "control/shell/tform1.h"
#include "control/shell/tform9.h"
#include "control/workbench/basic_settings_box.h"
#include "control/workbench/sound_panel.h"
#include "control/workbench/tform6.h"
#include "platform/ui/widgets.h"
#include "support/test_context.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace pelmora;
using testsupport::FakeHost;
using testsupport::TestContext;

namespace {

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return "<missing>";
  return f.readAll();
}

struct Workbench {
  explicit Workbench(int circuit = 1) : host(t) {
    host.circuit = circuit;
    QDir(t.dir.path()).mkdir("mirvotak");
    form = std::make_unique<TForm6>(host);
    form->RDBfile[0]->setText("12-0.bas");
  }
  TestContext t;
  FakeHost host;
  std::unique_ptr<TForm6> form;
};

}  // namespace

TEST(WorkbenchBascom, GeneratesBothFilesAndUploadsOnlyWithTheOneStepBox) {
  Workbench w;
  w.form->bascomsetteibox->bccb3->setChecked(false);
  w.form->bascomsetteibox->bccb5->setChecked(false);
  w.form->bascomsetteibox->bccb6->setChecked(false);
  w.form->bascomsetteibox->bccb8->setChecked(false);
  w.form->setProgramLines({"ddrB=255", "Do", QString::fromUtf16(u"　　　portB=a,300"), "Loop", "End"});
  w.form->PNLbascomClick();

  const QByteArray expected =
      "$regfile = \"Attiny2313.dat\"\r\n$crystal = 1000000\r\nDim a As Integer\r\nConfig PortB=255\r\nDo\r\n"
      "   Portb=255-a\r\n   Waitms 300\r\nLoop\r\nportB=255\r\nEnd\r\n\r\n";
  EXPECT_EQ(fileBytes(w.t.path("data/bascom.bas")), expected);
  EXPECT_EQ(fileBytes(w.t.path("mirvotak/mirvotak.bas")), expected);
  EXPECT_TRUE(QFile::exists(w.t.path("data/12-0.bas")));  // saved first
  EXPECT_EQ(w.form->LSTpro->item(2)->text(), "   portB=a,300");
  EXPECT_TRUE(w.t.prompts.texts().isEmpty());
  EXPECT_EQ(w.host.uploads, 0);

  w.host.douji = true;
  w.form->PNLbascomClick();
  EXPECT_EQ(w.host.uploads, 1);
}

TEST(WorkbenchBascom, NoUploadWhenTheTextCannotBeWritten) {
  {
    Workbench w;
    w.host.douji = true;
    w.form->setProgramLines({"ddrB=255", "portB=x,300"});
    w.form->PNLbascomClick();
    EXPECT_EQ(w.t.prompts.texts(), QStringList{"2行目「portB=x,300」の数値が正しくありません！"});
    EXPECT_FALSE(QFile::exists(w.t.path("mirvotak/mirvotak.bas")));
    EXPECT_EQ(w.host.uploads, 0);
  }
  {
    Workbench w;
    w.host.douji = true;
    QDir(w.t.path("mirvotak")).removeRecursively();
    w.form->setProgramLines({"End"});
    w.form->PNLbascomClick();
    ASSERT_EQ(w.t.prompts.texts().size(), 1);
    EXPECT_TRUE(w.t.prompts.texts()[0].contains("mirvotak.bas"));
    EXPECT_EQ(w.host.uploads, 0);
  }
}

TEST(WorkbenchBascom, CircuitSettingsBoxAndSoundPanel) {
  Workbench w(3);
  workbench::BascomSettingsBox& box = *w.form->bascomsetteibox;
  workbench::SoundPanel& sound = *w.form->soundPanel;
  EXPECT_TRUE(box.RBkairo3->isChecked());
  EXPECT_TRUE(box.RBavr2->isChecked());
  EXPECT_TRUE(box.CBcrystal->isChecked());
  EXPECT_EQ(sound.sbs2->value(), 3822);
  EXPECT_EQ(sound.PNLsound->caption(), "Sound portB.0,335,3822");

  w.form->selectCircuit(1);
  EXPECT_TRUE(box.RBavr1->isChecked());
  EXPECT_FALSE(box.CBcrystal->isChecked());
  EXPECT_EQ(sound.sbs2->value(), 319);
  EXPECT_EQ(sound.PNLsound->caption(), "Sound portB.0,335,319");

  EXPECT_TRUE(box.isHidden());
  w.form->BTsettei->click();
  EXPECT_FALSE(box.isHidden());
  box.Button3->click();
  EXPECT_TRUE(box.isHidden());

  w.form->RDBsound->setChecked(true);
  sound.StringGrid1Click(16);
  sound.PNLsound->click();
  EXPECT_EQ(w.form->EDTpro->text(), "Sound portB.0,335,159");
}

TEST(WorkbenchBascom, OneStepFromTheWorkbenchRunsTheUploadWindow) {
  TestContext t;
  platform::ScriptedOutsideWindows windows;
  PelmoraWindows w(t.ctx, &windows);
  QDir(t.dir.path()).mkdir("mirvotak");
  w.form1->CBmaikon->setChecked(true);
  w.form1->CBdouji->setChecked(true);
  w.form1->RBkairo2->setChecked(true);
  w.form1->Edit1->setText("12");
  w.form1->PNLmenu5Click();
  t.prompts.clear();
  EXPECT_TRUE(w.form6->bascomsetteibox->RBkairo2->isChecked());
  w.form6->setProgramLines({"End"});
  w.form6->PNLbascomClick();

  EXPECT_TRUE(fileBytes(t.path("mirvotak/mirvotak.bas")).startsWith("$regfile = \"Attiny2313.dat\"\r\n$crystal = 12000000\r\n"));
  EXPECT_TRUE(w.form9->isVisible());
  ASSERT_FALSE(t.processes.calls.isEmpty());
  EXPECT_EQ(t.processes.calls[0].program, t.path("mirvotak/mirvotak.exe"));
  // The recording double starts nothing, so the compiler leaves no verdict.
  EXPECT_TRUE(w.form9->label4->text().contains("コンパイルに失敗！"));
}
