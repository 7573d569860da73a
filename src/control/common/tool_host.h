#pragma once
// What a tool window of pelmora needs of the main menu while it runs.

#include "platform/context.h"
#include "platform/ui/menu_opened_window.h"

#include <QString>

namespace pelmora {

class ToolHost : public platform::ui::WindowPlaces {
 public:
  virtual const platform::AppContext& context() const = 0;
  // The pupil number box (出席番号).
  virtual QString pupilNumber() const = 0;
  // The one-step box: compile, write and set fuses right after generating.
  virtual bool oneStepUpload() const = 0;
  // 1 マイコンボード, 2 ペルモラ学習回路, 3 ペルモラ測定ボード.
  virtual int targetCircuit() const = 0;
  // Compiles mirvotak/mirvotak.bas and writes it into the microcontroller.
  virtual void upload() = 0;
};

}  // namespace pelmora
