#pragma once

#include "control/shell/tool_window.h"

namespace pelmora {

class TForm2 : public ToolWindow {
  Q_OBJECT
 public:
  explicit TForm2(ToolHost& host);

  platform::ui::PanelButton* PNLsyuuryou = nullptr;
};

}  // namespace pelmora
