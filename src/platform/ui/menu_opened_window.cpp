#include "platform/ui/menu_opened_window.h"

namespace platform::ui {

MenuOpenedWindow::MenuOpenedWindow(WindowPlaces& places, int firstEntry, const QString& caption, int width,
                                   int height)
    : places_(places), firstEntry_(firstEntry) {
  setWindowTitle(caption);
  setFixedSize(width, height);
}

void MenuOpenedWindow::showAtStoredPosition() {
  // Placed before it is shown, so the window manager maps it there at once.
  if (firstEntry_ > 0) placeAt(places_.position(firstEntry_), places_.position(firstEntry_ + 1));
  show();
}

void MenuOpenedWindow::leaveToMenu() {
  if (firstEntry_ > 0) places_.storePosition(firstEntry_, y(), x());
  hide();
  places_.showMenu();
}

}  // namespace platform::ui
