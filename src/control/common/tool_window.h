#pragma once
// Base of every tool window of pelmora: created once, shown from the menu at
// its remembered place, left through its own panel back to the menu.

#include "control/common/tool_host.h"
#include "platform/ui/widgets.h"

namespace pelmora {

class ToolWindow : public platform::ui::AppWindow {
  Q_OBJECT
 public:
  // firstEntry: the window's Top entry in the position table (0: none).
  ToolWindow(ToolHost& host, int firstEntry, const QString& caption, int width, int height,
             quint32 colour = 0xF0F0F0);

  ToolHost& host() const { return host_; }
  const platform::AppContext& ctx() const { return host_.context(); }
  int firstEntry() const { return firstEntry_; }

  // Shows the window at its pair of the position table.
  void showAtStoredPosition();
  // Stores Top/Left in the table, hides the window and shows the menu.
  void leaveToMenu();

  // What the menu hands over; tools override what they have.
  virtual void startLinkTimer() {}
  virtual void selectCircuit(int /*circuit*/) {}
  virtual void setDialogPanelsVisible(bool /*visible*/) {}

 protected:
  // A close request from the window manager runs the leave panel.
  void closeRequested() override { leaveRequested(); }
  virtual void leaveRequested() { leaveToMenu(); }

 private:
  ToolHost& host_;
  int firstEntry_;
};

}  // namespace pelmora
