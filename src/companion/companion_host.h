#pragma once
// What the windows of bremilo need of its menu.

#include "platform/context.h"
#include "platform/ui/widgets.h"

namespace bremilo {

class CompanionHost {
 public:
  virtual ~CompanionHost() = default;
  virtual const platform::AppContext& context() const = 0;
  // Stores a window's Top and Left at entries firstEntry and firstEntry + 1.
  virtual void storePosition(int firstEntry, int top, int left) = 0;
  virtual int position(int entry) const = 0;
  virtual void showMenu() = 0;
};

// Base of every bremilo window but the menu.
class CompanionWindow : public platform::ui::AppWindow {
  Q_OBJECT
 public:
  CompanionWindow(CompanionHost& host, int firstEntry, const QString& caption, int width, int height);
  CompanionHost& host() const { return host_; }
  const platform::AppContext& ctx() const { return host_.context(); }
  int firstEntry() const { return firstEntry_; }
  void showAtStoredPosition();
  // The menu's opener switches on the window's board-link timer, if any.
  virtual void startLinkTimer() {}
  // Stores Top/Left, hides the window, shows the menu.
  void leaveToMenu();

 protected:
  void closeRequested() override { leaveRequested(); }
  virtual void leaveRequested() { leaveToMenu(); }

 private:
  CompanionHost& host_;
  int firstEntry_;
};

}  // namespace bremilo
