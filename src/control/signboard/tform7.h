#pragma once

#include "control/shell/tool_window.h"

namespace pelmora {

class TForm7 : public ToolWindow {
  Q_OBJECT
 public:
  explicit TForm7(ToolHost& host);

  platform::ui::PanelButton* PNLsyuuryou = nullptr;
};

}  // namespace pelmora
