#pragma once

#include "control/shell/tool_window.h"

namespace pelmora {

class TForm3 : public ToolWindow {
  Q_OBJECT
 public:
  explicit TForm3(ToolHost& host);

  platform::ui::PanelButton* PNLsyuuryou = nullptr;
};

}  // namespace pelmora
