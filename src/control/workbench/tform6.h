#pragma once

#include "control/shell/tool_window.h"

namespace pelmora {

class TForm6 : public ToolWindow {
  Q_OBJECT
 public:
  explicit TForm6(ToolHost& host);

  platform::ui::PanelButton* PNLsyuuryou = nullptr;
};

}  // namespace pelmora
