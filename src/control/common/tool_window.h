#pragma once
// Base of every tool window of pelmora: created once, shown from the menu at
// its remembered place, left through its own panel back to the menu.

#include "control/common/tool_host.h"
#include "platform/ui/menu_opened_window.h"

namespace pelmora {

class ToolWindow : public platform::ui::MenuOpenedWindow {
  Q_OBJECT
 public:
  // firstEntry: the window's Top entry in the position table (0: none).
  ToolWindow(ToolHost& host, int firstEntry, const QString& caption, int width, int height,
             quint32 colour = 0xF0F0F0);

  ToolHost& host() const { return host_; }
  const platform::AppContext& ctx() const { return host_.context(); }

  // What the menu hands over; tools override what they have.
  virtual void startLinkTimer() {}
  virtual void selectCircuit(int /*circuit*/) {}
  virtual void setDialogPanelsVisible(bool /*visible*/) {}

 private:
  ToolHost& host_;
};

}  // namespace pelmora
