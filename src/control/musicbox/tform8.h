#pragma once

#include "control/shell/tool_window.h"

namespace pelmora {

class TForm8 : public ToolWindow {
  Q_OBJECT
 public:
  explicit TForm8(ToolHost& host);

  platform::ui::PanelButton* PNLsyuuryou = nullptr;
};

}  // namespace pelmora
