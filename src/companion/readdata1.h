#pragma once
// The eeprom log reader window.

#include "companion/companion_host.h"

namespace bremilo {

class TForm2 : public CompanionWindow {
  Q_OBJECT
 public:
  explicit TForm2(CompanionHost& host);

  platform::ui::PanelButton* PNLsyuuryou = nullptr;
};

}  // namespace bremilo
