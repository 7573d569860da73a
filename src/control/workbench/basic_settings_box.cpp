#include "control/workbench/basic_settings_box.h"

#include "platform/colors.h"
#include "platform/ui/widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

namespace pelmora::workbench {

namespace {

template <typename T>
T* place(QWidget* parent, const QString& caption, int left, int top, int width = 260) {
  auto* w = new T(caption, parent);
  w->setGeometry(left, top, width, 20);
  return w;
}

}  // namespace

BascomSettingsBox::BascomSettingsBox(QWidget* parent) : QGroupBox(QStringLiteral("BASCOMの各種設定"), parent) {
  setObjectName(QStringLiteral("bascomsetteibox"));
  setFont(platform::ui::font());
  // It lies over the program list while open: a colour of its own sets it apart.
  platform::ui::setBackground(this, 0xD0FFFF);

  auto* avr = new QButtonGroup(this);
  RBavr1 = place<QRadioButton>(this, QStringLiteral("Attiny2313"), 16, 24, 120);
  RBavr2 = place<QRadioButton>(this, QStringLiteral("ATmega168p"), 144, 24, 120);
  avr->addButton(RBavr1);
  avr->addButton(RBavr2);
  RBavr1->setChecked(true);
  CBcrystal = place<QCheckBox>(this, QStringLiteral("12MHz 水晶"), 16, 48);

  bccb3 = place<QCheckBox>(this, QStringLiteral("１６文字２行のLCDを使用する"), 16, 80);
  bccb4 = place<QCheckBox>(this, QStringLiteral("portB=Output"), 16, 104);
  bccb5 = place<QCheckBox>(this, QStringLiteral("portD=Input"), 16, 128);
  bccb6 = place<QCheckBox>(this, QStringLiteral("変数　i、ｊ、ｋ　を使用する"), 16, 152);
  bccb7 = place<QCheckBox>(this, QStringLiteral("変数　a　を使用する"), 16, 176);
  bccb8 = place<QCheckBox>(this, QStringLiteral("変数　wt1,wt2　を使用する"), 16, 200);
  for (QCheckBox* b : {bccb3, bccb4, bccb5, bccb6, bccb7, bccb8}) b->setChecked(true);

  auto* kairo = new QButtonGroup(this);
  RBkairo1 = place<QRadioButton>(this, QStringLiteral("マイコンボード"), 16, 232);
  RBkairo2 = place<QRadioButton>(this, QStringLiteral("ペルモラ学習回路"), 16, 256);
  RBkairo3 = place<QRadioButton>(this, QStringLiteral("ペルモラ測定ボード"), 16, 280);
  for (QRadioButton* r : {RBkairo1, RBkairo2, RBkairo3}) kairo->addButton(r);
  RBkairo1->setChecked(true);

  Button3 = new QPushButton(QStringLiteral("閉じる"), this);
  Button3->setGeometry(184, 304, 89, 25);
  resize(290, 340);

  connect(CBcrystal, &QCheckBox::toggled, this, &BascomSettingsBox::crystalChanged);
  connect(RBkairo1, &QRadioButton::toggled, this, [this](bool on) { if (on) RBkairo1Click(); });
  connect(RBkairo2, &QRadioButton::toggled, this, [this](bool on) { if (on) RBkairo2Click(); });
  connect(RBkairo3, &QRadioButton::toggled, this, [this](bool on) { if (on) RBkairo3Click(); });
  connect(Button3, &QPushButton::clicked, this, &QWidget::hide);
  hide();
}

void BascomSettingsBox::applyCircuit(int circuit) {
  BascomSettings s;
  s.selectCircuit(circuit);
  (s.mega168 ? RBavr2 : RBavr1)->setChecked(true);
  CBcrystal->setChecked(s.crystal12MHz);
}

void BascomSettingsBox::RBkairo1Click() { applyCircuit(1); }
void BascomSettingsBox::RBkairo2Click() { applyCircuit(2); }
void BascomSettingsBox::RBkairo3Click() { applyCircuit(3); }

void BascomSettingsBox::selectCircuit(int circuit) {
  // Its click action runs only when the radio button becomes checked.
  (circuit == 2 ? RBkairo2 : circuit == 3 ? RBkairo3 : RBkairo1)->setChecked(true);
}

BascomSettings BascomSettingsBox::settings() const {
  BascomSettings s;
  s.mega168 = RBavr2->isChecked();
  s.crystal12MHz = CBcrystal->isChecked();
  s.lcd = bccb3->isChecked();
  s.portBOutput = bccb4->isChecked();
  s.portDInput = bccb5->isChecked();
  s.variablesIJK = bccb6->isChecked();
  s.variableA = bccb7->isChecked();
  s.variablesWt = bccb8->isChecked();
  return s;
}

}  // namespace pelmora::workbench
