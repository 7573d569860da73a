#pragma once

#include "control/shell/tool_window.h"

namespace pelmora {

class TForm5 : public ToolWindow {
  Q_OBJECT
 public:
  explicit TForm5(ToolHost& host);

  platform::ui::PanelButton* PNLsyuuryou = nullptr;
};

}  // namespace pelmora
