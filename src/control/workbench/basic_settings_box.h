#pragma once
// The settings box "BASCOMの各種設定" of the workbench: microcontroller,
// crystal, target circuit and the declaration lines of the generated BASIC.

#include "control/workbench/basic_generator.h"

#include <QGroupBox>

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace pelmora::workbench {

class BascomSettingsBox : public QGroupBox {
  Q_OBJECT
 public:
  explicit BascomSettingsBox(QWidget* parent = nullptr);

  BascomSettings settings() const;
  // Checks RBkairo1-RBkairo3 as the menu's target circuit (1-3) says.
  void selectCircuit(int circuit);

  void RBkairo1Click();
  void RBkairo2Click();
  void RBkairo3Click();

  QRadioButton* RBavr1 = nullptr;
  QRadioButton* RBavr2 = nullptr;
  QCheckBox* CBcrystal = nullptr;
  QCheckBox* bccb3 = nullptr;
  QCheckBox* bccb4 = nullptr;
  QCheckBox* bccb5 = nullptr;
  QCheckBox* bccb6 = nullptr;
  QCheckBox* bccb7 = nullptr;
  QCheckBox* bccb8 = nullptr;
  QRadioButton* RBkairo1 = nullptr;
  QRadioButton* RBkairo2 = nullptr;
  QRadioButton* RBkairo3 = nullptr;
  QPushButton* Button3 = nullptr;

 Q_SIGNALS:
  // The crystal box changed (by a click or by a circuit choice).
  void crystalChanged(bool crystal12MHz);

 private:
  void applyCircuit(int circuit);
};

}  // namespace pelmora::workbench
