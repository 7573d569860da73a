#pragma once
// A window opened from a program's menu: shown at its pair of the menu's
// position table, left back to the menu, with its place stored on the way.

#include "platform/ui/widgets.h"

namespace platform::ui {

// What such a window needs of the menu.
class WindowPlaces {
 public:
  virtual ~WindowPlaces() = default;
  // Stores a window's Top and Left at entries firstEntry and firstEntry + 1.
  virtual void storePosition(int firstEntry, int top, int left) = 0;
  virtual int position(int entry) const = 0;
  virtual void showMenu() = 0;
};

class MenuOpenedWindow : public AppWindow {
  Q_OBJECT
 public:
  // firstEntry: the window's Top entry in the position table (0: none).
  MenuOpenedWindow(WindowPlaces& places, int firstEntry, const QString& caption, int width, int height);
  int firstEntry() const { return firstEntry_; }

  // Shows the window at its pair of the position table.
  void showAtStoredPosition();
  // Stores Top/Left in the table, hides the window and shows the menu.
  void leaveToMenu();

 protected:
  // A close request from the window manager runs the leave panel.
  void closeRequested() override { leaveRequested(); }
  virtual void leaveRequested() { leaveToMenu(); }

 private:
  WindowPlaces& places_;
  int firstEntry_;
};

}  // namespace platform::ui
