#pragma once

#include "control/shell/tool_window.h"

namespace pelmora {

class TForm4 : public ToolWindow {
  Q_OBJECT
 public:
  explicit TForm4(ToolHost& host);

  platform::ui::PanelButton* PNLsyuuryou = nullptr;
};

}  // namespace pelmora
