// The workbench's BASIC generation and Sound panel: the settings box, the
// circuit choice, the "アップロード" panel and the note table.

#include "control/workbench/basic_files.h"
#include "control/workbench/basic_settings_box.h"
#include "control/workbench/sound_panel.h"
#include "control/workbench/tform6.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace pelmora {

void TForm6::buildBasicParts() {
  soundPanel = new workbench::SoundPanel(PNLsoundmenu);
  soundPanel->move(8, 8);
  connect(soundPanel, &workbench::SoundPanel::instructionChosen, this, [this](const QString& s) { EDTpro->setText(s); });

  bascomsetteibox = new workbench::BascomSettingsBox(this);
  bascomsetteibox->move(BTsettei->x() + BTsettei->width() - bascomsetteibox->width(), BTsettei->y() + BTsettei->height() + 4);
  connect(bascomsetteibox, &workbench::BascomSettingsBox::crystalChanged, this, [this] { CBcrystalClick(); });
}

void TForm6::selectCircuit(int circuit) { bascomsetteibox->selectCircuit(circuit); }

void TForm6::CBcrystalClick() { soundPanel->CBcrystalClick(bascomsetteibox->CBcrystal->isChecked()); }

void TForm6::BTsetteiClick() {
  bascomsetteibox->show();
  bascomsetteibox->raise();
}

void TForm6::PNLbascomClick() {
  autoSave();
  const workbench::BascomStep step =
      workbench::generateBascomFiles(programLines(), bascomsetteibox->settings(), ctx().appDir);
  // Full-width blanks become ordinary ones in the list as well.
  for (int i = 0; i < step.program.size() && i < LSTpro->count(); ++i) {
    if (LSTpro->item(i)->text() != step.program[i]) LSTpro->item(i)->setText(step.program[i]);
  }
  // Without both files the compiler would work on an older program.
  if (!step.ok) {
    ctx().prompts.message(step.message);
    return;
  }
  if (host().oneStepUpload()) host().upload();
}

}  // namespace pelmora
